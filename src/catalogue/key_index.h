// The rows of a table ordered by the value of one column, so that the rows holding a given value
// are found in logarithmic time and come out in walk order.
#pragma once

#include <optional>
#include <span>
#include <vector>

#include "catalogue/column.h"

namespace rxf {

class KeyIndex {
 public:
  // Indexes a string or whole-number column whose rows are already in walk order.
  KeyIndex(int columnIndex, const Column& column);

  int ColumnIndex() const { return columnIndex_; }

  // The rows of column whose value equals value as filter comparisons count equality, ascending.
  // nullopt when the value's kind does not suit the column (text against numbers, numbers
  // against text): the caller then compares row by row.
  std::optional<std::span<const RowIndex>> Find(const Column& column, const ExprValue& value) const;

 private:
  std::span<const RowIndex> FindText(const Column& column, std::string_view text) const;
  std::span<const RowIndex> FindWhole(const Column& column, double number) const;

  int columnIndex_;
  // Text columns: every row, by text (no value counts as ""), then row. Whole-number columns:
  // the rows holding a value, by value, then row; a row without value equals no number.
  std::vector<RowIndex> rows_;
};

}  // namespace rxf
