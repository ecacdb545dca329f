// The selection file: its bytes, a round trip, the signature check and the version gates.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "documents/order_selection.h"
#include "fixture.h"
#include "foundation/temp_home.h"
#include "model/slot_bytes.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::Messages;
using test::ReadBytes;
using test::SlotBytes;
using test::W;
using test::WriteBytes;
using Kind = RecordingUi::Kind;

class SelectionFile : public TempHome {
 protected:
  fs::path File() const { return Home() / "sel.rfs370"; }
};

// The bytes of a selection of this version with one item, built slot by slot.
std::string SelectionBytes(std::string_view signature, std::string_view version) {
  std::string bytes = SlotBytes().Text(signature).Text(version).Integer(1).Integer(2).Bytes();
  bytes += test::DateSlot(43000.5) + test::DateSlot(43001.5);
  bytes += SlotBytes().Integer(3).Text(W("В-1")).Bytes() + test::DateSlot(43100);
  return bytes + SlotBytes()
                     .Text(W("Выборка"))
                     .Integer(2)
                     .Integer(1)
                     .Real(1)
                     .Integer(2)
                     .Real(92.5)
                     .Integer(2)
                     .Integer(4)
                     .Real(20)
                     .Byte(1)
                     .Text("a\r\nb\r\n")
                     .Integer(1)
                     .Boolean(false)
                     .Text("Z-1")
                     .Text("1a")
                     .Real(700)
                     .Real(1400.5f)
                     .Integer(3)
                     .Text(W("Окно"))
                     .Text("%Z-1.RFO370")
                     .Bytes();
}

TEST_F(SelectionFile, ReadsEveryFieldAndItemAndWritesTheSameBytes) {
  const std::string bytes = SelectionBytes("Ramulex Furniture Selection File", "06.10.2015");
  WriteBytes(File(), bytes);
  RecordingUi ui;
  TrxfOrderSelection selection("/orders");
  ASSERT_EQ(selection.LoadFromFile(File(), ui), TLoadOutcome::Complete);
  EXPECT_TRUE(ui.Entries().empty());
  EXPECT_EQ(selection.Reserved1, 1);
  EXPECT_EQ(selection.Reserved2, 2);
  EXPECT_EQ(selection.TimeStamp1, 43000.5);
  EXPECT_EQ(selection.TimeStamp2, 43001.5);
  EXPECT_EQ(selection.Reserved3, 3);
  EXPECT_EQ(selection.SelectionNo, W("В-1"));
  EXPECT_EQ(selection.RegDate, 43100);
  EXPECT_EQ(selection.Name, W("Выборка"));
  ASSERT_EQ(selection.Currencies.size(), 2u);
  EXPECT_EQ(selection.Currencies[1].Value, 92.5f);
  EXPECT_EQ(selection.Currency, 2);
  EXPECT_EQ(selection.PriceGroupNo, 4);
  EXPECT_EQ(selection.NDSTax, 20);
  EXPECT_EQ(selection.RoundMode, 1);
  EXPECT_EQ(selection.Note, (std::vector<std::string>{"a", "b"}));
  ASSERT_EQ(selection.Count(), 1u);
  const TrxfOrderSelectionItem& item = selection.GetItem(0);
  EXPECT_FALSE(item.Included);
  EXPECT_EQ(item.OrderNo, "Z-1");
  EXPECT_EQ(item.PosNo, "1a");
  EXPECT_EQ(item.Width, 700);
  EXPECT_EQ(item.Height, 1400.5f);
  EXPECT_EQ(item.Count, 3);
  EXPECT_EQ(item.ProductName, W("Окно"));
  EXPECT_EQ(item.OrderFile, "%Z-1.RFO370");
  EXPECT_EQ(item.Selection, &selection);

  ASSERT_TRUE(selection.SaveToFile(Home() / "again.rfs370", ui));
  EXPECT_EQ(ReadBytes(Home() / "again.rfs370"), bytes);
}

TEST_F(SelectionFile, SavedFileBeginsWithSignatureAndVersion) {
  RecordingUi ui;
  TrxfOrderSelection selection("/orders");
  selection.Version = "01.01.2001";
  ASSERT_TRUE(selection.SaveToFile(File(), ui));
  EXPECT_EQ(selection.Version, "06.10.2015");
  const std::string head =
      SlotBytes().Text("Ramulex Furniture Selection File").Text("06.10.2015").Bytes();
  EXPECT_EQ(ReadBytes(File()).substr(0, head.size()), head);
  EXPECT_EQ(head.substr(0, 5), std::string("\x20\0\0\0R", 5));
}

