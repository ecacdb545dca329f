#include "selection/kit_assembly.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "model/furn_comp.h"
#include "model/mat_list_item.h"
#include "selection/engine_fixture.h"

namespace rxf {
namespace {

using test::EngineFixture;
using test::ErrorOf;
using test::ItemLines;
using test::Main;
using Lines = std::vector<std::string>;

class RecordedTrace : public TKitTrace {
 public:
  void Record(const TrxfFlugel&, TTraceEntry entry) override { entries.push_back(entry); }
  std::vector<TTraceEntry> entries;
};

class KitAssembly : public ::testing::Test {
 protected:
  void SetUp() override {
    SetProcessFormats(DesktopFormats());
    f.Kit("MAIN");
  }
  void TearDown() override { SetProcessFormats(InvariantFormats()); }

  Lines Calculate(TrxfConstruction& position, const TKitChoice& choice = Main("MAIN")) {
    f.Apply(position, choice);
    return ItemLines(*position.Flugel1);
  }

  EngineFixture f;
};

TEST_F(KitAssembly, SizeBandsAndMullionMasksChooseTheRows) {
  for (const char* item : {"I1", "I2", "I3", "I4"})
    f.Item(item);
  f.KitRow("MAIN", "I1", {{"FFBMin", "60"}, {"FFBMax", "80"}});
  f.KitRow("MAIN", "I2", {{"FFBMin", "300"}});
  f.KitRow("MAIN", "I3", {{"StulpType", "64"}});  // mullion type 6: the one-sash position
  f.KitRow("MAIN", "I4", {{"StulpType", "4"}});   // mullion type 2 only
  RecordedTrace trace;
  f.Trace = &trace;
  const auto window = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*window), (Lines{"A-I1 x1 L0 S0", "A-I3 x1 L0 S0"}));
  ASSERT_EQ(trace.entries.size(), 4u);
  EXPECT_TRUE(trace.entries[0].Used);
  EXPECT_EQ(trace.entries[0].Reason, "article A-I1");
  EXPECT_FALSE(trace.entries[1].Used);
  EXPECT_EQ(trace.entries[1].Reason, "FFBMin 300 > FFB 70");
  EXPECT_EQ(trace.entries[3].Reason, "StulpType mask 4 excludes mullion type 6");
  EXPECT_EQ(trace.entries[3].Kit, "MAIN");
  EXPECT_EQ(trace.entries[3].Item, "I4");
}

TEST_F(KitAssembly, SideLengthsWithoutUpperLimit) {
  f.Item("I1");
  f.KitRow("MAIN", "I1", {{"FFL1No", "1"}, {"FFL1Min", "500"}, {"FFL1Max", "0"}});
  const auto tall = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*tall), (Lines{"A-I1 x1 L0 S0"}));
  const auto low = f.Window(700, 400);
  EXPECT_EQ(Calculate(*low), Lines{});
}

