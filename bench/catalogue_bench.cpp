// Opening the large synthetic catalogue from the catalogue file and from CSV, locating by key, and
// the article query for one item on the large catalogue and on one four times larger: that
// query must cost what its item's rows cost, whatever the rows of other items.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/catalogue_import.h"
#include "catalogue/catalogue_opener.h"
#include "catalogue_generator.h"

namespace {

namespace fs = std::filesystem;

// The generated catalogues, made once per process in a temporary folder removed at exit.
class LargeCatalogues {
 public:
  LargeCatalogues() {
    std::string pattern = (fs::temp_directory_path() / "rxf-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
      throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern;
  }
  ~LargeCatalogues() {
    std::error_code error;
    fs::remove_all(root_, error);
  }

  fs::path CsvFolder(int scale) const {
    const fs::path folder = root_ / ("csv-" + std::to_string(scale));
    if (!fs::exists(folder))
      rxf::GenerateCatalogue(folder, scale);
    return folder;
  }

  fs::path SqliteFile() const {
    const fs::path file = root_ / "catalogue.sqlite";
    if (!fs::exists(file))
      rxf::ImportCatalogue(CsvFolder(1), file, [](const rxf::MemoryTable&) {});
    return file;
  }

  const rxf::TDM& Opened(int scale) {
    auto& dm = opened_[scale];
    if (!dm)
      dm = rxf::OpenCatalogue(CsvFolder(scale));
    return *dm;
  }

 private:
  fs::path root_;
  std::map<int, std::unique_ptr<rxf::TDM>> opened_;
};

LargeCatalogues& Catalogues() {
  static LargeCatalogues catalogues;
  return catalogues;
}

void BM_OpenFromSqlite(benchmark::State& state) {
  const fs::path file = Catalogues().SqliteFile();
  for (auto _ : state)
    benchmark::DoNotOptimize(rxf::OpenCatalogue(file));
}
BENCHMARK(BM_OpenFromSqlite)->Unit(benchmark::kMillisecond);

void BM_OpenFromCsv(benchmark::State& state) {
  const fs::path folder = Catalogues().CsvFolder(1);
  for (auto _ : state)
    benchmark::DoNotOptimize(rxf::OpenCatalogue(folder));
}
BENCHMARK(BM_OpenFromCsv)->Unit(benchmark::kMillisecond);

void BM_LocateCatalogByKey(benchmark::State& state) {
  const rxf::TableView& catalog = Catalogues().Opened(1).T_Catalog();
  const rxf::MemoryTable& table = catalog.Table();
  const int id = table.ColumnIndex("ID");
  std::vector<std::string> codes;
  for (rxf::RowIndex row = 0; row < table.RowCount(); row += 97)
    codes.emplace_back(table.Text(row, id));
  std::size_t next = 0;
  for (auto _ : state) {
    const auto found = catalog.Locate("ID", {rxf::ExprValue(codes[next])});
    benchmark::DoNotOptimize(found);
    next = (next + 1) % codes.size();
  }
}
BENCHMARK(BM_LocateCatalogByKey);

// The article query's filter for a width-ruled item of block 0, which every scale holds alike:
// the range clause, then the item clause, as the query writes them.
std::vector<std::string> WidthItemFilters() {
  std::vector<std::string> filters;
  for (int item = 0; item < 10000; item += 10) {
    std::string id = std::to_string(item);
    id = "E" + std::string(7 - id.size(), '0') + id;
    filters.push_back("FFBMin <= 70 and FFBMax >= 70 and ID='" + id + "' ");
  }
  return filters;
}

void BM_ArticleQueryByItem(benchmark::State& state) {
  const rxf::TableView& articles = Catalogues().Opened(static_cast<int>(state.range(0))).T_FrnArt();
  const std::vector<std::string> filters = WidthItemFilters();
  std::size_t next = 0;
  std::size_t matches = 0;
  for (auto _ : state) {
    matches += articles.Query(filters[next]).size();
    next = (next + 1) % filters.size();
  }
  if (matches != static_cast<std::size_t>(state.iterations()))
    state.SkipWithError("each query should find exactly one article");
  state.counters["FrnArt rows"] = static_cast<double>(articles.Rows().size());
}
BENCHMARK(BM_ArticleQueryByItem)->Arg(1)->Arg(4);

}  // namespace
