#include "foundation/format.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

class FormatTest : public ::testing::Test {
 protected:
  void SetUp() override { SetProcessFormats(DesktopFormats()); }
  void TearDown() override { SetProcessFormats(InvariantFormats()); }
};

TEST_F(FormatTest, DirectivesUnderTheDesktopFormats) {
  struct Case {
    const char* name;
    std::string got;
    const char* expected;
  } cases[] = {
      {"text", Format("[%s]", "abc"), "[abc]"},
      {"integer", Format("%d шт", 42), "42 шт"},
      {"least digits", Format("Z%s%.4d.xml", "0000", 1), "Z00000001.xml"},
      {"three digits", Format("%.3d", 7), "007"},
      {"negative least digits", Format("%.3d", -7), "-007"},
      {"hex", Format("%X/%x", 255, -1), "FF/FFFFFFFF"},
      {"one decimal", Format("%.1f", -4420.0), "-4420,0"},
      {"four decimals", Format("%.4f", 92.5), "92,5000"},
      {"no decimals rounds half away", Format("%.0f|%.0f|%.0f", 2.5, -2.5, 0.49), "3|-3|0"},
      {"decimal tie of the printed digits", Format("%.2f", 0.125), "0,13"},
      {"binary value below the tie", Format("%.2f", 2.675), "2,67"},
      {"width one without precision", Format("%1.f", 1234.4), "1234"},
      {"default two decimals", Format("%f", 3.14159), "3,14"},
      {"carry into a new digit", Format("%.1f", 99.96), "100,0"},
      {"no negative zero", Format("%.2f", -0.001), "0,00"},
      {"thousands", Format("%n", 1234567.891), "1 234 567,89"},
      {"money type", Format("%m", Money::FromUnits(-1234)), "-1 234,00  "},
      {"money as fixed", Format("%.4f", *Money::Parse("114.1912")), "114,1912"},
      {"width and left align", Format("[%5s|%-5d]", "ab", 12), "[   ab|12   ]"},
      {"precision cuts text", Format("%.2s", "abcdef"), "ab"},
      {"percent", Format("100%%"), "100%"},
      {"cyrillic text", Format(std::string("Заказ %s"_w), std::string("№1"_w)),
       "\xC7\xE0\xEA\xE0\xE7 \xB9\x31"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.got, c.expected) << c.name;
}

TEST_F(FormatTest, InvariantFormatsIgnoreTheProcessSettings) {
  EXPECT_EQ(FormatWith(InvariantFormats(), "FFB >= %.2f AND X = %.0f", {12.345, 1e6}),
            "FFB >= 12.35 AND X = 1000000");
}

TEST_F(FormatTest, MoneyFormatUsesTheCurrencySymbolAndDecimals) {
  EXPECT_EQ(FormatMoney(*Money::Parse("1234.565")), "1 234,57  ");
  FormatSettings settings = DesktopFormats();
  settings.CurrencyString = "\xF0\xF3\xE1";  // руб
  settings.CurrencyDecimals = 4;
  SetProcessFormats(settings);
  EXPECT_EQ(FormatMoney(*Money::Parse("-0.5")), "-0,5000 \xF0\xF3\xE1");
}

TEST_F(FormatTest, ArgumentsThatDoNotFitRaise) {
  EXPECT_THROW(Format("%d", "text"), Error);
  EXPECT_THROW(Format("%s", 5), Error);
  EXPECT_THROW(Format("%f", 5), Error);
  EXPECT_THROW(Format("%d %d", 5), Error);
  EXPECT_THROW(Format("%q", 5), Error);
  EXPECT_THROW(Format("trailing %"), Error);
}

TEST_F(FormatTest, ShortDate) {
  EXPECT_EQ(FormatShortDate(EncodeDate(2019, 12, 26)), "26.12.2019");
  EXPECT_EQ(FormatShortDate(0.75), "30.12.1899");
  EXPECT_EQ(FormatDate("d.m.yy", EncodeDate(2009, 3, 5)), "5.3.09");
}

TEST(DateTime, EncodesDaysSinceTheEpochOfTheFiles) {
  struct Case {
    int y, m, d;
    double serial;
  } cases[] = {{1899, 12, 30, 0},     {1900, 1, 1, 2},      {2000, 1, 1, 36526},
               {2019, 12, 26, 43825}, {2024, 2, 29, 45351}, {1800, 1, 1, -36522}};
  for (const auto& c : cases) {
    EXPECT_EQ(EncodeDate(c.y, c.m, c.d), c.serial) << c.y << "-" << c.m << "-" << c.d;
    EXPECT_EQ(DecodeDate(c.serial + 0.5), (CivilDate{c.y, c.m, c.d})) << c.serial;
  }
  EXPECT_THROW(EncodeDate(2023, 2, 29), Error);
  EXPECT_THROW(EncodeDate(2023, 13, 1), Error);
  EXPECT_EQ(DecodeDate(std::numeric_limits<double>::infinity()), (CivilDate{1899, 12, 30}));
}

}  // namespace
}  // namespace rxf
