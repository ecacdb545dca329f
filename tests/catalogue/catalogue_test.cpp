#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue/data_module.h"
#include "fixture.h"
#include "foundation/cp1251.h"

namespace rxf {
namespace {

using test::SmallCatalogue;

std::vector<std::int64_t> Ids(const TableView& view) {
  std::vector<std::int64_t> ids;
  const int id = view.Table().ColumnIndex("ID");
  for (const RowIndex row : view.Rows())
    ids.push_back(view.Table().Integer(row, id));
  return ids;
}

TEST(Catalogue, ParamListViewsSplitTheTableByIdRanges) {
  const TDM& dm = SmallCatalogue();
  struct Case {
    const TableView& view;
    std::vector<std::int64_t> ids;
  } cases[] = {
      {dm.T_FalzList(), {150}},
      {dm.T_DornList(), {250}},
      {dm.T_StulpList(), {350}},
      {dm.T_OpenList(), {450}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Ids(c.view), c.ids) << c.view.Name();
    for (const double id : {99.0, 500.0})
      EXPECT_FALSE(c.view.Locate("ID", {id})) << c.view.Name() << " " << id;
  }
  EXPECT_TRUE(dm.T_DornList().Locate("ID", {250.0}));
  EXPECT_FALSE(dm.T_FalzList().Locate("ID", {250.0}));
}

TEST(Catalogue, MaterialRowZeroIsNeverListed) {
  const TDM& dm = SmallCatalogue();
  EXPECT_EQ(Ids(dm.T_Material()), (std::vector<std::int64_t>{1, 2}));
  EXPECT_FALSE(dm.T_Material().Locate("ID", {0.0}));
  EXPECT_TRUE(dm.T_Material().Query("ID = 0").empty());
  EXPECT_EQ(dm.Table(CatalogueTable::Material).RowCount(), 3u);
}

TEST(Catalogue, LocateComparesCodesExactly) {
  const TableView& catalog = SmallCatalogue().T_Catalog();
  EXPECT_TRUE(catalog.Locate("ID", {std::string("A-100")}));
  EXPECT_FALSE(catalog.Locate("ID", {std::string("a-100")}));
  EXPECT_FALSE(catalog.Locate("ID", {std::string("A-100 ")}));
}

TEST(Catalogue, EveryTableOfTheSchemaIsPresentAndMissingFilesAreEmpty) {
  const TDM& dm = SmallCatalogue();
  ASSERT_EQ(dm.Tables().size(), kCatalogueTableCount);
  for (std::size_t index = 0; index < kCatalogueTableCount; ++index)
    EXPECT_EQ(dm.Tables()[index].Name(), CatalogueSchema()[index].Name);
  EXPECT_EQ(dm.T_FrnSet().Rows().size(), 0u);
  EXPECT_EQ(dm.T_FrnItoI().Rows().size(), 0u);
  // The file of COLORSET is named in other letter case.
  EXPECT_EQ(dm.T_COLORSET().Rows().size(), 2u);
}

}  // namespace
}  // namespace rxf
