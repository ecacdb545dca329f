#include "catalogue/csv_reader.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "catalogue/data_module.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

class CsvFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "rxf-csv-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  void Write(const std::string& name, const std::string& content) {
    std::ofstream(folder_ / name, std::ios::binary) << content;
  }
  void Clear() {
    for (const auto& entry : fs::directory_iterator(folder_))
      fs::remove(entry.path());
  }

  fs::path folder_;
};

std::vector<std::string> Texts(const TableView& view, std::string_view column) {
  std::vector<std::string> texts;
  const int index = view.Table().ColumnIndex(column);
  for (const RowIndex row : view.Rows())
    texts.emplace_back(view.Table().Text(row, index));
  return texts;
}

std::vector<std::int64_t> Numbers(const TableView& view, std::string_view column) {
  std::vector<std::int64_t> numbers;
  const int index = view.Table().ColumnIndex(column);
  for (const RowIndex row : view.Rows())
    numbers.push_back(view.Table().Integer(row, index));
  return numbers;
}

TEST_F(CsvFolder, ReadsQuotedFieldsRecodedTextAndHeadersInAnyOrderAndCase) {
  Write("FrnArt.csv",
        "\xEF\xBB\xBF"
        "color,catalogid,Id,Примечание\r\n"
        "9016,\"C,1\",I1,\"Сказал \"\"да\"\"\r\nи ушёл\"\r\n"
        ",C2,I1,\r\n");
  Write("FRNART.CSV", "the exact name wins over this file\n\"");
  CsvCatalogueReader reader(folder_);
  const TDM dm(reader);
  const TableView& articles = dm.T_FrnArt();
  EXPECT_EQ(Texts(articles, "CatalogID"), (std::vector<std::string>{"C,1", "C2"}));
  EXPECT_EQ(Texts(articles, "Color"), (std::vector<std::string>{"9016", ""}));
  EXPECT_TRUE(articles.Table().IsNull(1, articles.Table().ColumnIndex("Color")));
  EXPECT_EQ(Texts(articles, "примечание"_w),
            (std::vector<std::string>{std::string("Сказал \"да\"\r\nи ушёл"_w), ""}));
  EXPECT_EQ(Numbers(articles, "Key"), (std::vector<std::int64_t>{1, 2}));
}

TEST_F(CsvFolder, NumbersAutoincByFileRowAndSkipsBlankLines) {
  Write("frnset.CSV",
        "ID, Item ,Key,FFBMin,FFAMin\n"
        "K1,I1,,12,-1.5\n"
        "\n"
        "K1,I2,7, 40 ,\n"
        "K1,I3,,,90");
  CsvCatalogueReader reader(folder_);
  const TDM dm(reader);
  const TableView& set = dm.T_FrnSet();
  EXPECT_EQ(Texts(set, "Item"), (std::vector<std::string>{"I1", "I2", "I3"}));
  EXPECT_EQ(Numbers(set, "Key"), (std::vector<std::int64_t>{1, 7, 3}));
  EXPECT_EQ(Numbers(set, "FFBMin"), (std::vector<std::int64_t>{12, 40, 0}));
  EXPECT_DOUBLE_EQ(set.Table().Float(0, set.Table().ColumnIndex("FFAMin")), -1.5);
  EXPECT_DOUBLE_EQ(set.Table().Float(2, set.Table().ColumnIndex("FFAMin")), 90);
}

TEST_F(CsvFolder, EveryErrorNamesFileLineAndColumnAndStopsTheLoad) {
  struct Case {
    const char* name;
    const char* file;
    std::string content;
    std::string message;
  } cases[] = {
      {"character without a Windows-1251 form", "Catalog.csv", "ID,Name\nA-1,Ок\nA-2,中\n",
       std::string("Файл Catalog.csv, строка 3, столбец 2 (Name): Символ U+4E2D не имеет "
                   "представления в кодировке Windows-1251"_w)},
      {"malformed UTF-8", "Catalog.csv", "ID,Name\nA-1,\xFF\n",
       std::string("Файл Catalog.csv, строка 2, столбец 2 (Name): Текст не в кодировке UTF-8: "
                   "неверная последовательность в байте 1"_w)},
      {"fraction in a whole-number column", "FrnSet.csv", "ID,Item,FFBMin\nK1,I1,12\nK1,I2,1.5\n",
       std::string("Файл FrnSet.csv, строка 3, столбец 3 (FFBMin): \"1.5\" не является целым "
                   "числом"_w)},
      {"decimal comma", "FrnArt.csv", "ID,DornMassMin\nI1,\"7,5\"\n",
       std::string("Файл FrnArt.csv, строка 2, столбец 2 (DornMassMin): \"7,5\" не является "
                   "числом"_w)},
      {"line counted past a quoted line break", "Catalog.csv",
       "ID,Name,Price\n\"A\n1\",Ок,1\nA-2,x,abc\n",
       std::string("Файл Catalog.csv, строка 4, столбец 3 (Price): \"abc\" не является суммой "
                   "(не более четырёх знаков после точки)"_w)},
      {"quote not closed", "Catalog.csv", "ID,Name\nA-1,\"Ок\n",
       std::string("Файл Catalog.csv, строка 2, столбец 2: не закрыта кавычка"_w)},
      {"text after the closing quote", "Catalog.csv", "ID,Name\nA-1,\"Ок\"x\n",
       std::string("Файл Catalog.csv, строка 2, столбец 2: после закрывающей кавычки ожидается "
                   "запятая"_w)},
      {"too few fields", "Catalog.csv", "ID,Name\nA-1,x\nA-2\n",
       std::string("Файл Catalog.csv, строка 3: полей 1, а в заголовке 2"_w)},
      {"column named twice", "Catalog.csv", "ID,Name,id\n",
       std::string("Файл Catalog.csv, строка 1, столбец 3 (id): Столбец [id] повторяется"_w)},
  };
  for (const auto& c : cases) {
    Clear();
    Write("Material.csv", "ID,Name\n1,ПВХ\n");
    Write(c.file, c.content);
    CsvCatalogueReader reader(folder_);
    try {
      const TDM dm(reader);
      ADD_FAILURE() << c.name << ": loaded";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), c.message) << c.name;
    }
  }
}

TEST_F(CsvFolder, AFolderThatDoesNotExistIsAnError) {
  EXPECT_THROW(CsvCatalogueReader(folder_ / "missing"), Error);
  Write("Catalog.csv", "ID\n");
  EXPECT_THROW(CsvCatalogueReader(folder_ / "Catalog.csv"), Error);
}

TEST_F(CsvFolder, EmptyFileAndHeaderOnlyGiveEmptyTables) {
  Write("Catalog.csv", "");
  Write("Material.csv", "ID,Name\r\n");
  CsvCatalogueReader reader(folder_);
  const TDM dm(reader);
  EXPECT_EQ(dm.Table(CatalogueTable::Catalog).RowCount(), 0u);
  EXPECT_EQ(dm.Table(CatalogueTable::Material).RowCount(), 0u);
}

}  // namespace
}  // namespace rxf
