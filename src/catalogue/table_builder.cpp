#include "catalogue/table_builder.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>
#include <optional>

#include "foundation/cp1251.h"
#include "foundation/datetime.h"
#include "foundation/format.h"
#include "foundation/text.h"

namespace rxf {

namespace {

struct WholeRange {
  std::int64_t min;
  std::int64_t max;
};

WholeRange RangeOf(ColumnType type) {
  switch (type) {
    case ColumnType::SmallInt:
      return {std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()};
    case ColumnType::Boolean:
      return {0, 1};
    default:
      return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
  }
}

// Blanks around a number are no part of it; a leading "+" is allowed.
std::optional<std::int64_t> ParseWhole(std::string_view text) {
  const std::string trimmed = Trim(text);
  const std::string_view digits =
      trimmed.starts_with('+') ? std::string_view(trimmed).substr(1) : std::string_view(trimmed);
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

std::optional<double> ParseDecimal(std::string_view text) {
  const std::string trimmed = Trim(text);
  const std::string_view digits =
      trimmed.starts_with('+') ? std::string_view(trimmed).substr(1) : std::string_view(trimmed);
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::fixed);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() ||
      !std::isfinite(value))
    return std::nullopt;
  return value;
}

// yyyy-mm-dd
std::optional<TDateTime> ParseDate(std::string_view text) {
  const std::string trimmed = Trim(text);
  if (trimmed.size() != 10 || trimmed[4] != '-' || trimmed[7] != '-')
    return std::nullopt;
  const auto year = ParseWhole(std::string_view(trimmed).substr(0, 4));
  const auto month = ParseWhole(std::string_view(trimmed).substr(5, 2));
  const auto day = ParseWhole(std::string_view(trimmed).substr(8, 2));
  if (!year || !month || !day)
    return std::nullopt;
  try {
    return EncodeDate(static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day));
  } catch (const Error&) {
    return std::nullopt;
  }
}

std::string NumberText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string CellText(const SourceCell& cell) {
  if (const auto* text = std::get_if<std::string_view>(&cell))
    return std::string(*text);
  if (const auto* whole = std::get_if<std::int64_t>(&cell))
    return std::to_string(*whole);
  if (const auto* number = std::get_if<double>(&cell))
    return NumberText(*number);
  return {};
}

[[noreturn]] void Reject(int sourceColumn, std::string_view format, const SourceCell& cell) {
  throw CellError(sourceColumn, Format(format, CellText(cell)));
}

std::optional<std::int64_t> WholeOf(const SourceCell& cell) {
  if (const auto* whole = std::get_if<std::int64_t>(&cell))
    return *whole;
  if (const auto* number = std::get_if<double>(&cell)) {
    if (*number != std::trunc(*number) || std::abs(*number) > 1e18)
      return std::nullopt;
    return static_cast<std::int64_t>(*number);
  }
  return ParseWhole(std::get<std::string_view>(cell));
}

std::optional<double> DecimalOf(const SourceCell& cell) {
  if (const auto* whole = std::get_if<std::int64_t>(&cell))
    return static_cast<double>(*whole);
  if (const auto* number = std::get_if<double>(&cell))
    return *number;
  return ParseDecimal(std::get<std::string_view>(cell));
}

std::optional<Money> MoneyOf(const SourceCell& cell) {
  constexpr std::int64_t kLargestUnits = std::numeric_limits<std::int64_t>::max() / Money::kScale;
  if (const auto* whole = std::get_if<std::int64_t>(&cell)) {
    if (*whole > kLargestUnits || *whole < -kLargestUnits)
      return std::nullopt;
    return Money::FromUnits(*whole);
  }
  if (const auto* number = std::get_if<double>(&cell)) {
    try {
      return Money::FromDouble(*number);
    } catch (const Error&) {
      return std::nullopt;
    }
  }
  return Money::Parse(Trim(std::get<std::string_view>(cell)));
}

std::optional<TDateTime> DateOf(const SourceCell& cell) {
  if (const auto* text = std::get_if<std::string_view>(&cell))
    return ParseDate(*text);
  return DecimalOf(cell);
}

// Compares two rows by the walk-order columns: texts byte by byte, numbers by value, a cell
// without value before every value.
bool WalksBefore(const std::vector<const Column*>& walk, RowIndex a, RowIndex b) {
  for (const Column* column : walk) {
    if (column->Type() == ColumnType::String) {
      const int order = column->Text(a).compare(column->Text(b));
      if (order != 0)
        return order < 0;
      continue;
    }
    if (column->IsNull(a) != column->IsNull(b))
      return column->IsNull(a);
    const double x = column->Float(a);
    const double y = column->Float(b);
    if (x != y)
      return x < y;
  }
  return false;
}

}  // namespace

