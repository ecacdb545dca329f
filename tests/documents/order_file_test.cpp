// The order file: its bytes, a round trip of every field, the version gates and the load outcomes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/order.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/spec_stream.h"
#include "foundation/temp_home.h"
#include "model/slot_bytes.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::Line;
using test::M;
using test::Messages;
using test::OrderFileBytes;
using test::Position;
using test::ReadBytes;
using test::W;
using test::WriteBytes;
using Kind = RecordingUi::Kind;

class OrderFile : public TempHome {
 protected:
  fs::path File(const std::string& name = "order.rfo370") const { return Home() / name; }
};

// An order with a value in every field that the file holds, and two positions.
void FillEveryField(TrxfOrder& order) {
  order.Reserved1 = 7;
  order.Reserved2 = -8;
  order.TimeStamp1 = 43000.25;
  order.TimeStamp2 = 43001.5;
  order.Reserved3 = 9;
  order.OrderNo = W("З-17");
  order.AltOrderNo = "ALT-1";
  order.Customer = W("ООО \"Окна\"");
  order.ObjectName = W("Дом");
  order.Address = W("ул. Ленина, 1");
  order.Phones = "+7 495 000";
  order.Remark = "!";
  order.RegDate = 43100;
  order.RegDateChecked = false;
  order.ProfSys = "P58";
  order.InnerProfColor = "9016";
  order.OuterProfColor = "9010";
  order.FurnSys = "1204";
  order.FurnColor = "F9016";
  order.Handle = "H1";
  order.Falz = 101;
  order.Dorn = 201;
  order.StulpType = 301;
  order.OpenType = 401;
  order.PriceGroupNo = 3;
  order.NDSTax = 0.1f;
  order.GetTotalNDS = true;
  order.ShowIncludingNDS = true;
  order.Currencies = {{1, 1.0f}, {2, 92.5f}};
  order.Currency = 2;
  order.Note = {W("первая"), "", "third"};
  auto first = Position("1", 2, "12.3456");
  first->Flugel1->MatList.push_back(Line("A-100", 2.5f, "1.2345"));
  order.Add(std::move(first));
  auto second = Position(W("2б"), 1, "7", true);
  second->Included = false;
  second->Flugel2->MatList.push_back(Line("B-200", 1, "5"));
  order.Add(std::move(second));
}

// The position records as bytes: the model's own record is checked by the model's tests.
std::string PositionBytes(const TrxfOrder& order, RecordingUi& ui) {
  TSpecStream stream(ui);
  for (std::size_t i = 0; i < order.Count(); ++i)
    order.GetPosition(i).Save(stream);
  return std::string(stream.Content());
}

TEST_F(OrderFile, SavedFileBeginsWithSignatureVersionAndReserved1) {
  RecordingUi ui;
  TrxfOrder order;
  order.Reserved1 = 5;
  ASSERT_TRUE(order.SaveToFile(File(), ui));
  const std::string expected =
      test::SlotBytes().Text("Ramulex Furniture Order File").Text("26.12.2019").Integer(5).Bytes();
  EXPECT_EQ(ReadBytes(File()).substr(0, expected.size()), expected);
  EXPECT_EQ(ReadBytes(File()).substr(0, 8), std::string("\x1C\0\0\0Ramu", 8));
}

