#include "catalogue/key_index.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace rxf {

namespace {

bool IsText(const Column& column) {
  return column.Type() == ColumnType::String;
}

// Orders rows against a searched value of the column's kind.
template <typename Value>
struct RowsByValue {
  const Column& column;

  Value Of(RowIndex row) const {
    if constexpr (std::is_same_v<Value, std::string_view>)
      return column.Text(row);
    else
      return column.Integer(row);
  }
  bool operator()(RowIndex row, const Value& value) const { return Of(row) < value; }
  bool operator()(const Value& value, RowIndex row) const { return value < Of(row); }
};

// Stable, so that rows holding equal values stay in walk order.
template <typename Value>
void SortByValue(std::vector<RowIndex>& rows, const Column& column) {
  const RowsByValue<Value> by{column};
  std::stable_sort(rows.begin(), rows.end(),
                   [&by](RowIndex a, RowIndex b) { return by.Of(a) < by.Of(b); });
}

}  // namespace

KeyIndex::KeyIndex(int columnIndex, const Column& column) : columnIndex_(columnIndex) {
  rows_.reserve(column.RowCount());
  for (RowIndex row = 0; row < column.RowCount(); ++row)
    if (IsText(column) || !column.IsNull(row))
      rows_.push_back(row);
  if (IsText(column))
    SortByValue<std::string_view>(rows_, column);
  else
    SortByValue<std::int64_t>(rows_, column);
}

std::optional<std::span<const RowIndex>> KeyIndex::Find(const Column& column,
                                                        const ExprValue& value) const {
  if (const auto* text = std::get_if<std::string>(&value))
    return IsText(column) ? std::optional(FindText(column, *text)) : std::nullopt;
  if (const auto* number = std::get_if<double>(&value))
    return IsText(column) ? std::nullopt : std::optional(FindWhole(column, *number));
  return std::nullopt;
}

std::span<const RowIndex> KeyIndex::FindText(const Column& column, std::string_view text) const {
  const auto [first, last] =
      std::equal_range(rows_.begin(), rows_.end(), text, RowsByValue<std::string_view>{column});
  return {first, last};
}

std::span<const RowIndex> KeyIndex::FindWhole(const Column& column, double number) const {
  if (number != std::trunc(number) || std::abs(number) > 1e18)
    return {};
  const auto whole = static_cast<std::int64_t>(number);
  const auto [first, last] =
      std::equal_range(rows_.begin(), rows_.end(), whole, RowsByValue<std::int64_t>{column});
  return {first, last};
}

}  // namespace rxf
