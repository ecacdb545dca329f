#include "foundation/ini_file.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/format.h"
#include "temp_home.h"

namespace rxf {
namespace {

// Sets the process-wide formats for one test and restores them.
class FormatsScope {
 public:
  explicit FormatsScope(const FormatSettings& formats) : old_(ProcessFormats()) {
    SetProcessFormats(formats);
  }
  ~FormatsScope() { SetProcessFormats(old_); }

 private:
  FormatSettings old_;
};

const std::string kSample =
    "; Настройки\r\n"
    "[Firm]\r\n"
    "Name = ООО \"Окна\" \r\n"
    "Phone1=\"  +7 495 \"\r\n"
    "Quoted='x'\r\n"
    "Empty=\r\n"
    ";Fax=123\r\n"
    "\r\n"
    "[ Tax ]\r\n"
    "NDSTax=1 8\r\n"
    "PriceGrpNo=7x\r\n"
    "TotalNDS=-3\r\n"
    "Big=2147483648\r\n"
    "Plus=+12\r\n"
    "Width=12,5\r\n"
    "[firm]\r\n"
    "Name=second section\r\n";

TEST(IniFile, ReadsAsProfileFilesDo) {
  const IniFile ini(Utf8ToCp1251(kSample));
  struct Case {
    const char* name;
    std::string section;
    std::string key;
    std::optional<std::string> value;
  } cases[] = {
      {"trimmed, inner quotes kept", "Firm", "Name", "ООО \"Окна\""},
      {"section and key ignore case", "FIRM", "name", "ООО \"Окна\""},
      {"enclosing double quotes dropped", "Firm", "Phone1", "  +7 495 "},
      {"enclosing single quotes dropped", "Firm", "Quoted", "x"},
      {"empty value", "Firm", "Empty", ""},
      {"a comment is no entry", "Firm", "Fax", std::nullopt},
      {"blanks around the section name", "Tax", "NDSTax", "1 8"},
      {"missing key", "Tax", "Missing", std::nullopt},
      {"missing section", "FTP", "ftpHost", std::nullopt},
      {"the first section of a name wins", "firm", "Name", "ООО \"Окна\""},
  };
  for (const auto& c : cases) {
    const auto value = ini.ReadValue(c.section, c.key);
    EXPECT_EQ(value ? std::optional(Cp1251ToUtf8(*value)) : std::nullopt, c.value) << c.name;
  }
  EXPECT_EQ(ini.ReadString("FTP", "ftpHost", "default"), "default");
}

TEST(IniFile, IntegersAndBooleansFallBackToTheirDefaults) {
  const IniFile ini(Utf8ToCp1251(kSample));
  struct Case {
    const char* name;
    std::string key;
    std::int32_t integer;
    bool boolean;
  } cases[] = {
      {"not a number", "PriceGrpNo", 99, false}, {"negative number", "TotalNDS", -3, true},
      {"beyond 32 bits", "Big", 99, false},      {"plus sign", "Plus", 12, true},
      {"blank inside", "NDSTax", 99, false},     {"missing", "Missing", 99, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ini.ReadInteger("Tax", c.key, 99), c.integer) << c.name;
    EXPECT_EQ(ini.ReadBool("Tax", c.key, false), c.boolean) << c.name;
  }
  EXPECT_FALSE(IniFile("[S]\r\nOff=0\r\n").ReadBool("S", "Off", true));
  EXPECT_FALSE(IniFile("[S]\r\nBad=yes\r\n").ReadBool("S", "Bad", false));
}

TEST(IniFile, DecimalsUseTheProcessSeparator) {
  const IniFile ini("[S]\r\nComma=12,5\r\nPoint=12.5\r\n");
  {
    const FormatsScope desktop(DesktopFormats());
    EXPECT_EQ(ini.ReadFloat("S", "Comma", -1), 12.5);
    EXPECT_EQ(ini.ReadFloat("S", "Point", -1), -1);
  }
  const FormatsScope invariant(InvariantFormats());
  EXPECT_EQ(ini.ReadFloat("S", "Point", -1), 12.5);
  EXPECT_EQ(ini.ReadFloat("S", "Comma", -1), -1);
}

TEST(IniFile, AnUnchangedFileIsWrittenBackByteForByte) {
  for (const std::string& content : {kSample, std::string("[A]\nx=1\r\n;c\n\ny=2"), std::string()})
    EXPECT_EQ(IniFile(content).Content(), content);
}

TEST(IniFile, WritingReplacesTheValueInPlaceAndKeepsEveryOtherLine) {
  IniFile ini(kSample);
  ini.WriteString("FIRM", "name", "New");
  ini.WriteInteger("tax", "PriceGrpNo", 3);
  std::string expected = kSample;
  expected.replace(expected.find("Name = ООО"), std::string("Name = ООО \"Окна\" ").size(),
                   "Name=New");
  expected.replace(expected.find("PriceGrpNo=7x"), 13, "PriceGrpNo=3");
  EXPECT_EQ(ini.Content(), expected);
}

TEST(IniFile, ANewKeyGoesAfterTheLastEntryOfItsSection) {
  IniFile ini("[Firm]\r\nName=A\r\n\r\n[Tax]\r\nNDSTax=18\r\n");
  ini.WriteString("Firm", "EMail", "a@b");
  ini.WriteBool("Tax", "TotalNDS", true);
  EXPECT_EQ(ini.Content(),
            "[Firm]\r\nName=A\r\nEMail=a@b\r\n\r\n[Tax]\r\nNDSTax=18\r\nTotalNDS=1\r\n");
}

TEST(IniFile, ANewSectionGoesAtTheEnd) {
  struct Case {
    const char* name;
    std::string content;
    std::string expected;
  } cases[] = {
      {"empty file", "", "[FTP]\r\nftpPort=21\r\n"},
      {"after a blank line", "[A]\r\nx=1\r\n\r\n", "[A]\r\nx=1\r\n\r\n[FTP]\r\nftpPort=21\r\n"},
      {"a blank line before it", "[A]\r\nx=1\r\n", "[A]\r\nx=1\r\n\r\n[FTP]\r\nftpPort=21\r\n"},
      {"last line without a break", "[A]\r\nx=1", "[A]\r\nx=1\r\n\r\n[FTP]\r\nftpPort=21\r\n"},
      {"the file's own line breaks", "[A]\nx=1\n", "[A]\nx=1\n\n[FTP]\nftpPort=21\n"},
  };
  for (const auto& c : cases) {
    IniFile ini(c.content);
    ini.WriteInteger("FTP", "ftpPort", 21);
    EXPECT_EQ(ini.Content(), c.expected) << c.name;
  }
}

TEST(IniFile, ALineBreakInAValueCannotAddEntries) {
  IniFile ini("[Firm]\r\nName=A\r\n[FTP]\r\nftpHost=host\r\n");
  ini.WriteString("Firm", "Name", "X\r\n[FTP]\r\nftpHost=evil");
  EXPECT_EQ(ini.ReadString("FTP", "ftpHost", ""), "host");
  EXPECT_EQ(ini.ReadString("Firm", "Name", ""), "X  [FTP]  ftpHost=evil");
}

TEST(IniFile, SinglesAreWrittenInTheirShortestForm) {
  const FormatsScope desktop(DesktopFormats());
  IniFile ini;
  ini.WriteFloat("Tax", "NDSTax", 19.6f);
  ini.WriteFloat("Tax", "Whole", 18.0f);
  EXPECT_EQ(ini.Content(), "[Tax]\r\nNDSTax=19,6\r\nWhole=18\r\n");
  EXPECT_EQ(static_cast<float>(ini.ReadFloat("Tax", "NDSTax", 0)), 19.6f);
}

class IniFileOnDisk : public TempHome {};

TEST_F(IniFileOnDisk, UpdateReplacesTheFileAndCreatesAMissingOne) {
  const auto path = Home() / "RXFurniture.ini";
  EXPECT_EQ(ReadIniFile(path).Content(), "");
  UpdateIniFile(path, [](IniFile& ini) { ini.WriteString("Firm", "Name", "A"); });
  EXPECT_EQ(Get(path), "[Firm]\r\nName=A\r\n");
  UpdateIniFile(path, [](IniFile& ini) { ini.WriteString("Firm", "Phone1", "1"); });
  EXPECT_EQ(Get(path), "[Firm]\r\nName=A\r\nPhone1=1\r\n");
}

}  // namespace
}  // namespace rxf
