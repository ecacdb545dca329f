// The selection's items, taken from and refreshed from order files, and its material list.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/order_selection.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::Line;
using test::M;
using test::Messages;
using test::OrderOf;
using test::Position;
using test::PriceCatalogue;
using test::ReadBytes;
using test::W;
using test::WriteBytes;
using Kind = RecordingUi::Kind;

struct ItemValues {
  bool included;
  std::string orderNo;
  std::string posNo;
  float width;
  float height;
  std::int32_t count;
  std::string orderFile;
  bool operator==(const ItemValues&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ItemValues& item) {
  return out << item.included << " " << item.orderNo << "/" << item.posNo << " " << item.width
             << "x" << item.height << " x" << item.count << " " << item.orderFile;
}

std::vector<ItemValues> Items(const TrxfOrderSelection& selection) {
  std::vector<ItemValues> items;
  for (std::size_t i = 0; i < selection.Count(); ++i) {
    const auto& item = selection.GetItem(i);
    items.push_back({item.Included, item.OrderNo, item.PosNo, item.Width, item.Height, item.Count,
                     item.OrderFile});
  }
  return items;
}

// The version text of a saved order file replaced by another of the same length.
std::string WithVersion(std::string bytes, std::string_view version) {
  return bytes.replace(4 + 28 + 4, version.size(), version);
}

class Selection : public TempHome {
 protected:
  Selection() : ordersDir_(PathText(Home() / "Orders")) { fs::create_directories(Orders()); }

  fs::path Orders() const { return Home() / "Orders"; }
  const std::string& OrdersDir() const { return ordersDir_; }

  fs::path Save(const TrxfOrder& order, const std::string& name) {
    const fs::path file = Orders() / name;
    RecordingUi ui;
    EXPECT_TRUE(const_cast<TrxfOrder&>(order).SaveToFile(file, ui)) << name;
    return file;
  }

  // Order A: positions 1 (count 2, one sash) and 2 (count 3, two sashes) and 3 (count 1), one
  // line of A-100 at 1 in Flugel1 each.
  fs::path SaveOrderA(std::string_view name = "A.rfo370") {
    auto order = OrderOf("A", {2, 3, 1}, "A-100", "1");
    order->Replace(1, Position("2", 3, "0", true));
    order->GetPosition(1).Flugel1->MatList.push_back(Line("A-100", 1, "1"));
    return Save(*order, std::string(name));
  }

 private:
  std::string ordersDir_;
};

TEST_F(Selection, AddingAnOrderOfThreePositionsGivesThreeIncludedItems) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  ASSERT_TRUE(selection.AddOrder(SaveOrderA(), ui));
  EXPECT_EQ(Items(selection),
            (std::vector<ItemValues>{{true, "A", "1", 700, 1400, 2, "%A.RFO370"},
                                     {true, "A", "2", 1200, 1400, 3, "%A.RFO370"},
                                     {true, "A", "3", 700, 1400, 1, "%A.RFO370"}}));
  EXPECT_EQ(selection.GetItem(0).ProductName, "Window 1");
  EXPECT_EQ(selection.GetItem(0).Selection, &selection);
}

TEST_F(Selection, AddingTheOrderAgainRefreshesItsItemsAndKeepsTheirInclusion) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  const fs::path file = SaveOrderA();
  ASSERT_TRUE(selection.AddOrder(file, ui));
  selection.GetItem(1).Included = false;
  auto changed = OrderOf("A", {2, 9, 1}, "A-100", "1");
  Save(*changed, "A.rfo370");
  ASSERT_TRUE(selection.AddOrder(file, ui));
  ASSERT_EQ(selection.Count(), 3u);
  EXPECT_EQ(Items(selection)[1], (ItemValues{false, "A", "2", 700, 1400, 9, "%A.RFO370"}));
}

TEST_F(Selection, OrderFileOutsideTheOrdersFolderIsStoredWithItsFullUpperCasePath) {
  RecordingUi ui;
  const fs::path file = Home() / "elsewhere" / "b.rfo370";
  fs::create_directories(file.parent_path());
  OrderOf("B", {1}, "A-100", "1")->SaveToFile(file, ui);
  TrxfOrderSelection selection(OrdersDir());
  ASSERT_TRUE(selection.AddOrder(file, ui));
  EXPECT_EQ(selection.GetItem(0).OrderFile, AnsiUpperCase(PathText(file)));
  selection.GetItem(0).Count = 0;
  selection.Update(false, ui);
  EXPECT_EQ(selection.GetItem(0).Count, 1);
}

