// Merging material lines into lists, re-pricing them and sorting them.
#include "documents/mat_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/order.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

using test::Line;
using test::M;
using test::OrderOf;
using test::Position;
using test::PriceCatalogue;

struct LineValues {
  std::string id;
  float number;
  Money price;
  Money cost;
  bool operator==(const LineValues&) const = default;
};

std::ostream& operator<<(std::ostream& out, const LineValues& line) {
  return out << line.id << " " << line.number << " x " << line.price.ToText() << " = "
             << line.cost.ToText();
}

std::vector<LineValues> Values(const TMatList& list) {
  std::vector<LineValues> values;
  for (const auto& line : list)
    values.push_back({line->ID, line->Number, line->Price, line->Cost});
  return values;
}

TEST(MatList, PositionsOfCountsTwoAndThreeGiveOneLineOfFive) {
  RecordingUi ui;
  const auto order = OrderOf("A", {2, 3}, "A-100", "1.5");
  TMatList list;
  order->BuildMatList(list, ui);
  EXPECT_EQ(Values(list), (std::vector<LineValues>{{"A-100", 5, M("1.5"), M("7.5")}}));
}

TEST(MatList, MergingRules) {
  struct Case {
    const char* name;
    std::vector<std::pair<const char*, const char*>> lines;  // ID, price; Number 1.25 each
    std::int32_t count;
    std::vector<LineValues> merged;
  } cases[] = {
      {"codes differing in case are two lines",
       {{"a1", "1"}, {"A1", "2"}},
       2,
       {{"a1", 2.5f, M("1"), M("2.5")}, {"A1", 2.5f, M("2"), M("5")}}},
      {"the first line of a code decides the price",
       {{"A1", "1"}, {"B1", "3"}, {"A1", "9"}},
       1,
       {{"A1", 2.5f, M("1"), M("2.5")}, {"B1", 1.25f, M("3"), M("3.75")}}},
      {"cost rounds once, half to even",
       {{"A1", "0.0001"}, {"A1", "0.0001"}},
       1,
       {{"A1", 2.5f, M("0.0001"), M("0.0002")}}},
      {"count 0 keeps the line with nothing", {{"A1", "1"}}, 0, {{"A1", 0, M("1"), M("0")}}},
  };
  for (const auto& c : cases) {
    RecordingUi ui;
    TMatList sash;
    for (const auto& [id, price] : c.lines)
      sash.push_back(Line(id, 1.25f, price));
    TMatList list;
    TMatListMerger(list, ui).MergeSashLines(sash, c.count);
    EXPECT_EQ(Values(list), c.merged) << c.name;
    EXPECT_EQ(FindMatLine(list, c.merged[0].id), list[0].get()) << c.name;
  }
}

TEST(MatList, MergingIntoAListThatHoldsLinesAddsToTheFirstLineOfTheCode) {
  RecordingUi ui;
  TMatList list;
  list.push_back(Line("A1", 1, "2"));
  list.push_back(Line("A1", 1, "3"));
  TMatList sash;
  sash.push_back(Line("A1", 1, "9"));
  TMatListMerger(list, ui).MergeSashLines(sash, 4);
  EXPECT_EQ(Values(list),
            (std::vector<LineValues>{{"A1", 5, M("2"), M("10")}, {"A1", 1, M("3"), M("3")}}));
}

TEST(MatList, PositionLinesComeFromBothSashesTimesTheCount) {
  RecordingUi ui;
  auto position = Position("1", 3, "0", true);
  position->Flugel1->MatList.push_back(Line("A1", 1, "1"));
  position->Flugel2->MatList.push_back(Line("B1", 2, "1"));
  position->Flugel2->MatList.push_back(Line("A1", 1, "5"));
  TMatList list;
  TMatListMerger(list, ui).AddPositionLines(*position);
  EXPECT_EQ(Values(list),
            (std::vector<LineValues>{{"A1", 6, M("1"), M("6")}, {"B1", 6, M("1"), M("6")}}));
}

TEST(MatList, OrderListLeavesOutExcludedPositionsAndKeepsStoredPrices) {
  RecordingUi ui;
  auto order = OrderOf("A", {1, 10, 2}, "A-100", "7");
  order->GetPosition(1).Included = false;
  TMatList list;
  order->BuildMatList(list, ui);
  EXPECT_EQ(Values(list), (std::vector<LineValues>{{"A-100", 3, M("7"), M("21")}}));
}

TEST(MatList, RepricingTakesTheCatalogueInTheActiveCurrency) {
  const TCurrencyList rates = {{1, 1.0f}, {2, 92.5f}};
  TMatList list;
  list.push_back(Line("D-400", 2, "1"));
  list.push_back(Line("A-100", 0.5f, "1"));
  RepriceMatList(list, PriceCatalogue(), {1, &rates});
  // 1.2345 euros at 92.5 is 114.19125: the exact tie goes to even.
  EXPECT_EQ(Values(list), (std::vector<LineValues>{{"D-400", 2, M("114.1912"), M("228.3824")},
                                                   {"A-100", 0.5f, M("12.34"), M("6.17")}}));
  EXPECT_EQ(list[0]->BasePrice, list[0]->Price);
}

TEST(MatList, RepricingAMissingCodeRaises) {
  const TCurrencyList rates = {{1, 1.0f}};
  TMatList list;
  list.push_back(Line("NONE", 1, "1"));
  EXPECT_THROW(RepriceMatList(list, PriceCatalogue(), {1, &rates}), Error);
}

TEST(MatList, SortsByCodeAndByCatalogueName) {
  TMatList list;
  for (const char* id : {"C-300", "A-100", "D-400", "B-200"})
    list.push_back(Line(id, 1, "1"));
  SortMatListByName(list, PriceCatalogue());  // Анкер, Винт, Петля, Ручка
  EXPECT_EQ(list[0]->ID, "D-400");
  EXPECT_EQ(list[1]->ID, "C-300");
  EXPECT_EQ(list[2]->ID, "A-100");
  EXPECT_EQ(list[3]->ID, "B-200");
  EXPECT_TRUE(CompareByName(PriceCatalogue(), *list[0], *list[1]));
  SortMatListByID(list);
  EXPECT_EQ(list[0]->ID, "A-100");
  EXPECT_EQ(list[3]->ID, "D-400");
  EXPECT_TRUE(CompareByID(*list[0], *list[1]));
}

TEST(MatList, SortingByNameWithACodeMissingFromTheCatalogueRaisesAndKeepsTheList) {
  TMatList list;
  for (const char* id : {"C-300", "NONE", "A-100"})
    list.push_back(Line(id, 1, "1"));
  EXPECT_THROW(SortMatListByName(list, PriceCatalogue()), Error);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0]->ID, "C-300");
  EXPECT_EQ(list[1]->ID, "NONE");
  EXPECT_EQ(list[2]->ID, "A-100");
}

}  // namespace
}  // namespace rxf
