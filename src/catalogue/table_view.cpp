#include "catalogue/table_view.h"

#include <algorithm>
#include <numeric>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text.h"

namespace rxf {

namespace {

std::vector<int> ResolveColumns(const MemoryTable& table, std::string_view columns) {
  std::vector<int> indexes;
  const int count = CountTokens(columns, ";");
  for (int token = 1; token <= count; ++token)
    indexes.push_back(table.ColumnIndex(GetToken(columns, token, ";", true)));
  return indexes;
}

bool Equal(const ExprValue& a, const ExprValue& b) {
  const auto order = CompareValues(a, b);
  return order && *order == 0;
}

}  // namespace

TableView::TableView(const MemoryTable& table)
    : name_("T_" + std::string(table.Name())), table_(&table), everyRow_(true) {
  rows_.resize(table.RowCount());
  std::iota(rows_.begin(), rows_.end(), RowIndex{0});
}

TableView::TableView(std::string name, const MemoryTable& table, std::string_view fixedFilter)
    : name_(std::move(name)), table_(&table), everyRow_(false) {
  const TableFilter filter(table, fixedFilter);
  for (RowIndex row = 0; row < table.RowCount(); ++row)
    if (filter.Matches(row))
      rows_.push_back(row);
}

bool TableView::Contains(RowIndex row) const {
  if (everyRow_)
    return row < table_->RowCount();
  return std::binary_search(rows_.begin(), rows_.end(), row);
}

template <typename Visit>
void TableView::ForEachMatch(const TableFilter& filter, Visit&& visit) const {
  const std::span<const RowIndex> candidates = filter.Candidates().value_or(Rows());
  const bool narrowed = filter.Candidates().has_value();
  for (const RowIndex row : candidates)
    if ((!narrowed || Contains(row)) && filter.Matches(row))
      visit(row);
}

std::vector<RowIndex> TableView::Query(const TableFilter& filter) const {
  std::vector<RowIndex> rows;
  ForEachMatch(filter, [&rows](RowIndex row) { rows.push_back(row); });
  return rows;
}

std::vector<RowIndex> TableView::Query(std::string_view filterText) const {
  return Query(TableFilter(*table_, filterText));
}

std::size_t TableView::Count(const TableFilter& filter) const {
  std::size_t count = 0;
  ForEachMatch(filter, [&count](RowIndex) { ++count; });
  return count;
}

std::optional<RowRef> TableView::Locate(std::string_view columns,
                                        std::initializer_list<ExprValue> values) const {
  const std::vector<int> indexes = ResolveColumns(*table_, columns);
  if (indexes.size() != values.size())
    throw Error(Format(std::string("Поиск в таблице %s по полям [%s]: %d значений вместо %d"_w),
                       table_->Name(), columns, values.size(), indexes.size()));
  const std::span<const ExprValue> wanted(values.begin(), values.size());
  std::optional<std::span<const RowIndex>> candidates;
  for (std::size_t i = 0; i < indexes.size() && !candidates; ++i)
    if (const KeyIndex* index = table_->IndexOn(indexes[i]))
      candidates = index->Find(table_->ColumnAt(indexes[i]), wanted[i]);
  const auto matches = [&](RowIndex row) {
    for (std::size_t i = 0; i < indexes.size(); ++i)
      if (!Equal(table_->Value(row, indexes[i]), wanted[i]))
        return false;
    return true;
  };
  for (const RowIndex row : candidates.value_or(Rows()))
    if ((!candidates || Contains(row)) && matches(row))
      return RowRef(*table_, row);
  return std::nullopt;
}

}  // namespace rxf
