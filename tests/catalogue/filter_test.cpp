#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/table_filter.h"
#include "catalogue/table_view.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

using test::BuildTable;

// Articles of three items; the Color of C3 holds no value, that of C4 an empty text.
MemoryTable Articles() {
  TableBuilder builder(SchemaOf(CatalogueTable::FrnArt));
  const std::vector<std::string> columns = {"ID", "CatalogID", "Color", "FFBMin", "FFBMax"};
  builder.SetSourceColumns(columns);
  const std::vector<std::vector<SourceCell>> rows = {
      {std::string_view("I1"), std::string_view("C1"), std::string_view("9016"), std::int64_t{40},
       std::int64_t{80}},
      {std::string_view("I1"), std::string_view("C2"), std::string_view("8017"), std::int64_t{81},
       std::int64_t{120}},
      {std::string_view("I1"), std::string_view("C3"), SourceCell{}, SourceCell{}, SourceCell{}},
      {std::string_view("I2"), std::string_view("C4"), std::string_view(""), std::int64_t{0},
       std::int64_t{200}},
      {std::string_view("It's"), std::string_view("C5"), std::string_view("9016"), std::int64_t{0},
       std::int64_t{200}},
  };
  for (const auto& row : rows)
    builder.AddRow(row);
  return std::move(builder).Finish();
}

std::vector<std::string> CatalogIds(const MemoryTable& table, const std::vector<RowIndex>& rows) {
  std::vector<std::string> ids;
  for (const RowIndex row : rows)
    ids.emplace_back(table.Text(row, table.ColumnIndex("CatalogID")));
  return ids;
}

TEST(Filter, SelectsRowsInWalkOrder) {
  struct Case {
    std::string text;
    std::vector<std::string> ids;
  } cases[] = {
      {"Color = ''", {"C3", "C4"}},
      {"Color <> ''", {"C1", "C2", "C5"}},
      {"ID = 'I1' and FFBMin <= 80 and FFBMax >= 80", {"C1"}},
      {"ID = 'I1' and FFBMin <= 81 and FFBMax >= 81", {"C2"}},
      // A range column without value lies in no range, not even around 0.
      {"FFBMin <= 0 and FFBMax >= 0", {"C4", "C5"}},
      {"(ID = 'I1' or ID = 'I2') and (Color = '9016' or Color = '')", {"C1", "C3", "C4"}},
      {"id = 'I1' AND color = '8017'", {"C2"}},
      {"ID = " + QuotedText("It's"), {"C5"}},
      {"ID = 'i1'", {}},
      {"'I2' = ID", {"C4"}},
      {"CatalogID = 'C3' and ID = 'I1'", {"C3"}},
      {"not (ID = 'I1')", {"C4", "C5"}},
  };
  const MemoryTable table = Articles();
  const TableView view(table);
  for (const auto& c : cases)
    EXPECT_EQ(CatalogIds(table, view.Query(c.text)), c.ids) << c.text;
}

TEST(Filter, QuotedValueCannotBreakOrWidenAFilter) {
  const MemoryTable table = Articles();
  const TableView view(table);
  EXPECT_TRUE(view.Query("ID = " + QuotedText("x' or ID <> '")).empty());
  EXPECT_TRUE(view.Query("ID = " + QuotedText("'")).empty());
}