TEST_F(KitAssembly, InconsistentRowsRaiseTheirMessages) {
  struct Case {
    const char* name;
    test::Row row;
    const char* message;
  } cases[] = {
      {"side 0",
       {{"FFL1No", "0"}, {"FFL1Min", "500"}},
       "Номер 1-ой расчетной стороны в условиях определен неверно!"},
      {"side 5 of four",
       {{"FFL2No", "5"}, {"FFL2Min", "500"}},
       "Номер 2-ой расчетной стороны в условиях определен неверно!"},
      {"radius side",
       {{"FFR1No", "9"}, {"FFR1Type", "2"}},
       "радиуса стороны, на которую он устанавливается.\r\nНомер 1-ой"},
      {"angle vertex",
       {{"FFANo", "7"}, {"FFAMax", "95"}},
       "Номер расчетного угла в условиях определен неверно!"},
      {"adjacent sash missing",
       {{"FFL21No", "1"}, {"FFL21Min", "100"}},
       "Смежная створка не установлена. Установите сначала створку."},
      {"adjacent article without adjacent sash",
       {{"UseIfArt", "A-X"}},
       "Комплект для смежной створки еще не определен."},
      {"principle side",
       {{"Condition", "4"}, {"Side1No", "0"}},
       "принцип расчета, зависящий от\r\nпараметров стороны, на которую он устанавливается.\r\n"
       "Номер 1-ой расчетной стороны определен неверно!"},
      {"principle angle",
       {{"Condition", "7"}, {"AngleNo", "9"}},
       "угла, на котором он устанавливается.\r\nНомер расчетного угла определен неверно!"},
      {"zero scale step",
       {{"ScaleCondition", "1"}, {"ScaleStep", "0"}},
       "имеющий масштабирование и шаг равный нулю!"},
  };
  for (const auto& c : cases) {
    EngineFixture fresh;
    fresh.Kit("MAIN", {{"Name", "Основной"}});
    fresh.Item("I1", {{"Name", "Угловик"}});
    fresh.KitRow("MAIN", "I1", c.row);
    const auto window = fresh.Window(700, 1400);
    const std::string message = ErrorOf([&] { fresh.Apply(*window, Main("MAIN")); });
    EXPECT_TRUE(message.starts_with("В БД наборов фурнитуры в комплекте")) << c.name << message;
    EXPECT_NE(message.find("[Основной]"), std::string::npos) << c.name;
    EXPECT_NE(message.find("[Угловик]"), std::string::npos) << c.name;
    EXPECT_NE(message.find(c.message), std::string::npos) << c.name << ": " << message;
    EXPECT_EQ(window->Flugel1->FurnComp, nullptr) << c.name << ": the kit made by the call goes";
  }
}

TEST_F(KitAssembly, RunRefusesIncompleteParameters) {
  struct Case {
    const char* name;
    std::function<void(TrxfConstruction&)> change;
    const char* message;
  } cases[] = {
      {"backset", [](TrxfConstruction& p) { p.Flugel1->DornType = 202; },
       "Не определена величина 'Дормасс'!"},
      {"rebate", [](TrxfConstruction& p) { p.FalzType = 102; },
       "В документации не установлены\r\nпараметры фальца 0/0-0!"},
      {"T-sash", [](TrxfConstruction& p) { p.FlugelType = 402; },
       "Не допускается установка комплекта [MAIN] на T-образную створку!"},
      {"rebate type unknown", [](TrxfConstruction& p) { p.FalzType = 199; },
       "В БД параметров фальца отсутствуют данные для кода [199]!"},
  };
  f.Item("I1");
  f.KitRow("MAIN", "I1");
  for (const auto& c : cases) {
    const auto window = f.Window(700, 1400);
    c.change(*window);
    EXPECT_EQ(ErrorOf([&] { f.Apply(*window, Main("MAIN")); }), c.message) << c.name;
  }
  const auto window = f.Window(700, 1400);
  EXPECT_EQ(ErrorOf([&] { f.Apply(*window, Main("NOPE")); }),
            "Комплект фурнитуры [NOPE] не найден в документации!");
  f.KitRow("MAIN", "");
  EXPECT_EQ(ErrorOf([&] { f.Apply(*window, Main("MAIN")); }),
            "В БД наборов фурнитуры в комплекте\r\n[Комплект MAIN] содержится пустой элемент!");
}