TEST_F(SelectionFile, SignatureAndVersionChecks) {
  const std::string question =
      "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: 05.10.2015\r\nТекущая "
      "версия: 06.10.2015";
  struct Case {
    const char* name;
    std::string bytes;
    bool answer;
    TLoadOutcome outcome;
    std::vector<std::string> messages;
  } cases[] = {
      {"an order file",
       test::OrderFileBytes("26.12.2019", "N1"),
       true,
       TLoadOutcome::Stopped,
       {"Данный файл не является файлом Korvat Tessarin!"}},
      {"older, converted",
       SelectionBytes("Ramulex Furniture Selection File", "05.10.2015"),
       true,
       TLoadOutcome::Converted,
       {question}},
      {"older, not converted",
       SelectionBytes("Ramulex Furniture Selection File", "05.10.2015"),
       false,
       TLoadOutcome::Stopped,
       {question}},
      {"newer",
       SelectionBytes("Ramulex Furniture Selection File", "07.10.2015"),
       true,
       TLoadOutcome::Stopped,
       {"Вы пытаетесь открыть выборку, созданную более новой версией программы, чем "
        "текущая.\r\nДанный модуль поддерживает файлы выборки\r\nверсии не старше: "
        "06.10.2015!\r\nЗагружаемая версия: 07.10.2015"}},
  };
  for (const auto& c : cases) {
    WriteBytes(File(), c.bytes);
    RecordingUi ui;
    ui.SetAnswer(c.answer);
    TrxfOrderSelection selection("/orders");
    selection.Name = "kept";
    EXPECT_EQ(selection.LoadFromFile(File(), ui), c.outcome) << c.name;
    EXPECT_EQ(Messages(ui), c.messages) << c.name;
    EXPECT_EQ(selection.Name, ReadWhole(c.outcome) ? W("Выборка") : "kept") << c.name;
    EXPECT_EQ(selection.IsPartial(), !ReadWhole(c.outcome)) << c.name;
  }
}

TEST_F(SelectionFile, TruncatedFileFailsWithTheLoadMessageAndIsNotSavedOverItself) {
  const std::string bytes = SelectionBytes("Ramulex Furniture Selection File", "06.10.2015");
  WriteBytes(File(), bytes.substr(0, bytes.size() - 20));
  RecordingUi ui;
  TrxfOrderSelection selection("/orders");
  EXPECT_EQ(selection.LoadFromFile(File(), ui), TLoadOutcome::Failed);
  const auto errors = Messages(ui, Kind::Error);
  ASSERT_FALSE(errors.empty());
  EXPECT_EQ(errors.back().rfind("Ошибка загрузки выборки!\r\n(", 0), 0u) << errors.back();
  EXPECT_FALSE(selection.SaveToFile(File(), ui));
  EXPECT_EQ(Messages(ui, Kind::Error).back().rfind("Ошибка сохранения выборки!\r\n(", 0), 0u);
  EXPECT_EQ(ReadBytes(File()), bytes.substr(0, bytes.size() - 20));
}

TEST_F(SelectionFile, DamagedFilesNeverCrashTheLoaderAndFailuresAreReported) {
  const std::string valid = SelectionBytes("Ramulex Furniture Selection File", "06.10.2015");
  std::mt19937 random(11);
  for (int round = 0; round < 500; ++round) {
    std::string bytes = valid.substr(0, random() % (valid.size() + 1));
    for (int flips = random() % 4; flips > 0 && !bytes.empty(); --flips)
      bytes[random() % bytes.size()] = static_cast<char>(random());
    WriteBytes(File(), bytes);
    RecordingUi ui;
    TrxfOrderSelection selection("/orders");
    if (selection.LoadFromFile(File(), ui) != TLoadOutcome::Failed)
      continue;
    const auto errors = Messages(ui, Kind::Error);
    ASSERT_FALSE(errors.empty()) << "round " << round;
    EXPECT_EQ(errors.back().rfind("Ошибка загрузки выборки!\r\n(", 0), 0u) << "round " << round;
  }
}

}  // namespace
}  // namespace rxf