TEST_F(Selection, AnOrderThatDoesNotLoadWholeAddsNothing) {
  const std::string whole = ReadBytes(SaveOrderA());
  struct Case {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"damaged", whole.substr(0, whole.size() - 10)},
      {"newer version", WithVersion(whole, "27.12.2019")},
  };
  for (const auto& c : cases) {
    WriteBytes(Orders() / "A.rfo370", c.bytes);
    RecordingUi ui;
    TrxfOrderSelection selection(OrdersDir());
    EXPECT_FALSE(selection.AddOrder(Orders() / "A.rfo370", ui)) << c.name;
    EXPECT_EQ(selection.Count(), 0u) << c.name;
    EXPECT_EQ(Messages(ui).size(), 1u) << c.name;
  }
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  EXPECT_THROW(selection.AddOrder(Orders() / "missing.rfo370", ui), Error);
}

TEST_F(Selection, UpdateRefreshesItemsFromTheirFiles) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  ASSERT_TRUE(selection.AddOrder(SaveOrderA(), ui));
  ASSERT_TRUE(selection.AddOrder(Save(*OrderOf("B", {4}, "A-100", "1"), "B.rfo370"), ui));
  auto changed = OrderOf("A", {5, 6}, "A-100", "1");
  changed->GetPosition(0).Included = false;
  changed->GetPosition(0).PosName = "New";
  Save(*changed, "A.rfo370");  // position 3 is gone
  // B is damaged: its items must not take the values of A's position "1" left in memory.
  const std::string bBytes = ReadBytes(Orders() / "B.rfo370");
  WriteBytes(Orders() / "B.rfo370", bBytes.substr(0, bBytes.size() - 10));

  selection.Update(false, ui);
  const std::vector<ItemValues> kept = {{true, "A", "1", 700, 1400, 5, "%A.RFO370"},
                                        {true, "A", "2", 700, 1400, 6, "%A.RFO370"},
                                        {true, "A", "3", 700, 1400, 1, "%A.RFO370"},
                                        {true, "B", "1", 700, 1400, 4, "%B.RFO370"}};
  EXPECT_EQ(Items(selection), kept);
  EXPECT_EQ(selection.GetItem(0).ProductName, "New");
  EXPECT_EQ(ui.Cursor(), ScreenCursor::Default);

  selection.Update(true, ui);
  EXPECT_FALSE(selection.GetItem(0).Included);
  EXPECT_TRUE(selection.GetItem(1).Included);

  fs::remove(Orders() / "B.rfo370");
  EXPECT_THROW(selection.Update(false, ui), Error);
  EXPECT_EQ(ui.Cursor(), ScreenCursor::Default);
}

TEST_F(Selection, OrderListTextNamesEachRunOfItemsFromOneFile) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  ASSERT_TRUE(selection.AddOrder(Save(*OrderOf(W("Ж-1"), {1, 1}, "A-100", "1"), "a.rfo370"), ui));
  ASSERT_TRUE(selection.AddOrder(Save(*OrderOf("B-7", {1}, "A-100", "1"), "b.rfo370"), ui));
  selection.Move(2, 1);
  EXPECT_EQ(selection.GetOrderListText(ui), W("Ж-1,B-7,Ж-1"));
}

TEST_F(Selection, IndexOfIgnoresLetterCase) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  auto order = OrderOf(W("з-1"), {1}, "A-100", "1");
  order->Add(Position("1a", 1));
  ASSERT_TRUE(selection.AddOrder(Save(*order, "z.rfo370"), ui));
  EXPECT_EQ(selection.IndexOf(W("З-1"), "1A"), 1);
  EXPECT_EQ(selection.IndexOf(W("З-1"), "1"), 0);
  EXPECT_EQ(selection.IndexOf("Z-1", "1"), -1);
}

TEST_F(Selection, ItemPositionIsReadFromItsOrderFile) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  const fs::path file = SaveOrderA();
  ASSERT_TRUE(selection.AddOrder(file, ui));
  const auto found = selection.GetItemPosition(selection.GetItem(1), ui);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->Position->PosNo, "2");
  EXPECT_EQ(found->Position->Order, found->Order.get());

  selection.GetItem(0).PosNo = "9";
  EXPECT_FALSE(selection.GetItemPosition(selection.GetItem(0), ui).has_value());
  WriteBytes(file, ReadBytes(file).substr(0, 100));
  EXPECT_FALSE(selection.GetItemPosition(selection.GetItem(1), ui).has_value());
  fs::remove(file);
  EXPECT_FALSE(selection.GetItemPosition(selection.GetItem(1), ui).has_value());
}

TEST_F(Selection, SortsAndMoves) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  auto first = OrderOf("B", {1, 1}, "A-100", "1");
  first->GetPosition(0).PosName = "same";
  first->GetPosition(1).PosName = "same";
  ASSERT_TRUE(selection.AddOrder(Save(*first, "z.rfo370"), ui));
  auto second = OrderOf("A", {1, 1}, "A-100", "1");
  second->GetPosition(0).PosName = "same";
  ASSERT_TRUE(selection.AddOrder(Save(*second, "y.rfo370"), ui));
  const auto keys = [&] {
    std::string text;
    for (const auto& item : Items(selection))
      text += item.orderNo + item.posNo + " ";
    return text;
  };
  selection.SortByOrder();
  EXPECT_EQ(keys(), "A1 A2 B1 B2 ");
  selection.SortByPos();
  EXPECT_EQ(keys(), "A1 B1 A2 B2 ");
  selection.SortByName();  // "Window 2" before "same" x 3, which go by order and position
  EXPECT_EQ(keys(), "A2 A1 B1 B2 ");
  selection.SortByFile();  // %Y.RFO370 before %Z.RFO370
  EXPECT_EQ(keys(), "A1 A2 B1 B2 ");
  selection.Move(0, 3);
  selection.Delete(0);
  EXPECT_EQ(keys(), "B1 B2 A1 ");
  EXPECT_EQ(selection.GetIncludedCount(), 3);
}

