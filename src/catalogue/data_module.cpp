#include "catalogue/data_module.h"

namespace rxf {

namespace {

std::vector<MemoryTable> ReadTables(CatalogueReader& reader) {
  std::vector<MemoryTable> tables;
  tables.reserve(kCatalogueTableCount);
  for (const TableSchema& schema : CatalogueSchema()) {
    TableBuilder builder(schema);
    reader.ReadTable(builder);
    tables.push_back(std::move(builder).Finish());
  }
  return tables;
}

std::unique_ptr<TableView> FixedView(const char* name, const MemoryTable& table,
                                     const char* filter) {
  return std::make_unique<TableView>(name, table, filter);
}

}  // namespace

TDM::TDM(CatalogueReader& reader) : tables_(ReadTables(reader)) {
  for (std::size_t index = 0; index < tables_.size(); ++index) {
    const auto table = static_cast<CatalogueTable>(index);
    if (table == CatalogueTable::Material)
      views_.push_back(FixedView("T_Material", tables_[index], "ID <> 0"));
    else
      views_.push_back(std::make_unique<TableView>(tables_[index]));
  }
  const MemoryTable& params = Table(CatalogueTable::ParamList);
  falzList_ = FixedView("T_FalzList", params, "ID >= 100 and ID <= 199");
  dornList_ = FixedView("T_DornList", params, "ID >= 200 and ID <= 299");
  stulpList_ = FixedView("T_StulpList", params, "ID >= 300 and ID <= 399");
  openList_ = FixedView("T_OpenList", params, "ID >= 400 and ID <= 499");
}

const MemoryTable& TDM::Table(CatalogueTable table) const {
  return tables_[static_cast<std::size_t>(table)];
}

const TableView& TDM::View(CatalogueTable table) const {
  return *views_[static_cast<std::size_t>(table)];
}

}  // namespace rxf