TEST_F(KitAssembly, QuantitiesByScale) {
  struct Case {
    const char* name;
    test::Row row;
    int width;
    int count;
  } cases[] = {
      {"steps of FFB",
       {{"ScaleCondition", "1"}, {"ScaleStart", "60"}, {"ScaleStep", "40"}, {"ScaleNum", "1"}},
       1300,
       3},
      {"below the start",
       {{"ScaleCondition", "1"}, {"ScaleStart", "60"}, {"ScaleStep", "40"}, {"ScaleNum", "1"}},
       500,
       1},
      {"scheme reached once",
       {{"ScaleCondition", "1"}, {"ScaleScheme", "60;90;120"}, {"ScaleNum", "2"}},
       700,
       3},
      {"scheme not reached",
       {{"ScaleCondition", "1"}, {"ScaleScheme", "60;90;120"}, {"ScaleNum", "2"}},
       500,
       1},
      {"steps of side 1 length",
       {{"ScaleCondition", "3"},
        {"Side1No", "1"},
        {"ScaleStart", "400"},
        {"ScaleStep", "500"},
        {"ScaleNum", "2"}},
       700,
       8},
  };
  for (const auto& c : cases) {
    EngineFixture fresh;
    fresh.Kit("MAIN");
    fresh.Item("I1");
    fresh.KitRow("MAIN", "I1", c.row);
    const auto window = fresh.Window(c.width, 1400);
    fresh.Apply(*window, Main("MAIN"));
    ASSERT_EQ(window->Flugel1->FurnComp->Items.size(), 1u) << c.name;
    EXPECT_EQ(window->Flugel1->FurnComp->Items[0]->Count, c.count) << c.name;
  }
  EXPECT_EQ(CountScaleSteps("600;900; 1200", 1000), 2);
  EXPECT_EQ(CountScaleSteps("600;x;-1;;1000", 1000), 2);
}

TEST_F(KitAssembly, CutLengthsAndTheirMinimum) {
  f.Item("ROD");
  f.KitRow("MAIN", "ROD", {{"UseLen", "1"}, {"LenFormula", "FН - 150"}, {"MinLen", "1000"}});
  const auto window = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*window), (Lines{"A-ROD x1 L1250 S0"}));
  EXPECT_FLOAT_EQ(window->Flugel1->MatList[0]->Number, 1.25f);
  const auto low = f.Window(700, 1000);
  EXPECT_EQ(ErrorOf([&] { f.Apply(*low, Main("MAIN")); }),
            "В БД наборов фурнитуры в комплекте [Комплект MAIN]\r\nсодержится элемент фурнитуры "
            "[Элемент ROD],\r\nимеющий недопустимое расчетное значение длины 850,0 (Мин. "
            "допустимая длина = 1000)!\r\n(Одна из возможных причин - установлена недопустимая "
            "высота ручки при расчете тяги)");
}

TEST_F(KitAssembly, EqualRowsMergeAndCompositesExpand) {
  f.Item("I1");
  f.Item("COMP", {{"Virtual", "1"}});
  f.Item("S1");
  f.Item("S2");
  f.KitRow("MAIN", "I1", {{"Number", "2"}});
  f.KitRow("MAIN", "I1", {{"Number", "3"}});
  f.KitRow("MAIN", "COMP", {{"Number", "3"}, {"ItemSideNo", "2"}});
  f.Add("FrnItoI", {{"ID", "COMP"}, {"Item", "S1"}, {"Number", "2"}, {"Required", "1"}});
  f.Add("FrnItoI", {{"ID", "COMP"}, {"Item", "S2"}, {"Number", "1"}, {"StulpType", "4"}});
  f.Add("FrnItoI", {{"ID", "COMP"}, {"Item", "S2"}, {"Number", "1"}, {"ItemSideNo", "4"}});
  const auto window = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*window), (Lines{"A-I1 x5 L0 S0", "A-S1 x6 L0 S2", "A-S2 x3 L0 S4"}));
  f.DebugMode = true;
  const auto debugged = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*debugged).size(), 4u);
  EXPECT_EQ(Cp1251ToUtf8(debugged->Flugel1->FurnComp->Items[0]->History),
            "Комплект:MAIN -> Элемент:I1 -> Артикул:A-I1");
  EXPECT_EQ(Cp1251ToUtf8(debugged->Flugel1->FurnComp->Items[2]->History),
            "Комплект:MAIN -> Элемент:COMP -> Элемент:S1 -> Артикул:A-S1");
}