TEST_F(OrderFile, EveryFieldRoundTripsExceptMaterial) {
  RecordingUi ui;
  TrxfOrder saved;
  FillEveryField(saved);
  saved.Version = "01.01.2010";  // a save makes it current
  saved.Material = 5;
  ASSERT_TRUE(saved.SaveToFile(File(), ui));
  EXPECT_EQ(saved.Version, "26.12.2019");

  TrxfOrder loaded;
  loaded.Add(Position("old", 1));
  loaded.Currencies = {{9, 9.0f}};
  loaded.Material = 6;
  ASSERT_EQ(loaded.LoadFromFile(File(), ui), TLoadOutcome::Complete);
  EXPECT_TRUE(ui.Entries().empty());
  EXPECT_EQ(loaded.Version, "26.12.2019");
  EXPECT_EQ(loaded.Reserved1, 7);
  EXPECT_EQ(loaded.Reserved2, -8);
  EXPECT_EQ(loaded.TimeStamp1, 43000.25);
  EXPECT_EQ(loaded.TimeStamp2, 43001.5);
  EXPECT_EQ(loaded.Reserved3, 9);
  EXPECT_EQ(loaded.OrderNo, W("З-17"));
  EXPECT_EQ(loaded.AltOrderNo, "ALT-1");
  EXPECT_EQ(loaded.Customer, W("ООО \"Окна\""));
  EXPECT_EQ(loaded.ObjectName, W("Дом"));
  EXPECT_EQ(loaded.Address, W("ул. Ленина, 1"));
  EXPECT_EQ(loaded.Phones, "+7 495 000");
  EXPECT_EQ(loaded.Remark, "!");
  EXPECT_EQ(loaded.RegDate, 43100);
  EXPECT_FALSE(loaded.RegDateChecked);
  EXPECT_EQ(loaded.ProfSys, "P58");
  EXPECT_EQ(loaded.InnerProfColor, "9016");
  EXPECT_EQ(loaded.OuterProfColor, "9010");
  EXPECT_EQ(loaded.FurnSys, "1204");
  EXPECT_EQ(loaded.FurnColor, "F9016");
  EXPECT_EQ(loaded.Handle, "H1");
  EXPECT_EQ(loaded.Falz, 101);
  EXPECT_EQ(loaded.Dorn, 201);
  EXPECT_EQ(loaded.StulpType, 301);
  EXPECT_EQ(loaded.OpenType, 401);
  EXPECT_EQ(loaded.Material, 6);
  EXPECT_EQ(loaded.PriceGroupNo, 3);
  EXPECT_EQ(loaded.NDSTax, 0.1f);
  EXPECT_TRUE(loaded.GetTotalNDS);
  EXPECT_TRUE(loaded.ShowIncludingNDS);
  ASSERT_EQ(loaded.Currencies.size(), 2u);
  EXPECT_EQ(loaded.Currencies[1].ID, 2);
  EXPECT_EQ(loaded.Currencies[1].Value, 92.5f);
  EXPECT_EQ(loaded.Currency, 2);
  EXPECT_EQ(loaded.Note, saved.Note);
  ASSERT_EQ(loaded.Count(), 2u);
  EXPECT_EQ(loaded.GetPosition(1).Order, &loaded);
  EXPECT_EQ(PositionBytes(loaded, ui), PositionBytes(saved, ui));
  EXPECT_EQ(loaded.GetTotalCost(), saved.GetTotalCost());
}

TEST_F(OrderFile, OrderWithoutPositionsWritesZeroAndReadsBackEmpty) {
  RecordingUi ui;
  TrxfOrder order;
  ASSERT_TRUE(order.SaveToFile(File(), ui));
  const std::string bytes = ReadBytes(File());
  EXPECT_EQ(bytes.substr(bytes.size() - 16), test::SlotBytes().Integer(0).Bytes());
  TrxfOrder loaded;
  loaded.Add(Position("1", 1));
  EXPECT_EQ(loaded.LoadFromFile(File(), ui), TLoadOutcome::Complete);
  EXPECT_EQ(loaded.Count(), 0u);
}

TEST_F(OrderFile, ForeignSignatureWithTheCurrentVersionLoads) {
  RecordingUi ui;
  std::string bytes = OrderFileBytes("26.12.2019", "N1");
  bytes.replace(4, 7, "Someone");
  WriteBytes(File(), bytes);
  TrxfOrder order;
  EXPECT_EQ(order.LoadFromFile(File(), ui), TLoadOutcome::Complete);
  EXPECT_EQ(order.OrderNo, "N1");
}

