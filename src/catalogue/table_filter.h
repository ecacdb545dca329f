// Filter texts over a memory table, in the system's expression language:
//   ID = 'K1' and (FFBMin <= 70 or Color = '') and PropKey <> 0
// Column names are matched ignoring letter case. A column without a value equals '' and lies in
// no numeric range. Values put into a filter text go through QuotedText.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "catalogue/memory_table.h"
#include "foundation/expression.h"

namespace rxf {

class TableFilter {
 public:
  // Parses text once and binds its column names to table's columns. Raises Error for a malformed
  // text or a name the table does not have. table must outlive the filter.
  TableFilter(const MemoryTable& table, std::string_view text);

  const MemoryTable& Table() const { return *table_; }
  const std::string& Text() const { return expression_.Text(); }

  bool Matches(RowIndex row) const;

  // When the filter's top-level "and" chain holds an equality between an indexed column and a
  // literal, the rows holding that value (ascending): no other row can match. nullopt otherwise.
  const std::optional<std::span<const RowIndex>>& Candidates() const { return candidates_; }

 private:
  std::optional<std::span<const RowIndex>> PinnedRows(const ExprNode& node) const;

  const MemoryTable* table_;
  Expression expression_;
  std::optional<std::span<const RowIndex>> candidates_;
};

// value between single quotes with its own quotes doubled, ready for a filter text:
// QuotedText("It's") gives 'It''s'. An identifier can then neither break nor widen a filter.
std::string QuotedText(std::string_view value);

}  // namespace rxf
