#include "catalogue/paradox_reader.h"

extern "C" {
#include <paradox.h>
}

#include <gtest/gtest.h>

#include "catalogue/data_module.h"
#include "catalogue_files.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "paradox_writer.h"

namespace rxf {
namespace {

using test::ParadoxField;
using test::TempDir;
using test::WriteParadoxTable;

std::string Cp(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

TEST(ParadoxReader, ReadsEveryFieldKindWithNullsAndExtraFields) {
  TempDir dir;
  WriteParadoxTable(
      dir / "catalog.DB",
      {{"ID", pxfAlpha, 30},
       {"Group", pxfShort, 2},
       {"PriceList", pxfLong, 4},
       {"Coef", pxfBCD, 17, 6},
       {"Price", pxfCurrency, 8},
       {"Weight", pxfNumber, 8},
       {Cp("Готов"), pxfLogical, 1},
       {Cp("Дата"), pxfDate, 4},
       {"Picture", pxfBytes, 10}},
      {{Cp("Петля-1"), "-3", "70000", "-0.125", "1234.5678", "2.5", "1", "2024-06-11", ""},
       {"B", "0", "", "", "", "", "0", "", ""}});
  ParadoxCatalogueReader reader(dir.Path());
  const TDM dm(reader);
  const MemoryTable& catalog = dm.Table(CatalogueTable::Catalog);
  ASSERT_EQ(catalog.RowCount(), 2u);
  const RowRef first(catalog, 0);
  EXPECT_EQ(first.Text("ID"), "Петля-1"_w);
  EXPECT_EQ(first.Integer("Group"), -3);
  EXPECT_EQ(first.Integer("PriceList"), 70000);
  EXPECT_DOUBLE_EQ(first.Float("Coef"), -0.125);
  EXPECT_EQ(first.Currency("Price"), Money::FromTicks(12345678));
  EXPECT_DOUBLE_EQ(first.Float("Weight"), 2.5);
  EXPECT_EQ(first.Text("Готов"_w), "1");
  EXPECT_EQ(first.Text("Дата"_w), "2024-06-11");
  EXPECT_FALSE(catalog.FindColumn("Picture")) << "a field of bytes holds no value to keep";

  const RowRef second(catalog, 1);
  EXPECT_FALSE(second.IsNull("Group")) << "a stored 0 is a value";
  EXPECT_EQ(second.Text("Готов"_w), "0");
  for (const char* column : {"PriceList", "Coef", "Price", "Weight", "Дата"})
    EXPECT_TRUE(second.IsNull(Cp(column))) << column;
}

TEST(ParadoxReader, RecodesTextFromTheTablesCodePage) {
  TempDir dir;
  const std::string privetCp866 = "\x8F\xE0\xA8\xA2\xA5\xE2";
  WriteParadoxTable(dir / "COLORSET.DB", {{"Color", pxfAlpha, 10}, {"Name", pxfAlpha, 30}},
                    {{"9016", privetCp866}}, 866);
  ParadoxCatalogueReader reader(dir.Path());
  const TDM dm(reader);
  EXPECT_EQ(RowRef(dm.Table(CatalogueTable::COLORSET), 0).Text("Name"), "Привет"_w);
}

TEST(ParadoxReader, KeepsTheBytesOfAWindows1251Table) {
  TempDir dir;
  // 0x98 has no character in Windows-1251; a 1251 table keeps its bytes as they are.
  WriteParadoxTable(dir / "COLORSET.DB", {{"Color", pxfAlpha, 10}, {"Name", pxfAlpha, 30}},
                    {{"9016", Cp("Белый") + "\x98"}});
  ParadoxCatalogueReader reader(dir.Path());
  const TDM dm(reader);
  EXPECT_EQ(RowRef(dm.Table(CatalogueTable::COLORSET), 0).Text("Name"), Cp("Белый") + "\x98");
}

TEST(ParadoxReader, EveryErrorNamesTheTableAndStopsTheLoad) {
  struct Case {
    const char* name;
    std::vector<ParadoxField> fields;
    std::vector<std::vector<std::string>> rows;
    std::string garbage;  // written instead of a table when not empty
    std::string message;
  } cases[] = {
      {"not a Paradox file",
       {},
       {},
       "plain text, no table header at all",
       "Таблица Catalog.db: не открывается как таблица Paradox"},
      {"text in a whole-number field",
       {{"ID", pxfAlpha, 30}, {"Group", pxfAlpha, 10}},
       {{"A", "1"}, {"B", "abc"}},
       "",
       "Таблица Catalog.db, запись 2, поле Group: \"abc\" не является целым числом"},
      {"a schema column of a kind that is not read",
       {{"ID", pxfAlpha, 30}, {"Name", pxfBytes, 10}},
       {},
       "",
       "Таблица Catalog.db: поле Name типа 24 не читается"},
  };
  for (const auto& c : cases) {
    TempDir dir;
    if (c.garbage.empty())
      WriteParadoxTable(dir / "Catalog.db", c.fields, c.rows);
    else
      test::WriteFile(dir / "Catalog.db", c.garbage + std::string(4096, 'x'));
    ParadoxCatalogueReader reader(dir.Path());
    try {
      const TDM dm(reader);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()).substr(0, Cp(c.message).size()), Cp(c.message))
          << c.name << ": " << Cp1251ToUtf8(error.what());
    }
  }
}

}  // namespace
}  // namespace rxf
