// The seam between the places a catalogue comes from (CSV folders, SQLite files, Paradox tables)
// and the memory tables: a reader names its columns once, then hands over rows of cells.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "catalogue/memory_table.h"
#include "foundation/error.h"

namespace rxf {

// One cell as a source holds it: no value, a whole number, a floating value or Windows-1251 text.
using SourceCell = std::variant<std::monostate, std::int64_t, double, std::string_view>;

// A cell that does not fit its column. The text is the reason alone, in Windows-1251
// ("\"1,5\" не является числом"); the reader adds where the cell stands.
class CellError : public Error {
 public:
  CellError(int sourceColumn, const std::string& reason)
      : Error(reason), sourceColumn_(sourceColumn) {}
  // The cell's position among the source's columns, from 0.
  int SourceColumn() const { return sourceColumn_; }

 private:
  int sourceColumn_;
};

// Builds one table. Text cells in a numeric column are read as numbers with "." (money with at
// most four decimals, dates as yyyy-mm-dd); texts longer than the column's size are kept.
class TableBuilder {
 public:
  // schema must outlive the builder and the table it builds.
  explicit TableBuilder(const TableSchema& schema);

  const TableSchema& Schema() const { return *schema_; }

  // Once, before the first row: the source's column names in the order of its cells, matched to the
  // schema's names ignoring letter case; any other name becomes an extra text column. Schema
  // columns the source lacks hold no value. Raises CellError for an empty name or a name given
  // twice.
  void SetSourceColumns(std::span<const std::string> names);

  // Appends one row (one cell per source column). Raises CellError for a cell that does not fit.
  // An autoinc column without a value takes the row's number (from 1).
  void AddRow(std::span<const SourceCell> cells);

  // The table with its rows in walk order and its indexes built. The builder is spent.
  MemoryTable Finish() &&;

 private:
  void AppendCell(Column& column, const SourceCell& cell, int sourceColumn) const;

  const TableSchema* schema_;
  std::vector<Column> columns_;     // the schema's, then the extra ones
  std::vector<int> sourceColumns_;  // per table column, the source column feeding it, or -1
  std::size_t sourceCount_ = 0;
  RowIndex rows_ = 0;
};

}  // namespace rxf
