// A dataset of the catalogue: a memory table, or the part of it that a fixed filter admits (the
// four parameter lists that share ParamList, the materials without row 0). Queries and locates
// answer with rows in walk order and keep no state between calls.
#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/memory_table.h"
#include "catalogue/table_filter.h"

namespace rxf {

class TableView {
 public:
  // Every row of table, under the name "T_" + the table's name.
  explicit TableView(const MemoryTable& table);
  // The rows of table that fixedFilter admits. table must outlive the view.
  TableView(std::string name, const MemoryTable& table, std::string_view fixedFilter);

  const std::string& Name() const { return name_; }
  const MemoryTable& Table() const { return *table_; }

  // The view's rows in walk order.
  std::span<const RowIndex> Rows() const { return rows_; }
  bool Contains(RowIndex row) const;

  // The view's rows that filter admits, in walk order; filter must be made for Table(). An
  // equality on an indexed column narrows the rows tested to those holding the value.
  std::vector<RowIndex> Query(const TableFilter& filter) const;
  std::vector<RowIndex> Query(std::string_view filterText) const;
  std::size_t Count(const TableFilter& filter) const;

  // The first row whose columns (one name, or several joined by ";") equal the values, compared
  // exactly (texts byte by byte, letter case counts). Uses the index of the first indexed
  // column among them. Raises Error for an unknown column or a count of values that differs.
  std::optional<RowRef> Locate(std::string_view columns,
                               std::initializer_list<ExprValue> values) const;

 private:
  template <typename Visit>
  void ForEachMatch(const TableFilter& filter, Visit&& visit) const;

  std::string name_;
  const MemoryTable* table_;
  bool everyRow_;
  std::vector<RowIndex> rows_;
};

}  // namespace rxf
