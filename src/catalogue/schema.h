// The tables of the fittings catalogue: their columns, keys, walk orders and the columns that
// carry a value index. The schema is fixed; every reader fills tables of this shape.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "catalogue/column.h"

namespace rxf {

// The catalogue tables in the order the data module opens them.
enum class CatalogueTable {
  COLORSET,
  Currency,
  PriceGrp,
  SysList,
  SysColor,
  SysProp,
  SysProf,
  Catalog,
  Material,
  ParamList,
  FrnComp,
  FrnSide,
  FrnItem,
  FrnSet,
  FrnArt,
  FrnSchl,
  FrnDop,
  FrnAbd,
  FrnProp,
  FrnItoI,
};

inline constexpr std::size_t kCatalogueTableCount = 20;

struct TableSchema {
  std::string_view Name;
  std::span<const ColumnDef> Columns;
  // The primary key; empty when the table has none. Keys are not enforced on reading.
  std::span<const std::string_view> PrimaryKey;
  // Rows walk ordered by these columns, ties in file order; empty: file order.
  std::span<const std::string_view> WalkOrder;
  // Columns with a value index, so that an equality on them costs what its matches cost.
  std::span<const std::string_view> Indexed;
};

// Every catalogue table, indexed by CatalogueTable.
std::span<const TableSchema> CatalogueSchema();
const TableSchema& SchemaOf(CatalogueTable table);

}  // namespace rxf