TableBuilder::TableBuilder(const TableSchema& schema) : schema_(&schema) {
  for (const ColumnDef& def : schema.Columns)
    columns_.emplace_back(std::string(def.Name), def.Type, def.Size);
  sourceColumns_.assign(columns_.size(), -1);
}

void TableBuilder::SetSourceColumns(std::span<const std::string> names) {
  sourceCount_ = names.size();
  for (int source = 0; source < static_cast<int>(names.size()); ++source) {
    const std::string& name = names[source];
    if (name.empty())
      throw CellError(source, std::string("Столбец без имени"_w));
    const auto same = [&name](const Column& column) { return AnsiSameText(column.Name(), name); };
    const auto found = std::find_if(columns_.begin(), columns_.end(), same);
    const auto index = static_cast<std::size_t>(found - columns_.begin());
    if (found == columns_.end()) {
      columns_.emplace_back(name, ColumnType::String, 0);
      sourceColumns_.push_back(source);
    } else if (sourceColumns_[index] >= 0) {
      throw CellError(source, Format(std::string("Столбец [%s] повторяется"_w), name));
    } else {
      sourceColumns_[index] = source;
    }
  }
}

void TableBuilder::AddRow(std::span<const SourceCell> cells) {
  if (cells.size() != sourceCount_)
    throw Error(Format(std::string("Таблица %s: в строке %d значений вместо %d"_w), schema_->Name,
                       cells.size(), sourceCount_));
  if (rows_ == std::numeric_limits<RowIndex>::max())
    throw Error(Format(std::string("Таблица %s: слишком много строк"_w), schema_->Name));
  ++rows_;
  for (std::size_t index = 0; index < columns_.size(); ++index) {
    Column& column = columns_[index];
    const int source = sourceColumns_[index];
    const SourceCell cell = source >= 0 ? cells[source] : SourceCell{};
    if (column.Type() == ColumnType::AutoInc && std::holds_alternative<std::monostate>(cell))
      column.AppendWhole(rows_);
    else
      AppendCell(column, cell, source);
  }
}

void TableBuilder::AppendCell(Column& column, const SourceCell& cell, int sourceColumn) const {
  if (std::holds_alternative<std::monostate>(cell)) {
    column.AppendNull();
    return;
  }
  const ColumnType type = column.Type();
  if (type == ColumnType::String) {
    const auto* text = std::get_if<std::string_view>(&cell);
    column.AppendText(text ? *text : CellText(cell));
  } else if (IsWholeNumberType(type)) {
    const auto value = WholeOf(cell);
    if (!value)
      Reject(sourceColumn, "\"%s\" не является целым числом"_w, cell);
    const WholeRange range = RangeOf(type);
    if (*value < range.min || *value > range.max)
      Reject(sourceColumn, "Число %s вне допустимого диапазона столбца"_w, cell);
    column.AppendWhole(*value);
  } else if (type == ColumnType::Currency) {
    const auto value = MoneyOf(cell);
    if (!value)
      Reject(sourceColumn, "\"%s\" не является суммой (не более четырёх знаков после точки)"_w,
             cell);
    column.AppendWhole(value->Ticks());
  } else if (type == ColumnType::Date) {
    const auto value = DateOf(cell);
    if (!value)
      Reject(sourceColumn, "\"%s\" не является датой вида ГГГГ-ММ-ДД"_w, cell);
    column.AppendFloat(*value);
  } else {
    const auto value = DecimalOf(cell);
    if (!value)
      Reject(sourceColumn, "\"%s\" не является числом"_w, cell);
    column.AppendFloat(*value);
  }
}

MemoryTable TableBuilder::Finish() && {
  std::vector<const Column*> walk;
  for (const std::string_view name : schema_->WalkOrder)
    for (const Column& column : columns_)
      if (column.Name() == name)
        walk.push_back(&column);
  if (!walk.empty()) {
    std::vector<RowIndex> order(rows_);
    std::iota(order.begin(), order.end(), RowIndex{0});
    std::stable_sort(order.begin(), order.end(),
                     [&walk](RowIndex a, RowIndex b) { return WalksBefore(walk, a, b); });
    if (!std::is_sorted(order.begin(), order.end()))
      for (Column& column : columns_)
        column.Reorder(order);
  }
  return MemoryTable(*schema_, std::move(columns_));
}

}  // namespace rxf
