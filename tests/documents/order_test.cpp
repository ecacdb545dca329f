// The order in memory: its list of positions, walks, sorts and totals.
#include "documents/order.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fixture.h"

namespace rxf {
namespace {

using test::M;
using test::Position;
using test::W;

std::vector<std::string> PosNos(const TrxfOrder& order) {
  std::vector<std::string> numbers;
  for (std::size_t i = 0; i < order.Count(); ++i)
    numbers.push_back(order.GetPosition(i).PosNo);
  return numbers;
}

std::unique_ptr<TrxfOrder> OrderOfPositions(const std::vector<std::string>& posNos) {
  auto order = std::make_unique<TrxfOrder>();
  for (const std::string& posNo : posNos)
    order->Add(Position(posNo, 1));
  return order;
}

TEST(OrderModel, NewOrderStartsWithTheInitialValues) {
  const TrxfOrder order;
  EXPECT_EQ(order.Version, "26.12.2019");
  EXPECT_EQ(order.TimeStamp1, order.TimeStamp2);
  EXPECT_GT(order.TimeStamp1, 40000);
  EXPECT_EQ(order.RegDate, Today());
  EXPECT_TRUE(order.RegDateChecked);
  EXPECT_EQ(order.Count(), 0u);
  EXPECT_FALSE(order.IsPartial());
}

TEST(OrderModel, AddReplaceDeleteAndMoveKeepOwnershipAndOrder) {
  const auto owned = OrderOfPositions({"1", "2", "3", "4"});
  TrxfOrder& order = *owned;
  EXPECT_EQ(order.Add(Position("5", 1)), 4u);
  EXPECT_EQ(order.GetPosition(4).Order, &order);
  order.Move(0, 3);
  EXPECT_EQ(PosNos(order), (std::vector<std::string>{"2", "3", "4", "1", "5"}));
  order.Move(4, 0);
  EXPECT_EQ(PosNos(order), (std::vector<std::string>{"5", "2", "3", "4", "1"}));
  order.Delete(1);
  order.Replace(0, Position("R", 1));
  EXPECT_EQ(PosNos(order), (std::vector<std::string>{"R", "3", "4", "1"}));
  EXPECT_EQ(order.GetPosition(0).Order, &order);
  EXPECT_THROW(order.Move(0, 4), std::out_of_range);
  EXPECT_THROW(order.Delete(4), std::out_of_range);
  order.Clear();
  EXPECT_EQ(order.Count(), 0u);
}

TEST(OrderModel, FindPositionIgnoresLetterCaseCyrillicIncluded) {
  const auto owned = OrderOfPositions({"1a", W("2б"), "1A"});
  const TrxfOrder& order = *owned;
  EXPECT_EQ(order.FindPosition("1A"), &order.GetPosition(0));
  EXPECT_EQ(order.FindPosition(W("2Б")), &order.GetPosition(1));
  EXPECT_EQ(order.FindPosition("3"), nullptr);
}

TEST(OrderModel, IncludedWalkSkipsExcludedPositions) {
  const auto owned = OrderOfPositions({"1", "2", "3", "4"});
  TrxfOrder& order = *owned;
  order.GetPosition(0).Included = false;
  order.GetPosition(2).Included = false;
  EXPECT_EQ(order.GetIncludedCount(), 2);
  EXPECT_TRUE(order.HasIncluded());
  std::vector<std::string> walked;
  for (auto* position = order.FirstIncluded(); position; position = order.NextIncluded())
    walked.push_back(position->PosNo);
  EXPECT_EQ(walked, (std::vector<std::string>{"2", "4"}));
  EXPECT_EQ(order.NextIncluded(), nullptr);
}

TEST(OrderModel, SortsCompareBytesSoCyrillicFollowsLatin) {
  const auto owned = OrderOfPositions({W("Б"), "b", "10", "2", W("а")});
  TrxfOrder& order = *owned;
  order.SortByPosNo();
  EXPECT_EQ(PosNos(order), (std::vector<std::string>{"10", "2", "b", W("Б"), W("а")}));
  order.GetPosition(0).PosName = "z";
  order.GetPosition(1).PosName = W("я");
  order.GetPosition(2).PosName = "a";
  order.GetPosition(3).PosName = "a";
  order.GetPosition(4).PosName = "A";
  order.SortByName();
  EXPECT_EQ(PosNos(order), (std::vector<std::string>{W("а"), "b", W("Б"), "10", "2"}));
}

TEST(OrderTotals, CostTaxAndTotal) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, const char*>> positions;  // count, price; negative count: excluded
    float tax;
    bool addTax;
    const char* cost;
    const char* nds;
  } cases[] = {
      {"tax not added", {{1, "100"}}, 18, false, "100", "0"},
      {"18 percent of 100", {{1, "100"}}, 18, true, "100", "18"},
      {"count times price", {{3, "12.3456"}, {2, "0.5"}}, 0, true, "38.0368", "0"},
      {"excluded positions do not count", {{2, "10"}, {-5, "1000"}}, 10, true, "20", "2"},
      {"a half ten-thousandth goes to even", {{1, "0.0125"}}, 10, true, "0.0125", "0.0012"},
      {"and up from odd", {{1, "0.0135"}}, 10, true, "0.0135", "0.0014"},
      {"a single tax rate is taken exactly", {{1, "100"}}, 0.1f, true, "100", "0.1"},
      {"empty order", {}, 20, true, "0", "0"},
  };
  for (const auto& c : cases) {
    TrxfOrder order;
    for (const auto& [count, price] : c.positions) {
      auto position = Position("p", std::abs(count), price);
      position->Included = count > 0;
      order.Add(std::move(position));
    }
    order.NDSTax = c.tax;
    order.GetTotalNDS = c.addTax;
    EXPECT_EQ(order.GetCost(), M(c.cost)) << c.name;
    EXPECT_EQ(order.GetNDS(), M(c.nds)) << c.name;
    EXPECT_EQ(order.GetTotalCost(), M(c.cost) + M(c.nds)) << c.name;
  }
}

}  // namespace
}  // namespace rxf
