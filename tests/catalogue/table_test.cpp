#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/memory_table.h"
#include "catalogue/table_builder.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/datetime.h"

namespace rxf {
namespace {

using test::BuildTable;

// One column of every type, for the cell conversions.
constexpr ColumnDef kAllTypes[] = {
    {"Text", ColumnType::String, 10}, {"Small", ColumnType::SmallInt},
    {"Whole", ColumnType::Integer},   {"Number", ColumnType::AutoInc},
    {"Decimal", ColumnType::Bcd, 2},  {"Price", ColumnType::Currency},
    {"Day", ColumnType::Date},        {"Flag", ColumnType::Boolean},
};
constexpr TableSchema kAllTypesSchema{"AllTypes", kAllTypes, {}, {}, {}};

MemoryTable OneRow(std::string_view column, const SourceCell& cell) {
  TableBuilder builder(kAllTypesSchema);
  const std::vector<std::string> names = {std::string(column)};
  builder.SetSourceColumns(names);
  builder.AddRow(std::vector<SourceCell>{cell});
  return std::move(builder).Finish();
}

TEST(Table, CellsConvertToTheirColumnType) {
  struct Case {
    const char* name;
    const char* column;
    SourceCell cell;
    ExprValue value;
  } cases[] = {
      {"text", "Text", std::string_view("A-1"), std::string("A-1")},
      {"number into text", "Text", std::int64_t{42}, std::string("42")},
      {"smallint text", "Small", std::string_view("-32768"), -32768.0},
      {"blanks around a number", "Whole", std::string_view(" 12 "), 12.0},
      {"plus sign", "Whole", std::string_view("+7"), 7.0},
      {"whole double", "Whole", 5.0, 5.0},
      {"bcd text", "Decimal", std::string_view("-1.25"), -1.25},
      {"bcd whole", "Decimal", std::int64_t{3}, 3.0},
      {"money text", "Price", std::string_view("12.3456"), 12.3456},
      {"money whole", "Price", std::int64_t{7}, 7.0},
      {"date", "Day", std::string_view("2024-02-29"), EncodeDate(2024, 2, 29)},
      {"flag", "Flag", std::string_view("1"), 1.0},
      {"no value", "Small", SourceCell{}, ExprValue{}},
  };
  for (const auto& c : cases) {
    const MemoryTable table = OneRow(c.column, c.cell);
    EXPECT_EQ(table.Value(0, table.ColumnIndex(c.column)), c.value) << c.name;
  }
}

TEST(Table, EmptyCellsReadAsZeroAndEmptyText) {
  const MemoryTable table = OneRow("Text", SourceCell{});
  for (int column = 0; column < table.ColumnCount(); ++column) {
    const std::string name = table.ColumnAt(column).Name();
    if (name == "Number")
      continue;  // autoinc numbers the row
    EXPECT_TRUE(table.IsNull(0, column)) << name;
    EXPECT_EQ(table.Integer(0, column), 0) << name;
    EXPECT_EQ(table.Float(0, column), 0) << name;
    EXPECT_EQ(table.Currency(0, column), Money()) << name;
    EXPECT_EQ(table.Text(0, column), "") << name;
  }
  EXPECT_EQ(table.Integer(0, table.ColumnIndex("Number")), 1);
}

TEST(Table, MoneyKeepsItsFourDecimalsExactly) {
  const MemoryTable table = OneRow("Price", std::string_view("1.2345"));
  EXPECT_EQ(table.Currency(0, table.ColumnIndex("Price")), Money::FromTicks(12345));
}

TEST(Table, RejectsCellsThatDoNotFitTheirColumn) {
  struct Case {
    const char* name;
    const char* column;
    SourceCell cell;
    std::string reason;
  } cases[] = {
      {"decimal comma", "Decimal", std::string_view("1,5"),
       std::string("\"1,5\" не является числом"_w)},
      {"exponent", "Decimal", std::string_view("1e3"), std::string("\"1e3\" не является числом"_w)},
      {"word in a number", "Whole", std::string_view("abc"),
       std::string("\"abc\" не является целым числом"_w)},
      {"fraction in a whole number", "Whole", std::string_view("2.5"),
       std::string("\"2.5\" не является целым числом"_w)},
      {"fractional double", "Whole", 2.5, std::string("\"2.5\" не является целым числом"_w)},
      {"beyond smallint", "Small", std::string_view("32768"),
       std::string("Число 32768 вне допустимого диапазона столбца"_w)},
      {"beyond integer", "Whole", std::int64_t{1} << 31,
       std::string("Число 2147483648 вне допустимого диапазона столбца"_w)},
      {"flag other than 0 or 1", "Flag", std::string_view("2"),
       std::string("Число 2 вне допустимого диапазона столбца"_w)},
      {"five decimals of money", "Price", std::string_view("1.23456"),
       std::string("\"1.23456\" не является суммой (не более четырёх знаков после точки)"_w)},
      {"no such day", "Day", std::string_view("2023-02-29"),
       std::string("\"2023-02-29\" не является датой вида ГГГГ-ММ-ДД"_w)},
      {"date in another form", "Day", std::string_view("01.02.2023"),
       std::string("\"01.02.2023\" не является датой вида ГГГГ-ММ-ДД"_w)},
  };
  for (const auto& c : cases) {
    try {
      OneRow(c.column, c.cell);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const CellError& error) {
      EXPECT_EQ(error.what(), c.reason) << c.name;
      EXPECT_EQ(error.SourceColumn(), 0) << c.name;
    }
  }
}

TEST(Table, LongTextIsKeptWhole) {
  const MemoryTable table = OneRow("Text", std::string_view("longer than ten"));
  EXPECT_EQ(table.Text(0, 0), "longer than ten");
}

TEST(Table, ExtraColumnsAreKeptAsTextAndFoundIgnoringCase) {
  const MemoryTable table = BuildTable(SchemaOf(CatalogueTable::Material),
                                       {"name", "Barcode", "id"}, {{"ПВХ", "4600001", "1"}});
  ASSERT_EQ(table.ColumnCount(), 3);
  EXPECT_EQ(table.FindColumn("ID"), 0);
  EXPECT_EQ(table.FindColumn("NAME"), 1);
  EXPECT_EQ(table.FindColumn("barcode"), 2);
  EXPECT_EQ(table.ColumnAt(2).Type(), ColumnType::String);
  EXPECT_EQ(table.Integer(0, 0), 1);
  EXPECT_EQ(table.Text(0, 1), "ПВХ");
  EXPECT_EQ(table.Text(0, 2), "4600001");
  EXPECT_EQ(table.FindColumn("Missing"), std::nullopt);
  EXPECT_THROW(table.ColumnIndex("Missing"), Error);
}

TEST(Table, SourceColumnsMustBeNamedOnce) {
  struct Case {
    const char* name;
    std::vector<std::string> columns;
    int column;
    std::string reason;
  } cases[] = {
      {"repeated in another case",
       {"ID", "Name", "id"},
       2,
       std::string("Столбец [id] повторяется"_w)},
      {"repeated extra", {"X", "X"}, 1, std::string("Столбец [X] повторяется"_w)},
      {"empty", {"ID", ""}, 1, std::string("Столбец без имени"_w)},
  };
  for (const auto& c : cases) {
    TableBuilder builder(SchemaOf(CatalogueTable::Material));
    try {
      builder.SetSourceColumns(c.columns);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const CellError& error) {
      EXPECT_EQ(error.what(), c.reason) << c.name;
      EXPECT_EQ(error.SourceColumn(), c.column) << c.name;
    }
  }
}

std::vector<std::string> ColumnTexts(const MemoryTable& table, std::string_view column) {
  std::vector<std::string> texts;
  for (RowIndex row = 0; row < table.RowCount(); ++row)
    texts.emplace_back(table.Text(row, table.ColumnIndex(column)));
  return texts;
}

TEST(Table, FrnSetWalksByKitItemAndKeyWithKeysNumberedInFileOrder) {
  const MemoryTable table =
      BuildTable(SchemaOf(CatalogueTable::FrnSet), {"ID", "Item", "Key", "Note"},
                 {{"K2", "I1", "", "file 1"},
                  {"K1", "I2", "", "file 2"},
                  {"K1", std::string("Б"_w), "", "file 3"},
                  {"K1", "I2", "1", "file 4"},
                  {"K1", "Z", "", "file 5"}});
  // Bytes compare unsigned: the Cyrillic letter sorts after every Latin one.
  EXPECT_EQ(ColumnTexts(table, "Note"),
            (std::vector<std::string>{"file 4", "file 2", "file 5", "file 3", "file 1"}));
  std::vector<std::int64_t> keys;
  for (RowIndex row = 0; row < table.RowCount(); ++row)
    keys.push_back(table.Integer(row, table.ColumnIndex("Key")));
  EXPECT_EQ(keys, (std::vector<std::int64_t>{1, 2, 5, 3, 1}));
}

TEST(Table, WalkOrdersOfTheSchema) {
  struct Case {
    CatalogueTable table;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;  // last cell: the row's label
    std::vector<std::string> walk;
  } cases[] = {
      {CatalogueTable::FrnArt,
       {"ID", "CatalogID", "Key", "Color"},
       {{"I2", "C1", "", "a"},
        {"I1", "C2", "", "b"},
        {"I1", "C1", "9", "c"},
        {"I1", "C1", "", "d"}},
       {"d", "c", "b", "a"}},
      {CatalogueTable::FrnSide,
       {"ID", "Side", "Drived", "Note"},
       {{"K1", "3", "", "a"}, {"K1", "1", "", "b"}, {"K0", "4", "", "c"}},
       {"c", "b", "a"}},
      {CatalogueTable::FrnSchl,
       {"CatalogID", "Key", "Item"},
       {{"C2", "", "a"}, {"C1", "5", "b"}, {"C1", "", "c"}},
       {"c", "b", "a"}},
      {CatalogueTable::FrnDop,
       {"CatalogID", "Key", "AccessoryID"},
       {{"C2", "", "a"}, {"C1", "5", "b"}, {"C1", "", "c"}},
       {"c", "b", "a"}},
      {CatalogueTable::FrnAbd,
       {"CatalogID", "AccessoryID"},
       {{"C2", "a"}, {"C1", "b"}, {"C1", "c"}},
       {"b", "c", "a"}},
      {CatalogueTable::FrnComp, {"ID", "Name"}, {{"K2", "a"}, {"K1", "b"}}, {"a", "b"}},
  };
  for (const auto& c : cases) {
    const MemoryTable table = BuildTable(SchemaOf(c.table), c.columns, c.rows);
    EXPECT_EQ(ColumnTexts(table, c.columns.back()), c.walk) << table.Name();
  }
}

}  // namespace
}  // namespace rxf