TEST_F(KitAssembly, FollowUpArticles) {
  f.Item("I1");
  f.Item("I2");
  f.KitRow("MAIN", "I1", {{"ItemSideNo", "1"}, {"Number", "2"}});
  f.KitRow("MAIN", "I2");
  for (const auto& [item, group] : std::vector<std::pair<std::string, std::string>>{
           {"P1", "1200"}, {"P2", "0"}, {"P3", "0"}, {"P4", "1205"}, {"P5", "1204"}, {"P9", "0"}})
    f.Item(item, {{"CommonGrp", group}});
  const auto plate = [&](const std::string& item, const test::Row& extra) {
    test::Row row = {{"CatalogID", "A-I1"}, {"Item", item}, {"Number", "1"}};
    for (const auto& [k, v] : extra)
      row[k] = v;
    f.Add("FrnSchl", row);
  };
  plate("P1", {});                             // hundred-group of the system
  plate("P2", {{"ItemSideNo", "3"}});          // another side
  plate("P3", {{"ItemComplectID", "OTHER"}});  // another kit
  plate("P4", {});                             // another system
  plate("P5", {{"ItemComplectID", "MAIN"}, {"Number", "3"}});
  f.Add("FrnSchl", {{"CatalogID", "ACC1"}, {"Item", "P9"}, {"Number", "1"}});
  for (const char* code : {"COVER-W", "COVER-X", "ACC1", "ACC2"})
    f.Add("Catalog", {{"ID", code}, {"Price", "1"}, {"Currency", "1"}});
  f.Add("FrnAbd",
        {{"CatalogID", "A-I1"}, {"Color", "9016"}, {"AccessoryID", "COVER-W"}, {"Number", "1"}});
  f.Add("FrnAbd", {{"CatalogID", "A-I1"}, {"AccessoryID", "COVER-X"}, {"Number", "1"}});
  f.Add("FrnAbd",
        {{"CatalogID", "A-I2"}, {"Color", "8001"}, {"AccessoryID", "COVER-W"}, {"Number", "1"}});
  f.Add("FrnAbd", {{"CatalogID", "A-I2"}, {"AccessoryID", "COVER-X"}, {"Number", "1"}});
  f.Add("FrnDop", {{"CatalogID", "A-P1"}, {"AccessoryID", "ACC1"}, {"Number", "1"}});
  f.Add("FrnDop", {{"CatalogID", "A-I2"}, {"AccessoryID", "ACC2"}, {"Number", "1"}});
  f.Add("FrnDop", {{"CatalogID", "A-I2"}, {"AccessoryID", "ACC2"}, {"Number", "-1"}});
  const auto window = f.Window(700, 1400);
  EXPECT_EQ(Calculate(*window),
            (Lines{"A-I1 x2 L0 S1", "A-I2 x1 L0 S0", "A-P1 x2 L0 S1", "A-P5 x6 L0 S1",
                   "ACC1 x2 L0 S1", "COVER-W x2 L0 S1", "COVER-X x1 L0 S0"}));
  // A non-numeric fittings system admits every group.
  const auto other = f.Window(700, 1400);
  f.Apply(*other, Main("MAIN"), {}, "ABC");
  EXPECT_EQ(ItemLines(*other->Flugel1).size(), 8u);
}

