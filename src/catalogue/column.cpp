#include "catalogue/column.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

double TextAsNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

template <typename T>
std::vector<T> Reordered(const std::vector<T>& values, std::span<const RowIndex> order) {
  std::vector<T> result;
  result.reserve(order.size());
  for (const RowIndex row : order)
    result.push_back(values[row]);
  return result;
}

}  // namespace

bool IsWholeNumberType(ColumnType type) {
  return type == ColumnType::SmallInt || type == ColumnType::Integer ||
         type == ColumnType::AutoInc || type == ColumnType::Boolean;
}

Column::Storage Column::StorageOf(ColumnType type) {
  if (IsWholeNumberType(type))
    return Storage::Int32;
  switch (type) {
    case ColumnType::Currency:
      return Storage::Int64;
    case ColumnType::Bcd:
    case ColumnType::Date:
      return Storage::Double;
    default:
      return Storage::Text;
  }
}

Column::Column(std::string name, ColumnType type, int size)
    : name_(std::move(name)), type_(type), size_(size), storage_(StorageOf(type)) {}

std::int64_t Column::Integer(RowIndex row) const {
  if (IsNull(row))
    return 0;
  switch (storage_) {
    case Storage::Int32:
      return int32s_[row];
    default:
      return std::llround(Float(row));
  }
}

double Column::Float(RowIndex row) const {
  if (IsNull(row))
    return 0;
  switch (storage_) {
    case Storage::Int32:
      return int32s_[row];
    case Storage::Int64:
      return Money::FromTicks(int64s_[row]).ToDouble();
    case Storage::Double:
      return doubles_[row];
    case Storage::Text:
      return TextAsNumber(Text(row));
  }
  return 0;
}

Money Column::Currency(RowIndex row) const {
  if (IsNull(row))
    return Money();
  switch (storage_) {
    case Storage::Int32:
      return Money::FromUnits(int32s_[row]);
    case Storage::Int64:
      return Money::FromTicks(int64s_[row]);
    case Storage::Double:
      return Money::FromDouble(doubles_[row]);
    case Storage::Text:
      return Money::Parse(Text(row)).value_or(Money());
  }
  return Money();
}

std::string_view Column::Text(RowIndex row) const {
  if (storage_ != Storage::Text)
    return {};
  const std::uint32_t begin = row == 0 ? 0 : textEnds_[row - 1];
  return std::string_view(chars_).substr(begin, textEnds_[row] - begin);
}

ExprValue Column::Value(RowIndex row) const {
  if (IsNull(row))
    return std::monostate{};
  if (storage_ == Storage::Text)
    return std::string(Text(row));
  return Float(row);
}

void Column::AppendNull() {
  AppendPresent(false);
  switch (storage_) {
    case Storage::Int32:
      int32s_.push_back(0);
      break;
    case Storage::Int64:
      int64s_.push_back(0);
      break;
    case Storage::Double:
      doubles_.push_back(0);
      break;
    case Storage::Text:
      textEnds_.push_back(static_cast<std::uint32_t>(chars_.size()));
      break;
  }
}

void Column::AppendWhole(std::int64_t value) {
  AppendPresent(true);
  if (storage_ == Storage::Int64)
    int64s_.push_back(value);
  else
    int32s_.push_back(static_cast<std::int32_t>(value));
}

void Column::AppendFloat(double value) {
  AppendPresent(true);
  doubles_.push_back(value);
}

void Column::AppendText(std::string_view text) {
  if (chars_.size() + text.size() > std::numeric_limits<std::uint32_t>::max())
    throw Error(std::string("Слишком много текста в столбце "_w) + name_);
  AppendPresent(true);
  chars_.append(text);
  textEnds_.push_back(static_cast<std::uint32_t>(chars_.size()));
}

void Column::Reorder(std::span<const RowIndex> order) {
  std::vector<bool> present;
  present.reserve(order.size());
  for (const RowIndex row : order)
    present.push_back(present_[row]);
  switch (storage_) {
    case Storage::Int32:
      int32s_ = Reordered(int32s_, order);
      break;
    case Storage::Int64:
      int64s_ = Reordered(int64s_, order);
      break;
    case Storage::Double:
      doubles_ = Reordered(doubles_, order);
      break;
    case Storage::Text: {
      std::string chars;
      chars.reserve(chars_.size());
      std::vector<std::uint32_t> ends;
      ends.reserve(order.size());
      for (const RowIndex row : order) {
        chars.append(Text(row));
        ends.push_back(static_cast<std::uint32_t>(chars.size()));
      }
      chars_ = std::move(chars);
      textEnds_ = std::move(ends);
      break;
    }
  }
  present_ = std::move(present);
}

}  // namespace rxf
