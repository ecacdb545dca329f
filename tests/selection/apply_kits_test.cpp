// Applying kits to positions: side roles from the main kit, previews, failures and prices.
#include <gtest/gtest.h>

#include "catalogue/currency_list.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/furn_comp.h"
#include "selection/engine_fixture.h"
#include "selection/kit_assembly.h"

namespace rxf {
namespace {

using test::EngineFixture;
using test::Main;

class ApplyKits : public ::testing::Test {
 protected:
  void SetUp() override {
    f.Kit("TT", {{"Image", "3"}, {"ScrColor", "255"}});
    f.Kit("HINGE", {{"Image", "7"}, {"ScrColor", "77"}});
    for (const test::Row& side : std::vector<test::Row>{
             {{"Side", "1"}, {"Banded", "1"}},
             {{"Side", "2"}, {"Drived", "1"}},
             {{"Side", "3"}, {"OpenMode", "1"}, {"RotSide", "1"}, {"Handled", "1"}},
             {{"Side", "9"}, {"Handled", "1"}}}) {  // beyond the contour: ignored
      test::Row row = side;
      row["ID"] = "TT";
      f.Add("FrnSide", row);
    }
    f.Item("I1");
    f.KitRow("TT", "I1", {{"Number", "2"}});
  }
  EngineFixture f;
};

TEST_F(ApplyKits, SideRolesPicturesAndColoursFromTheMainKit) {
  const auto window = f.Window(700, 1400);
  TKitChoice choice = Main("TT");
  window->PreviewKits(f.Catalogue(), choice, {});
  const TrxfFlugel& sash = *window->Flugel1;
  ASSERT_NE(sash.FurnComp, nullptr);
  EXPECT_TRUE(sash.FurnComp->Items.empty());  // a preview calculates nothing
  EXPECT_TRUE(sash.Lines[0]->Banded);
  EXPECT_TRUE(sash.Lines[1]->Drived);
  EXPECT_TRUE(sash.Lines[2]->OpenMark);
  EXPECT_EQ(sash.Lines[2]->OpenTarget, 0);
  EXPECT_TRUE(sash.Lines[2]->Handled);
  EXPECT_EQ(sash.Lines[2]->HandleHeight, 700);  // half the side when the user typed nothing
  EXPECT_EQ(sash.FurnComp->ComplectImage, 3);
  EXPECT_EQ(sash.FurnComp->HingeImage, 20);  // hinges of the main kit
  EXPECT_EQ(sash.FurnComp->HingeColor, 255);
  EXPECT_EQ(sash.FurnComp->HandleColor, 0xFFFFFF);

  choice.HingeID = "HINGE";
  choice.UserDefineHeight = true;
  choice.HandleHeight = 1050;
  window->PreviewKits(f.Catalogue(), choice, {});
  EXPECT_EQ(sash.Lines[2]->HandleHeight, 1050);
  EXPECT_EQ(sash.FurnComp->HingeImage, 7);
  EXPECT_EQ(sash.FurnComp->HingeColor, 77);

  window->PreviewKits(f.Catalogue(), {}, {});
  EXPECT_EQ(sash.FurnComp, nullptr);
  EXPECT_FALSE(sash.Lines[2]->Handled);
  EXPECT_EQ(sash.Lines[2]->OpenTarget, -1);
}

TEST_F(ApplyKits, PricesAndCostOfThePosition) {
  const auto window = f.Window(700, 1400);
  window->Number = 3;
  f.Apply(*window, Main("TT"));
  ASSERT_EQ(window->Flugel1->MatList.size(), 1u);
  EXPECT_EQ(window->Price.ToText(), "3.0000");  // two pieces at 1.5
  EXPECT_EQ(window->GetCost().ToText(), "9.0000");
  EXPECT_EQ(window->Flugel1->MatListCost(), window->Price);
}

TEST_F(ApplyKits, FailedCalculationOfAnExistingKitKeepsTheChoiceWithoutItems) {
  const auto window = f.Window(700, 1400);
  f.Apply(*window, Main("TT"));
  TKitChoice additionalOnly;
  additionalOnly.AddComplects = {"TT"};
  try {
    f.Apply(*window, additionalOnly);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(Cp1251ToUtf8(e.what()), "Комплект фурнитуры [] не найден в документации!");
  }
  ASSERT_NE(window->Flugel1->FurnComp, nullptr);
  EXPECT_TRUE(window->Flugel1->FurnComp->Items.empty());
  EXPECT_EQ(window->Flugel1->FurnComp->AddComplects, std::vector<std::string>{"TT"});
}

}  // namespace
}  // namespace rxf
