#include "catalogue/catalogue_import.h"

extern "C" {
#include <paradox.h>
}

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalogue_opener.h"
#include "catalogue_files.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "paradox_writer.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

std::vector<std::string> FileNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  return names;
}

TEST(CatalogueImport, WritesEveryTableAndReportsEachInTurn) {
  TempDir source;
  test::WriteFile(source / "Catalog.csv", "ID,Name\nA-1,Петля\nA-2,Ручка\n");
  TempDir target;
  std::vector<std::string> reported;
  ImportCatalogue(source.Path(), target / "catalogue.sqlite", [&](const MemoryTable& table) {
    reported.push_back(std::string(table.Name()) + ":" + std::to_string(table.RowCount()));
  });

  ASSERT_EQ(reported.size(), kCatalogueTableCount);
  EXPECT_EQ(reported.front(), "COLORSET:0");
  EXPECT_EQ(reported[static_cast<std::size_t>(CatalogueTable::Catalog)], "Catalog:2");
  const auto dm = OpenCatalogue(target / "catalogue.sqlite");
  EXPECT_EQ(RowRef(dm->Table(CatalogueTable::Catalog), 1).Text("Name"), "Ручка"_w);
}

TEST(CatalogueImport, LeavesAnExistingFileAsItWasWhenTheImportFails) {
  struct Case {
    const char* name;
    std::function<void(const TempDir&)> writeSource;
  } cases[] = {
      {"reading fails: a value that does not fit its column",
       [](const TempDir& dir) {
         test::WriteFile(dir / "FrnSet.csv", "ID,Item,FFBMin\nK1,I1,x\n");
       }},
      {"writing fails: a Paradox text with a byte UTF-8 cannot carry back",
       [](const TempDir& dir) {
         test::WriteParadoxTable(dir / "COLORSET.DB", {{"Color", pxfAlpha, 10}}, {{"\x98"}});
       }},
  };
  for (const auto& c : cases) {
    TempDir source;
    c.writeSource(source);
    TempDir target;
    test::WriteFile(target / "catalogue.sqlite", "the previous catalogue");
    EXPECT_THROW(
        ImportCatalogue(source.Path(), target / "catalogue.sqlite", [](const MemoryTable&) {}),
        Error)
        << c.name;
    EXPECT_EQ(test::ReadFile(target / "catalogue.sqlite"), "the previous catalogue") << c.name;
    EXPECT_EQ(FileNames(target.Path()), std::vector<std::string>{"catalogue.sqlite"})
        << c.name << ": nothing else is left beside it";
  }
}

TEST(CatalogueImport, LeavesNoFileBehindWhenTheTargetCannotBeWritten) {
  TempDir source;
  test::WriteFile(source / "Catalog.csv", "ID\nA\n");
  TempDir target;
  EXPECT_THROW(ImportCatalogue(source.Path(), target / "missing" / "catalogue.sqlite",
                               [](const MemoryTable&) {}),
               Error);
  EXPECT_TRUE(fs::is_empty(target.Path()));
}

}  // namespace
}  // namespace rxf
