#include "fixture.h"

#include "catalogue/csv_reader.h"

namespace rxf::test {

const TDM& SmallCatalogue() {
  static CsvCatalogueReader reader(RXF_TEST_DATA "/catalogue/small");
  static const TDM dm(reader);
  return dm;
}

MemoryTable BuildTable(const TableSchema& schema, const std::vector<std::string>& columns,
                       const std::vector<std::vector<std::string>>& rows) {
  TableBuilder builder(schema);
  builder.SetSourceColumns(columns);
  for (const auto& row : rows) {
    std::vector<SourceCell> cells;
    for (const std::string& text : row)
      cells.push_back(text.empty() ? SourceCell{} : SourceCell{std::string_view(text)});
    builder.AddRow(cells);
  }
  return std::move(builder).Finish();
}

}  // namespace rxf::test
