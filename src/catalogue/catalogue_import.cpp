#include "catalogue/catalogue_import.h"

#include "catalogue/catalogue_opener.h"
#include "catalogue/schema.h"
#include "catalogue/sqlite_catalogue.h"
#include "catalogue/table_builder.h"

namespace rxf {

void ImportCatalogue(const std::filesystem::path& source, const std::filesystem::path& dest,
                     const std::function<void(const MemoryTable&)>& tableDone) {
  const auto reader = OpenCatalogueReader(source);
  SqliteCatalogueWriter writer;
  // One table in memory at a time: a large catalogue converts in the memory of its largest table.
  for (const TableSchema& schema : CatalogueSchema()) {
    TableBuilder builder(schema);
    reader->ReadTable(builder);
    const MemoryTable table = std::move(builder).Finish();
    writer.AddTable(table);
    tableDone(table);
  }
  writer.SaveAs(dest);
}

}  // namespace rxf
