#include "catalogue/catalogue_opener.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "catalogue/catalogue_import.h"
#include "catalogue_files.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "paradox_writer.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::TextTable;

TEST(CatalogueOpener, TellsTheFormOfAFolderByItsFiles) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    CatalogueForm form;
  } cases[] = {
      {"CSV files", {"Catalog.csv", "notes.txt"}, CatalogueForm::CsvFolder},
      {"Paradox tables in capitals", {"CATALOG.DB", "CATALOG.PX"}, CatalogueForm::ParadoxFolder},
      {"both: the CSV files win", {"FrnSet.db", "FrnSet.CSV"}, CatalogueForm::CsvFolder},
  };
  for (const auto& c : cases) {
    TempDir dir;
    for (const std::string& file : c.files)
      test::WriteFile(dir / file, "");
    EXPECT_EQ(DetectCatalogueForm(dir.Path()), c.form) << c.name;
  }
  TempDir dir;
  test::WriteFile(dir / "catalogue.sqlite", "");
  EXPECT_EQ(DetectCatalogueForm(dir / "catalogue.sqlite"), CatalogueForm::SqliteFile);
}

TEST(CatalogueOpener, SaysWhyAPathIsNoCatalogue) {
  TempDir dir;
  test::WriteFile(dir / "readme.txt", "");
  fs::create_directory(dir / "sub.csv");  // a folder is no table file
  struct Case {
    const char* name;
    fs::path path;
    std::string message;
  } cases[] = {
      {"missing path", dir / "nothing", "Каталог не найден: " + (dir / "nothing").string()},
      {"folder without tables", dir.Path(),
       "В папке " + dir.Path().string() +
           " нет таблиц каталога: ни файлов CSV (*.csv), ни таблиц Paradox (*.db)"},
  };
  for (const auto& c : cases) {
    try {
      OpenCatalogue(c.path);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const Error& error) {
      EXPECT_EQ(Cp1251ToUtf8(error.what()), c.message) << c.name;
    }
  }
}

// The same small catalogue in every form: texts with Cyrillic letters and quotes, cells without
// value, negative and fractional numbers, money with four decimals, an autoinc cell left empty,
// an extra column, and kit rows out of walk order.
std::vector<TextTable> SameData() {
  return {
      {"COLORSET", {"Color", "Name"}, {{"9016", "Белый «транспортный»"}, {"", "Без цвета"}}},
      {"Currency",
       {"ID", "Name", "Value", "Dec", "Nominative"},
       {{"1", "руб", "1", "2", "рубль"}, {"2", "EUR", "92.5", "2", ""}}},
      {"Catalog",
       {"ID", "Group", "Name", "Coef", "Price", "Currency", "MinTrade", "Примечание"},
       {{"FT-1", "204", "Привод \"Ёлка\"", "0.000125", "1234.5678", "1", "2.5", "заметка"},
        {"FT-2", "-3", "", "", "-0.0001", "2", "", ""}}},
      {"FrnSet",
       {"ID", "Item", "Key", "FFBMin", "FFBMax", "FFAMin", "LenFormula", "HandleMin"},
       {{"K2", "EL1", "5", "40", "0", "-1.5", "FFB - 12", "70000"},
        {"K1", "EL2", "", "", "9999", "", "", ""},
        {"K1", "EL1", "7", "60", "80", "90.25", "", "-1"}}},
  };
}

void ExpectSameTables(const TDM& expected, const TDM& actual, const char* form) {
  for (std::size_t table = 0; table < kCatalogueTableCount; ++table) {
    const MemoryTable& a = expected.Tables()[table];
    const MemoryTable& b = actual.Tables()[table];
    ASSERT_EQ(a.ColumnCount(), b.ColumnCount()) << form << " " << a.Name();
    ASSERT_EQ(a.RowCount(), b.RowCount()) << form << " " << a.Name();
    for (int column = 0; column < a.ColumnCount(); ++column) {
      const std::string where =
          std::string(form) + " " + std::string(a.Name()) + "." + a.ColumnAt(column).Name();
      EXPECT_EQ(a.ColumnAt(column).Name(), b.ColumnAt(column).Name()) << where;
      EXPECT_EQ(a.ColumnAt(column).Type(), b.ColumnAt(column).Type()) << where;
      for (RowIndex row = 0; row < a.RowCount(); ++row) {
        EXPECT_EQ(a.IsNull(row, column), b.IsNull(row, column)) << where << " row " << row;
        EXPECT_EQ(a.Value(row, column), b.Value(row, column)) << where << " row " << row;
        EXPECT_EQ(a.Currency(row, column), b.Currency(row, column)) << where << " row " << row;
      }
    }
  }
}

TEST(CatalogueReaders, GiveIdenticalTablesForTheSameData) {
  TempDir csv;
  TempDir paradox;
  for (const TextTable& table : SameData()) {
    test::WriteCsvTable(csv.Path(), table.name + ".csv", table);
    const auto schema = std::find_if(CatalogueSchema().begin(), CatalogueSchema().end(),
                                     [&](const TableSchema& s) { return s.Name == table.name; });
    test::WriteParadoxTable(paradox / (table.name + ".DB"), *schema, table);
  }
  TempDir sqlite;
  ImportCatalogue(csv.Path(), sqlite / "catalogue.sqlite", [](const MemoryTable&) {});

  const auto fromCsv = OpenCatalogue(csv.Path());
  ASSERT_EQ(fromCsv->Table(CatalogueTable::FrnSet).RowCount(), 3u);
  ExpectSameTables(*fromCsv, *OpenCatalogue(sqlite / "catalogue.sqlite"), "SQLite");
  ExpectSameTables(*fromCsv, *OpenCatalogue(paradox.Path()), "Paradox");
}

}  // namespace
}  // namespace rxf