TEST_F(KitAssembly, AdjacentSashArticlesAndSystems) {
  f.Kit("LEFT");
  f.Item("I1");
  f.Item("I2");
  f.KitRow("LEFT", "I1");
  f.KitRow("MAIN", "I2", {{"UseIfArt", "A-I1"}});
  f.KitRow("MAIN", "I1", {{"UseIfArt", "A-OTHER"}});
  const auto window = f.Window(1200, 1400, 600);
  f.Apply(*window, Main("LEFT"), Main("MAIN"));
  EXPECT_EQ(ItemLines(*window->Flugel2), (Lines{"A-I2 x1 L0 S0"}));
  // Without a kit on the leading sash the follower loses its kit, and its rule that refers to
  // the leading sash's articles cannot hold.
  EXPECT_NE(ErrorOf([&] {
              f.Apply(*window, TKitChoice{}, Main("MAIN"));
            }).find("Установите сначала комплект на соседнюю створку!"),
            std::string::npos);
  EXPECT_EQ(window->Flugel1->FurnComp, nullptr);
  EXPECT_EQ(window->Flugel2->FurnComp, nullptr);
}

TEST_F(KitAssembly, HandleHeightsFromArticles) {
  f.Kit("TT", {{"Image", "3"}});  // a turn-tilt kit: its sash has a handle of its own
  f.Kit("HANDLE", {{"Direct", "1"}});
  f.Add("FrnSide", {{"ID", "TT"}, {"Side", "1"}, {"Handled", "1"}});
  f.Item("G1", {}, {{"HandleHeight", "1050"}});
  f.Item("G2");
  f.KitRow("HANDLE", "G1", {{"DefineHandleHeight", "1"}});
  f.KitRow("TT", "G2", {{"DefineHandleHeight", "1"}, {"Condition", "2"}});
  TKitChoice choice = Main("TT");
  choice.HandleID = "HANDLE";
  const auto window = f.Window(700, 1400);
  f.Apply(*window, choice);
  // The main kit's article sets half the rebate height (in centimetres), the handle kit 1050.
  EXPECT_EQ(window->Flugel1->GetHandleHeight(), 1050);
  choice.UserDefineHeight = true;
  choice.HandleHeight = 900;
  const auto typed = f.Window(700, 1400);
  f.Apply(*typed, choice);
  EXPECT_EQ(typed->Flugel1->GetHandleHeight(), 900);
  choice.HandleID.clear();
  choice.UserDefineHeight = false;
  const auto mainOnly = f.Window(700, 1400);
  f.Apply(*mainOnly, choice);
  EXPECT_EQ(mainOnly->Flugel1->GetHandleHeight(), 70);
}

TEST_F(KitAssembly, KitFitsSashBySideTable) {
  const test::Row wide = {{"ID", "RECT"},       {"MinSize", "0"},   {"MaxSize", "9999"},
                          {"MinAngle", "90"},   {"MaxAngle", "90"}, {"MinRadius", "0"},
                          {"MaxRadius", "9999"}};
  for (int side = 1; side <= 4; ++side) {
    test::Row row = wide;
    row["Side"] = std::to_string(side);
    if (side == 2)
      row["ID"] = "RECT", row["MaxSize"] = "9999";
    f.Add("FrnSide", row);
    row["ID"] = "SMALL";
    if (side == 3)
      row["MaxSize"] = "0";
    f.Add("FrnSide", row);
  }
  const TDM& dm = f.Catalogue();
  const auto window = f.Window(700, 1400);
  EXPECT_TRUE(CompFitsFlugel(dm, window->Flugel1.get(), "RECT"));
  EXPECT_FALSE(CompFitsFlugel(dm, window->Flugel1.get(), "SMALL"));
  EXPECT_FALSE(CompFitsFlugel(dm, window->Flugel1.get(), "NONE"));
  EXPECT_FALSE(CompFitsFlugel(dm, nullptr, "RECT"));
  const auto triangle = f.Window(1000, 1000, 0, 5);
  EXPECT_FALSE(CompFitsFlugel(dm, triangle->Flugel1.get(), "RECT"));
  const auto arched = f.Window(700, 1400, 0, 0, 350);
  EXPECT_FALSE(CompFitsFlugel(dm, arched->Flugel1.get(), "RECT"));  // no semicircle allowed
}

}  // namespace
}  // namespace rxf
