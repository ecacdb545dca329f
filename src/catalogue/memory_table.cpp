#include "catalogue/memory_table.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

MemoryTable::MemoryTable(const TableSchema& schema, std::vector<Column> columns)
    : schema_(&schema), columns_(std::move(columns)) {
  for (int index = 0; index < ColumnCount(); ++index)
    columnsByUpperName_.emplace(AnsiUpperCase(columns_[index].Name()), index);
  for (const std::string_view name : schema.Indexed) {
    const int index = ColumnIndex(name);
    indexes_.emplace_back(index, columns_[index]);
  }
}

RowIndex MemoryTable::RowCount() const {
  return columns_.empty() ? 0 : columns_.front().RowCount();
}

std::optional<int> MemoryTable::FindColumn(std::string_view name) const {
  const auto found = columnsByUpperName_.find(AnsiUpperCase(name));
  if (found == columnsByUpperName_.end())
    return std::nullopt;
  return found->second;
}

int MemoryTable::ColumnIndex(std::string_view name) const {
  if (const auto index = FindColumn(name))
    return *index;
  throw Error(MissingColumnMessage(Name(), name));
}

const KeyIndex* MemoryTable::IndexOn(int column) const {
  for (const KeyIndex& index : indexes_)
    if (index.ColumnIndex() == column)
      return &index;
  return nullptr;
}

bool RowRef::IsNull(std::string_view column) const {
  return table_->IsNull(index_, table_->ColumnIndex(column));
}

std::int64_t RowRef::Integer(std::string_view column) const {
  return table_->Integer(index_, table_->ColumnIndex(column));
}

double RowRef::Float(std::string_view column) const {
  return table_->Float(index_, table_->ColumnIndex(column));
}

Money RowRef::Currency(std::string_view column) const {
  return table_->Currency(index_, table_->ColumnIndex(column));
}

std::string RowRef::Text(std::string_view column) const {
  return std::string(table_->Text(index_, table_->ColumnIndex(column)));
}

ExprValue RowRef::Value(std::string_view column) const {
  return table_->Value(index_, table_->ColumnIndex(column));
}

std::string MissingColumnMessage(std::string_view table, std::string_view column) {
  return Format(std::string("В таблице %s нет поля [%s]"_w), table, column);
}

}  // namespace rxf
