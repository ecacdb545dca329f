#include "model/furn_comp.h"

#include <gtest/gtest.h>

#include "catalogue/csv_reader.h"
#include "catalogue/currency_list.h"
#include "catalogue/data_module.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "model/construction.h"
#include "model/mat_list_item.h"

namespace rxf {
namespace {

// The small catalogue of the catalogue tests: A-300 is virtual, A-100 costs 12.34 in roubles.
const TDM& Catalogue() {
  static const std::unique_ptr<TDM> dm = [] {
    CsvCatalogueReader reader(std::filesystem::path(RXF_TEST_DATA) / "catalogue/small");
    return std::make_unique<TDM>(reader);
  }();
  return *dm;
}

TEST(FurnComp, AddItemMergesEqualItemsUnlessDebugging) {
  TrxfFurnComp kit(nullptr);
  kit.AddItem(Catalogue(), "A-100", "K1", "h1", false, 0, "note", 2, 1);
  kit.AddItem(Catalogue(), "A-100", "K1", "h2", false, 0, "note", 3, 1);
  ASSERT_EQ(kit.Items.size(), 1u);
  EXPECT_EQ(kit.Items[0]->Count, 5);
  EXPECT_EQ(kit.Items[0]->History, "");
  EXPECT_EQ(kit.Items[0]->FurnComp, &kit);

  struct Case {
    const char* name;
    const char* article;
    const char* comment;
    float length;
    std::int32_t count, side;
  } differing[] = {
      {"comment", "A-100", "other", 0, 1, 1},
      {"length", "A-100", "note", 1250, 1, 1},
      {"side", "A-100", "note", 0, 1, 2},
  };
  for (const auto& c : differing) {
    const std::size_t before = kit.Items.size();
    kit.AddItem(Catalogue(), c.article, "K1", "", false, c.length, c.comment, c.count, c.side);
    EXPECT_EQ(kit.Items.size(), before + 1) << c.name;
  }

  TrxfFurnComp debug(nullptr);
  debug.AddItem(Catalogue(), "A-100", "K1", "h1", true, 0, "note", 2, 1);
  debug.AddItem(Catalogue(), "A-100", "K1", "h2", true, 0, "note", 3, 1);
  ASSERT_EQ(debug.Items.size(), 2u);
  EXPECT_EQ(debug.Items[0]->History, "h1");
  EXPECT_EQ(debug.Items[1]->History, "h2");
  EXPECT_EQ(debug.FindArticle("A-100"), 0);
  EXPECT_EQ(debug.FindItem("A-100", "K1", 0, 1, "note"), 0);
  EXPECT_EQ(debug.FindItem("A-100", "K2", 0, 1, "note"), -1);
}

TEST(FurnComp, AddItemIgnoresEmptyZeroAndVirtualArticles) {
  TrxfFurnComp kit(nullptr);
  kit.AddItem(Catalogue(), "", "K1", "", false, 0, "", 2, 0);
  kit.AddItem(Catalogue(), "A-100", "K1", "", false, 0, "", 0, 0);
  kit.AddItem(Catalogue(), "A-300", "K1", "", false, 0, "", 2, 0);
  EXPECT_TRUE(kit.Items.empty());
  kit.AddItem(Catalogue(), "NOT-IN-CATALOGUE", "K1", "", false, 0, "", 1, 0);
  EXPECT_EQ(kit.Items.size(), 1u);
}

TEST(FurnComp, ClearEmptiesTheChoice) {
  TrxfFurnComp kit(nullptr);
  kit.ComplectID = "K1";
  kit.HandleHeight = 900;
  kit.UserDefineHeight = true;
  kit.HandleColor = 5;
  kit.Properties = {"0=1231"};
  kit.AddItem(Catalogue(), "A-100", "K1", "", false, 0, "", 1, 0);
  kit.Clear();
  EXPECT_EQ(kit.ComplectID, "");
  EXPECT_EQ(kit.HandleHeight, 0);
  EXPECT_FALSE(kit.UserDefineHeight);
  EXPECT_EQ(kit.HandleColor, 0);
  EXPECT_EQ(kit.ComplectImage, -1);
  EXPECT_EQ(kit.SpareImage, -1);
  EXPECT_TRUE(kit.Properties.empty());
  EXPECT_TRUE(kit.Items.empty());
}

TEST(FurnItem, SetValuesClearsAnItemWithoutArticleOrCount) {
  TrxfFurnItem item(nullptr);
  item.Reserved1 = 7;
  item.SetValues("A-100", "K1", "h", 12.5f, "c", 2, 3);
  EXPECT_EQ(item.Article, "A-100");
  EXPECT_EQ(item.Count, 2);
  EXPECT_EQ(item.SideNo, 3);
  EXPECT_EQ(item.Reserved1, 0);
  item.AddCount(3);
  EXPECT_EQ(item.Count, 5);
  item.SetValues("A-100", "K1", "h", 12.5f, "c", 0, 3);
  EXPECT_EQ(item.Article, "");
  EXPECT_EQ(item.ParentComplect, "");
  EXPECT_EQ(item.Length, 0);
  EXPECT_EQ(item.SideNo, 0);
}

TEST(MatLine, QuantityPriceAndCostOfAKitItem) {
  const TCurrencyList rates = {{1, 1.0f}, {2, 92.5f}};
  const TActiveCurrency roubles{1, &rates};
  struct Case {
    const char* article;
    std::int32_t count;
    float length;
    float number;
    const char* price;
    const char* cost;
  } cases[] = {
      {"A-100", 2, 1250, 2.5f, "12.3400", "30.8500"},
      {"A-100", 2, 0, 2, "12.3400", "24.6800"},
      {"A-200", 3, 0, 3, "11.1060", "33.3180"},    // price group -10 %
      {"A-300", 1, 0, 1, "114.1912", "114.1912"},  // 1.2345 euro at 92.5
  };
  for (const auto& c : cases) {
    const auto line = MakeMatLine(Catalogue(), roubles, c.article, c.count, c.length);
    EXPECT_EQ(line->ID, c.article);
    EXPECT_FLOAT_EQ(line->Number, c.number) << c.article;
    EXPECT_EQ(line->Price.ToText(), c.price) << c.article;
    EXPECT_EQ(line->BasePrice, line->Price) << c.article;
    EXPECT_EQ(line->Cost.ToText(), c.cost) << c.article;
    EXPECT_EQ(line->Discount, Money());
  }
  try {
    MakeMatLine(Catalogue(), roubles, "NOPE", 1, 0);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(Cp1251ToUtf8(e.what()),
              "В каталоге отсутствуют данные для [NOPE]!\r\n(Поиск [Наименование] через [Код])");
  }
}

TEST(Construction, ListsTheNamesOfTheChosenKits) {
  TrxfConstruction position;
  position.FlugelMode = 0;
  position.Flugel1->FurnComp = std::make_unique<TrxfFurnComp>(position.Flugel1.get());
  position.Flugel1->FurnComp->ComplectID = "K1";
  position.Flugel1->FurnComp->LockID = "K2";  // locks are not listed
  position.Flugel1->FurnComp->DriveID = "MISSING";
  position.Flugel2->FurnComp = std::make_unique<TrxfFurnComp>(position.Flugel2.get());
  position.Flugel2->FurnComp->HingeID = "K2";
  std::vector<std::string> names;
  position.ListComplectNames(Catalogue(), names);
  ASSERT_EQ(names.size(), 3u);
  EXPECT_EQ(Cp1251ToUtf8(names[0]), "Комплект поворотно-откидной");
  EXPECT_EQ(names[1], "");
  EXPECT_EQ(Cp1251ToUtf8(names[2]), "Комплект без печати");
}

}  // namespace
}  // namespace rxf
