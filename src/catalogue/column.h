// One column of a memory table: its definition and its cells, stored by type so that a large
// catalogue stays small (an int32 per smallint cell, one character buffer per text column).
// Cells are appended while a table is built; afterwards a column is read-only.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/expression.h"
#include "foundation/money.h"

namespace rxf {

// Rows are addressed by their position in the table's walk order.
using RowIndex = std::uint32_t;

enum class ColumnType { String, SmallInt, Integer, AutoInc, Bcd, Currency, Date, Boolean };

struct ColumnDef {
  std::string_view Name;
  ColumnType Type;
  // Characters of a string column, digits after the point of a bcd column; 0 otherwise or
  // unknown. Kept for reports on the data: longer texts are stored as they come.
  int Size = 0;
};

// Whether a column of this type holds whole numbers (smallint, integer, autoinc, boolean).
bool IsWholeNumberType(ColumnType type);

class Column {
 public:
  Column(std::string name, ColumnType type, int size);

  const std::string& Name() const { return name_; }
  ColumnType Type() const { return type_; }
  int Size() const { return size_; }
  RowIndex RowCount() const { return static_cast<RowIndex>(present_.size()); }

  // Readers of one cell. A cell without a value reads as 0, 0.0, zero money or empty text.
  // Numbers of another kind convert (Integer rounds a fraction half away from zero); a text
  // cell reads as the number it holds, else 0.
  bool IsNull(RowIndex row) const { return !present_[row]; }
  std::int64_t Integer(RowIndex row) const;
  double Float(RowIndex row) const;
  Money Currency(RowIndex row) const;
  // The text of a string column; empty for other columns.
  std::string_view Text(RowIndex row) const;
  // The cell as the expression language sees it: nothing, a number or a text.
  ExprValue Value(RowIndex row) const;

  // Building: one call per row, in row order.
  void AppendNull();
  void AppendWhole(std::int64_t value);  // whole-number columns; currency in ten-thousandths
  void AppendFloat(double value);        // bcd and date columns
  void AppendText(std::string_view text);
  // Puts the rows in the given order: new row i is old row order[i].
  void Reorder(std::span<const RowIndex> order);

 private:
  enum class Storage { Int32, Int64, Double, Text };
  static Storage StorageOf(ColumnType type);

  void AppendPresent(bool present) { present_.push_back(present); }

  std::string name_;
  ColumnType type_;
  int size_;
  Storage storage_;
  std::vector<bool> present_;
  std::vector<std::int32_t> int32s_;
  std::vector<std::int64_t> int64s_;
  std::vector<double> doubles_;
  std::vector<std::uint32_t> textEnds_;  // end of row i's text in chars_; it starts where i-1 ends
  std::string chars_;
};

}  // namespace rxf
