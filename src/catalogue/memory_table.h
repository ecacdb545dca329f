// A catalogue table held in memory: the schema's columns, then any extra columns the source
// brought (kept as text), rows in the schema's walk order and value indexes on the key columns.
// A table is built once by TableBuilder and read-only afterwards; nothing in it is a "current
// row", so lookups cannot disturb each other.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/column.h"
#include "catalogue/key_index.h"
#include "catalogue/schema.h"

namespace rxf {

class MemoryTable {
 public:
  // Made by TableBuilder: columns hold the schema's columns in schema order, then the extra ones,
  // with rows in walk order. schema must outlive the table.
  MemoryTable(const TableSchema& schema, std::vector<Column> columns);
  MemoryTable(const MemoryTable&) = delete;
  MemoryTable& operator=(const MemoryTable&) = delete;
  MemoryTable(MemoryTable&&) = default;
  MemoryTable& operator=(MemoryTable&&) = default;

  const TableSchema& Schema() const { return *schema_; }
  std::string_view Name() const { return schema_->Name; }
  RowIndex RowCount() const;
  int ColumnCount() const { return static_cast<int>(columns_.size()); }
  const Column& ColumnAt(int index) const { return columns_[index]; }

  // The column of that name, letter case ignored; the schema's columns come first, in schema
  // order, so their positions never change.
  std::optional<int> FindColumn(std::string_view name) const;
  // The same, raising Error "В таблице ... нет поля [...]" when there is none.
  int ColumnIndex(std::string_view name) const;

  // The value index on a column, or null when the column has none.
  const KeyIndex* IndexOn(int column) const;

  // Cell readers; see Column for the values of empty cells.
  bool IsNull(RowIndex row, int column) const { return columns_[column].IsNull(row); }
  std::int64_t Integer(RowIndex row, int column) const { return columns_[column].Integer(row); }
  double Float(RowIndex row, int column) const { return columns_[column].Float(row); }
  Money Currency(RowIndex row, int column) const { return columns_[column].Currency(row); }
  std::string_view Text(RowIndex row, int column) const { return columns_[column].Text(row); }
  ExprValue Value(RowIndex row, int column) const { return columns_[column].Value(row); }

 private:
  const TableSchema* schema_;
  std::vector<Column> columns_;
  std::unordered_map<std::string, int> columnsByUpperName_;
  std::vector<KeyIndex> indexes_;
};

// One row of a table with its cells read by column name: convenient where a lookup reads a few
// cells once. Hot loops resolve column indexes once and read through the table.
class RowRef {
 public:
  RowRef(const MemoryTable& table, RowIndex index) : table_(&table), index_(index) {}

  const MemoryTable& Table() const { return *table_; }
  RowIndex Index() const { return index_; }

  // Each raises Error when the table has no such column.
  bool IsNull(std::string_view column) const;
  std::int64_t Integer(std::string_view column) const;
  double Float(std::string_view column) const;
  Money Currency(std::string_view column) const;
  std::string Text(std::string_view column) const;
  ExprValue Value(std::string_view column) const;

 private:
  const MemoryTable* table_;
  RowIndex index_;
};

// "В таблице %s нет поля [%s]": the message for a column name that a table does not have.
std::string MissingColumnMessage(std::string_view table, std::string_view column);

}  // namespace rxf