// The version gates over the year-end cases; the key is day + 31 x month + 365 x year.
TEST_F(OrderFile, VersionGates) {
  const std::string question =
      "Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %s\r\nТекущая версия: "
      "26.12.2019";
  const std::string warning =
      "Вы пытаетесь открыть заказ, созданный более новой версией программы, чем текущая.\r\nДанный "
      "модуль технолога поддерживает файлы заказа\r\nверсии не старше: 26.12.2019!\r\nЗагружаемая "
      "версия: %s";
  struct Case {
    const char* version;
    bool answer;
    TLoadOutcome outcome;
    const std::string* message;     // %s: the version; null: none
    std::vector<std::int32_t> ids;  // Falz, Dorn, StulpType, OpenType after the load
  } cases[] = {
      {"26.12.2019", true, TLoadOutcome::Complete, nullptr, {11, 12, 13, 14}},
      {"10.12.2009", true, TLoadOutcome::Converted, &question, {11, 12, 13, 14}},
      {"09.12.2009", true, TLoadOutcome::Converted, &question, {1, 2, 3, 4}},
      {"10.12.2009", false, TLoadOutcome::Stopped, &question, {1, 2, 3, 4}},
      {"27.12.2019", true, TLoadOutcome::Stopped, &warning, {1, 2, 3, 4}},
      {"1.1.2020", true, TLoadOutcome::Converted, &question, {11, 12, 13, 14}},
      {"02.01.2020", true, TLoadOutcome::Stopped, &warning, {1, 2, 3, 4}},
      {"3.1.2020", true, TLoadOutcome::Stopped, &warning, {1, 2, 3, 4}},
  };
  for (const auto& c : cases) {
    const std::string name = std::string(c.version) + (c.answer ? " OK" : " Cancel");
    WriteBytes(File(), OrderFileBytes(c.version, "N1"));
    RecordingUi ui;
    ui.SetAnswer(c.answer);
    TrxfOrder order;
    order.Falz = 1;
    order.Dorn = 2;
    order.StulpType = 3;
    order.OpenType = 4;
    order.Add(Position("kept", 1));
    EXPECT_EQ(order.LoadFromFile(File(), ui), c.outcome) << name;
    EXPECT_EQ(order.Version, c.version) << name;
    EXPECT_EQ(order.Reserved3, 3) << name;
    const bool whole = ReadWhole(c.outcome);
    EXPECT_EQ(order.OrderNo, whole ? "N1" : "") << name;
    EXPECT_EQ(order.Count(), whole ? 0u : 1u) << name;
    EXPECT_EQ(order.IsPartial(), !whole) << name;
    EXPECT_EQ((std::vector<std::int32_t>{order.Falz, order.Dorn, order.StulpType, order.OpenType}),
              c.ids)
        << name;
    std::vector<std::string> expected;
    if (c.message) {
      std::string text = *c.message;
      text.replace(text.find("%s"), 2, c.version);
      expected.push_back(text);
    }
    EXPECT_EQ(Messages(ui), expected) << name;
    if (c.message) {
      EXPECT_EQ(ui.Entries()[0].kind, c.message == &question ? Kind::Question : Kind::Warning)
          << name;
    }
  }
}

TEST_F(OrderFile, EmptyNameGivesFalseWithoutAMessage) {
  RecordingUi ui;
  TrxfOrder order;
  EXPECT_FALSE(order.SaveToFile("", ui));
  EXPECT_EQ(order.LoadFromFile("", ui), TLoadOutcome::Failed);
  EXPECT_TRUE(ui.Entries().empty());
}

TEST_F(OrderFile, MissingFileRaisesToTheCaller) {
  RecordingUi ui;
  TrxfOrder order;
  EXPECT_THROW(order.LoadFromFile(File("missing.rfo370"), ui), Error);
}

}  // namespace
}  // namespace rxf