class SelectionMatList : public Selection {};

TEST_F(SelectionMatList, LinesOfIncludedItemsAreSortedAndPricedFromTheCatalogue) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  selection.Currencies = {{1, 1.0f}, {2, 92.5f}};
  selection.Currency = 1;
  // The same article at different prices in two orders, and an excluded position in A.
  auto a = OrderOf("A", {2, 1}, "C-300", "100");
  a->GetPosition(1).Included = false;
  a->GetPosition(1).Flugel1->MatList.push_back(Line("B-200", 1, "1"));
  ASSERT_TRUE(selection.AddOrder(Save(*a, "a.rfo370"), ui));
  ASSERT_TRUE(selection.AddOrder(Save(*OrderOf("B", {3, 7}, "C-300", "200"), "b.rfo370"), ui));
  selection.GetItem(3).Included = false;  // B's position 2
  TMatList list;
  selection.BuildMatList(list, PriceCatalogue(), ui);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]->ID, "B-200");
  EXPECT_EQ(list[0]->Number, 1);
  EXPECT_EQ(list[0]->Price, M("5"));
  EXPECT_EQ(list[1]->ID, "C-300");
  EXPECT_EQ(list[1]->Number, 2 + 1 + 3);
  EXPECT_EQ(list[1]->Price, M("46.25"));
  EXPECT_EQ(list[1]->BasePrice, M("46.25"));
  EXPECT_EQ(list[1]->Cost, M("277.5"));
  EXPECT_TRUE(ui.Entries().empty());
  EXPECT_EQ(ui.Cursor(), ScreenCursor::Default);
}

TEST_F(SelectionMatList, ItemsOfOneFileNextToEachOtherLoadItOnce) {
  RecordingUi ui;
  ui.SetAnswer(true);
  TrxfOrderSelection selection(OrdersDir());
  selection.Currencies = {{1, 1.0f}};
  selection.Currency = 1;
  const fs::path file = Save(*OrderOf("A", {1, 2, 3}, "A-100", "1"), "a.rfo370");
  ASSERT_TRUE(selection.AddOrder(file, ui));
  // An older file asks about its conversion at every load.
  WriteBytes(file, WithVersion(ReadBytes(file), "25.12.2019"));
  TMatList list;
  selection.BuildMatList(list, PriceCatalogue(), ui);
  EXPECT_EQ(Messages(ui, Kind::Question).size(), 1u);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->Number, 6);
}

TEST_F(SelectionMatList, ItemsWhoseOrderDoesNotLoadWholeAddNoLines) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  selection.Currencies = {{1, 1.0f}};
  selection.Currency = 1;
  ASSERT_TRUE(selection.AddOrder(Save(*OrderOf("A", {1}, "A-100", "1"), "a.rfo370"), ui));
  const fs::path damaged = Save(*OrderOf("B", {10}, "B-200", "1"), "b.rfo370");
  ASSERT_TRUE(selection.AddOrder(damaged, ui));
  const fs::path newer = Save(*OrderOf("C", {100}, "B-200", "1"), "c.rfo370");
  ASSERT_TRUE(selection.AddOrder(newer, ui));
  WriteBytes(damaged, ReadBytes(damaged).substr(0, 300));
  WriteBytes(newer, WithVersion(ReadBytes(newer), "27.12.2019"));
  TMatList list;
  selection.BuildMatList(list, PriceCatalogue(), ui);
  // Position "1" of A, still in memory, must not stand in for B's or C's position "1".
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]->ID, "A-100");
  EXPECT_EQ(list[0]->Number, 1);
  EXPECT_EQ(Messages(ui).size(), 2u);
}

TEST_F(SelectionMatList, MissingOrderFileRaisesAndRestoresTheCursor) {
  RecordingUi ui;
  TrxfOrderSelection selection(OrdersDir());
  selection.Currencies = {{1, 1.0f}};
  selection.Currency = 1;
  const fs::path file = Save(*OrderOf("A", {1}, "A-100", "1"), "a.rfo370");
  ASSERT_TRUE(selection.AddOrder(file, ui));
  fs::remove(file);
  TMatList list;
  EXPECT_THROW(selection.BuildMatList(list, PriceCatalogue(), ui), Error);
  EXPECT_EQ(ui.Cursor(), ScreenCursor::Default);
}

}  // namespace
}  // namespace rxf