TEST(Filter, QuotedTextDoublesQuotes) {
  struct Case {
    const char* value;
    const char* quoted;
  } cases[] = {
      {"K1", "'K1'"},
      {"It's", "'It''s'"},
      {"", "''"},
      {"''", "''''''"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(QuotedText(c.value), c.quoted) << c.value;
}

TEST(Filter, RejectsMalformedTextsAndUnknownColumns) {
  const MemoryTable table = Articles();
  try {
    TableFilter(table, "Colour = ''");
    ADD_FAILURE() << "unknown column accepted";
  } catch (const Error& error) {
    EXPECT_EQ(
        error.what(),
        std::string("Ошибка в фильтре \"Colour = ''\": В таблице FrnArt нет поля [Colour]"_w));
  }
  EXPECT_THROW(TableFilter(table, "ID = 'I1"), Error);
  EXPECT_THROW(TableFilter(table, "ID = 'I1' and"), Error);
}

TEST(Filter, PinnedKeyNarrowsTheRowsTested) {
  struct Case {
    const char* text;
    std::optional<std::size_t> candidates;
  } cases[] = {
      {"ID = 'I1'", 3},
      {"ID = 'I1' and CatalogID = 'C2'", 1},  // the narrower index wins
      {"FFBMin > 0 and (ID = 'I2')", 1},
      {"ID = 'I1' or ID = 'I2'", std::nullopt},  // not in the top-level "and" chain
      {"ID <> 'I1'", std::nullopt},
      {"Color = '9016'", std::nullopt},  // no index on Color
      {"ID = 5", std::nullopt},          // a number against a text column compares by value
  };
  const MemoryTable table = Articles();
  for (const auto& c : cases) {
    const TableFilter filter(table, c.text);
    const auto& candidates = filter.Candidates();
    EXPECT_EQ(candidates ? std::optional(candidates->size()) : std::nullopt, c.candidates)
        << c.text;
  }
}

// 300 rows over a few kits, PropKey without value in every seventh row; ItemSideNo numbers them.
MemoryTable ManyItoI() {
  std::vector<std::vector<std::string>> rows;
  const char* const kits[] = {"A", "B", "", "C", "A"};
  for (int row = 0; row < 300; ++row)
    rows.push_back(
        {kits[row % 5], row % 7 == 0 ? "" : std::to_string(row % 4), std::to_string(row)});
  return BuildTable(SchemaOf(CatalogueTable::FrnItoI), {"ID", "PropKey", "ItemSideNo"}, rows);
}

// The same keys in the whole-number index of FrnProp; ID numbers the rows.
MemoryTable ManyProps() {
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < 300; ++row)
    rows.push_back({row % 7 == 0 ? "" : std::to_string(row % 4), std::to_string(row)});
  return BuildTable(SchemaOf(CatalogueTable::FrnProp), {"PropKey", "ID"}, rows);
}

TEST(Filter, IndexedQueryReturnsTheRowsOfAFullScan) {
  const MemoryTable itoi = ManyItoI();
  const MemoryTable props = ManyProps();
  const struct Case {
    const MemoryTable& table;
    const char* text;
  } cases[] = {
      {itoi, "ID = 'A'"},
      {itoi, "ID = ''"},
      {itoi, "ID = 'A' and ItemSideNo < 100"},
      {itoi, "ItemSideNo >= 10 and PropKey = 3 and ID = 'C'"},
      {itoi, "ID = 'missing'"},
      {props, "PropKey = 2"},
      {props, "PropKey = 2 and ID >= 150"},
      {props, "PropKey = 0"},
      {props, "PropKey = 2.5"},
      {props, "PropKey = '2'"},
      {props, "PropKey = 1 or PropKey = 2"},
  };
  for (const auto& c : cases) {
    const TableView view(c.table);
    const TableFilter filter(c.table, c.text);
    std::vector<RowIndex> scanned;
    for (RowIndex row = 0; row < c.table.RowCount(); ++row)
      if (filter.Matches(row))
        scanned.push_back(row);
    EXPECT_EQ(view.Query(filter), scanned) << c.text;
    EXPECT_EQ(view.Count(filter), scanned.size()) << c.text;
  }
}

TEST(Filter, LocateFindsTheFirstRowOfEqualValues) {
  const MemoryTable itoi = ManyItoI();
  const MemoryTable props = ManyProps();
  const struct Case {
    const char* name;
    const MemoryTable& table;
    const char* columns;
    std::vector<ExprValue> values;
    std::optional<std::int64_t> row;  // ItemSideNo or ID: the row's number
  } cases[] = {
      {"indexed number", props, "PropKey", {2.0}, 2},
      {"indexed and plain", props, "PropKey;ID", {2.0, 10.0}, 10},
      {"no such pair", props, "PropKey;ID", {2.0, 11.0}, std::nullopt},
      {"plain number", props, "ID", {299.0}, 299},
      {"indexed text", itoi, "ID;PropKey", {std::string("C"), 3.0}, 3},
      {"empty text finds no value", itoi, "ID", {std::string("")}, 2},
  };
  for (const auto& c : cases) {
    const TableView view(c.table);
    const auto found = c.values.size() == 1 ? view.Locate(c.columns, {c.values[0]})
                                            : view.Locate(c.columns, {c.values[0], c.values[1]});
    const std::string number = &c.table == &props ? "ID" : "ItemSideNo";
    EXPECT_EQ(found ? std::optional(found->Integer(number)) : std::nullopt, c.row) << c.name;
  }
  const TableView view(props);
  EXPECT_THROW(view.Locate("PropKey;ID", {2.0}), Error);
  EXPECT_THROW(view.Locate("Missing", {2.0}), Error);
}

}  // namespace
}  // namespace rxf
