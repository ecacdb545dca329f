// The catalogue data module: every catalogue table in memory, with the views the program reads
// them through. Built once from a reader and read-only afterwards, so several threads may read
// it at once; lookups take it as an argument, so nothing about the catalogue is global.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "catalogue/catalogue_reader.h"
#include "catalogue/memory_table.h"
#include "catalogue/schema.h"
#include "catalogue/table_view.h"

namespace rxf {

class TDM {
 public:
  // Reads every table of the schema from reader. When any table fails, the reader's Error
  // propagates and no data module exists: a catalogue is taken whole or not at all.
  explicit TDM(CatalogueReader& reader);
  TDM(const TDM&) = delete;
  TDM& operator=(const TDM&) = delete;

  const MemoryTable& Table(CatalogueTable table) const;
  // Every table of every dataset below, whole, in CatalogueTable order.
  std::span<const MemoryTable> Tables() const { return tables_; }

  const TableView& T_COLORSET() const { return View(CatalogueTable::COLORSET); }
  const TableView& T_Currency() const { return View(CatalogueTable::Currency); }
  const TableView& T_PriceGrp() const { return View(CatalogueTable::PriceGrp); }
  const TableView& T_SysList() const { return View(CatalogueTable::SysList); }
  const TableView& T_SysColor() const { return View(CatalogueTable::SysColor); }
  const TableView& T_SysProp() const { return View(CatalogueTable::SysProp); }
  const TableView& T_SysProf() const { return View(CatalogueTable::SysProf); }
  const TableView& T_Catalog() const { return View(CatalogueTable::Catalog); }
  // "ID <> 0": the row with ID 0 is never listed.
  const TableView& T_Material() const { return View(CatalogueTable::Material); }
  // The four lists that share ParamList, told apart by ranges of ID.
  const TableView& T_FalzList() const { return *falzList_; }    // 100..199 rebate types
  const TableView& T_DornList() const { return *dornList_; }    // 200..299 backsets
  const TableView& T_StulpList() const { return *stulpList_; }  // 300..399 mullion types
  const TableView& T_OpenList() const { return *openList_; }    // 400..499 opening types
  const TableView& T_FrnComp() const { return View(CatalogueTable::FrnComp); }
  const TableView& T_FrnSide() const { return View(CatalogueTable::FrnSide); }
  const TableView& T_FrnItem() const { return View(CatalogueTable::FrnItem); }
  const TableView& T_FrnSet() const { return View(CatalogueTable::FrnSet); }
  const TableView& T_FrnArt() const { return View(CatalogueTable::FrnArt); }
  const TableView& T_FrnSchl() const { return View(CatalogueTable::FrnSchl); }
  const TableView& T_FrnDop() const { return View(CatalogueTable::FrnDop); }
  const TableView& T_FrnAbd() const { return View(CatalogueTable::FrnAbd); }
  const TableView& T_FrnProp() const { return View(CatalogueTable::FrnProp); }
  const TableView& T_FrnItoI() const { return View(CatalogueTable::FrnItoI); }

 private:
  // The dataset of a table: the whole table, or for Material its fixed view.
  const TableView& View(CatalogueTable table) const;

  std::vector<MemoryTable> tables_;
  std::vector<std::unique_ptr<TableView>> views_;  // by CatalogueTable
  std::unique_ptr<TableView> falzList_;
  std::unique_ptr<TableView> dornList_;
  std::unique_ptr<TableView> stulpList_;
  std::unique_ptr<TableView> openList_;
};

}  // namespace rxf
