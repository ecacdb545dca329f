#include "catalogue/sqlite_catalogue.h"

#include <gtest/gtest.h>

#include "catalogue/data_module.h"
#include "catalogue_files.h"
#include "fixture.h"
#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

using test::TempDir;

std::string Cp(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

MemoryTable SampleCatalog() {
  return test::BuildTable(
      SchemaOf(CatalogueTable::Catalog),
      {"ID", "Group", "Name", "Coef", "Price", "Use", Cp("Примечание")},
      {{"B-2", "-7", Cp("Петля «Ёлка», \"угол\""), "0.000001", "-0.0001", "", Cp("лишний столбец")},
       {"A'1", "", "", "1.1", "1234.5678", "1", ""}});
}

// A file holding the given SQL, as another tool could have made it.
void WriteSqlFile(const std::filesystem::path& path, const std::string& sql) {
  SqliteDb db = SqliteDb::InMemory("test");
  db.Execute(sql);
  WriteFileAtomically(path, db.FileImage());
}

void ExpectSameCells(const MemoryTable& expected, const MemoryTable& actual) {
  ASSERT_EQ(expected.ColumnCount(), actual.ColumnCount());
  ASSERT_EQ(expected.RowCount(), actual.RowCount());
  for (int column = 0; column < expected.ColumnCount(); ++column) {
    EXPECT_EQ(expected.ColumnAt(column).Name(), actual.ColumnAt(column).Name());
    for (RowIndex row = 0; row < expected.RowCount(); ++row) {
      EXPECT_EQ(expected.IsNull(row, column), actual.IsNull(row, column))
          << expected.ColumnAt(column).Name() << " row " << row;
      EXPECT_EQ(expected.Value(row, column), actual.Value(row, column))
          << expected.ColumnAt(column).Name() << " row " << row;
      EXPECT_EQ(expected.Currency(row, column), actual.Currency(row, column))
          << expected.ColumnAt(column).Name() << " row " << row;
    }
  }
}

TEST(SqliteCatalogue, WritesAndReadsBackEveryCell) {
  TempDir dir;
  const MemoryTable written = SampleCatalog();
  SqliteCatalogueWriter writer;
  writer.AddTable(written);
  writer.SaveAs(dir / "catalogue.sqlite");

  SqliteCatalogueReader reader(dir / "catalogue.sqlite");
  const TDM dm(reader);
  ExpectSameCells(written, dm.Table(CatalogueTable::Catalog));
  EXPECT_EQ(dm.Table(CatalogueTable::FrnSet).RowCount(), 0u) << "a table not written is empty";
}

TEST(SqliteCatalogue, StoresMoneyAsExactTextAndTextAsUtf8UnderQuotedNames) {
  TempDir dir;
  SqliteCatalogueWriter writer;
  writer.AddTable(SampleCatalog());
  writer.SaveAs(dir / "catalogue.sqlite");

  SqliteDb db = SqliteDb::OpenReadOnly(dir / "catalogue.sqlite");
  SqliteStatement select = db.Prepare(
      "SELECT typeof(\"Price\"), \"Price\", \"Group\", \"Name\", \"Примечание\" FROM \"Catalog\" "
      "ORDER BY rowid");
  ASSERT_TRUE(select.Step());
  EXPECT_EQ(select.Text(0), "text");
  EXPECT_EQ(select.Text(1), "-0.0001");
  EXPECT_EQ(select.Integer(2), -7);
  EXPECT_EQ(select.Text(3), "Петля «Ёлка», \"угол\"");
  EXPECT_EQ(select.Text(4), "лишний столбец");
  ASSERT_TRUE(select.Step());
  EXPECT_EQ(select.Text(1), "1234.5678");
  EXPECT_EQ(select.Kind(2), SqlValueKind::Null);
  EXPECT_EQ(select.Kind(3), SqlValueKind::Null);
}

TEST(SqliteCatalogue, ReadsCellsOfEveryStorageClass) {
  TempDir dir;
  WriteSqlFile(dir / "c.sqlite",
               "CREATE TABLE RamulexCatalogue (Name TEXT, Value TEXT);"
               "INSERT INTO RamulexCatalogue VALUES ('FormatVersion', '1');"
               "CREATE TABLE catalog (ID TEXT, \"Group\" TEXT, Price, Coef);"
               "INSERT INTO catalog VALUES ('A', '12', 12, 7);"
               "INSERT INTO catalog VALUES ('B', 3, 1.23456, '0.5');");
  SqliteCatalogueReader reader(dir / "c.sqlite");
  const TDM dm(reader);
  const MemoryTable& catalog = dm.Table(CatalogueTable::Catalog);
  ASSERT_EQ(catalog.RowCount(), 2u);
  EXPECT_EQ(RowRef(catalog, 0).Integer("Group"), 12);
  EXPECT_EQ(RowRef(catalog, 0).Currency("Price"), Money::FromUnits(12)) << "INTEGER is units";
  EXPECT_EQ(RowRef(catalog, 1).Currency("Price"), Money::FromTicks(12346)) << "REAL is rounded";
  EXPECT_DOUBLE_EQ(RowRef(catalog, 0).Float("Coef"), 7);
  EXPECT_DOUBLE_EQ(RowRef(catalog, 1).Float("Coef"), 0.5);
}

TEST(SqliteCatalogue, ErrorsNameTheFileAndWhatIsWrong) {
  const std::string meta =
      "CREATE TABLE RamulexCatalogue (Name TEXT, Value TEXT);"
      "INSERT INTO RamulexCatalogue VALUES ('FormatVersion', '1');";
  struct Case {
    const char* name;
    std::string sql;  // empty: the file holds plain text
    std::string message;
  } cases[] = {
      {"not a database", "", "не является файлом каталога (базой данных SQLite)"},
      {"no version table", "CREATE TABLE Catalog (ID TEXT);", "нет таблицы RamulexCatalogue"},
      {"other version",
       "CREATE TABLE RamulexCatalogue (Name TEXT, Value TEXT);"
       "INSERT INTO RamulexCatalogue VALUES ('FormatVersion', '2');",
       "записан в формате версии 2, а программа читает версию 1"},
      {"bad cell",
       meta + "CREATE TABLE Catalog (ID, \"Group\"); INSERT INTO Catalog VALUES "
              "('A', 1), ('B', 'abc');",
       "таблица Catalog, строка 2, столбец 2 (Group): \"abc\" не является целым числом"},
      {"binary cell", meta + "CREATE TABLE Catalog (ID); INSERT INTO Catalog VALUES (x'00');",
       "таблица Catalog, строка 1, столбец 1 (ID): двоичное значение вместо числа или текста"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.sql.empty())
      test::WriteFile(dir / "c.sqlite", std::string(200, 'x'));
    else
      WriteSqlFile(dir / "c.sqlite", c.sql);
    try {
      SqliteCatalogueReader reader(dir / "c.sqlite");
      const TDM dm(reader);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const Error& error) {
      const std::string text = Cp1251ToUtf8(error.what());
      EXPECT_NE(text.find("c.sqlite"), std::string::npos) << c.name << ": " << text;
      EXPECT_NE(text.find(c.message), std::string::npos) << c.name << ": " << text;
    }
  }
}

TEST(SqliteCatalogue, RefusesATextThatUtf8CannotCarryBack) {
  const MemoryTable table = test::BuildTable(SchemaOf(CatalogueTable::COLORSET), {"Color", "Name"},
                                             {{"1", "ok"}, {"2", "bad \x98 byte"}});
  SqliteCatalogueWriter writer;
  try {
    writer.AddTable(table);
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(Cp1251ToUtf8(error.what()),
              "Таблица COLORSET, строка 2, столбец Name: текст содержит байт 0x98, который не "
              "обозначает никакого знака Windows-1251");
  }
}

}  // namespace
}  // namespace rxf
