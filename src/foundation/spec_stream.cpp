#include "foundation/spec_stream.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <limits>
#include <optional>
#include <variant>

#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

constexpr std::size_t kTextCountSize = 4;
constexpr std::size_t kTaggedSlotSize = 16;
constexpr std::size_t kPayloadOffset = 8;

// The type word of a tagged slot.
enum Tag : std::uint16_t {
  kEmpty = 0,
  kInt16 = 2,
  kInt32 = 3,
  kFloat32 = 4,
  kReal = 5,
  kCurrency = 6,
  kDate = 7,
  kBoolean = 11,
  kInt8 = 16,
  kUInt8 = 17,
  kUInt16 = 18,
  kUInt32 = 19,
};

std::uint64_t LoadLittleEndian(std::string_view bytes) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i)
    value |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  return value;
}

void StoreLittleEndian(std::uint64_t value, std::span<char> out) {
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char>(value >> (8 * i));
}

Error FormatError(std::size_t offset, std::string_view problem) {
  return Error(std::string("Неверный формат данных по смещению "_w) + std::to_string(offset) +
               ": " + std::string(problem) + ".");
}

// Nearest whole number, ties to even, whatever the floating-point rounding mode.
double RoundHalfEven(double value) {
  const double lower = std::floor(value);
  const double rest = value - lower;
  const bool odd = std::fmod(lower, 2.0) != 0.0;
  return rest > 0.5 || (rest == 0.5 && odd) ? lower + 1.0 : lower;
}

std::int64_t TicksToWhole(std::int64_t ticks) {
  std::int64_t whole = ticks / Money::kScale;
  std::int64_t rest = ticks % Money::kScale;
  if (rest < 0) {
    rest += Money::kScale;
    --whole;
  }
  constexpr std::int64_t kHalf = Money::kScale / 2;
  return rest > kHalf || (rest == kHalf && whole % 2 != 0) ? whole + 1 : whole;
}

constexpr std::string_view kCurrencyKind = "денежная сумма"_w;

// The number a tagged slot holds, kept exact: whole numbers and money stay integers.
class SlotValue {
 public:
  SlotValue(std::variant<std::int64_t, double, Money> number, std::size_t offset)
      : number_(number), offset_(offset) {}

  double Real() const {
    if (const auto* whole = std::get_if<std::int64_t>(&number_))
      return static_cast<double>(*whole);
    if (const auto* money = std::get_if<Money>(&number_))
      return money->ToDouble();
    return std::get<double>(number_);
  }

  bool IsNonZero() const {
    if (const auto* money = std::get_if<Money>(&number_))
      return money->Ticks() != 0;
    return Real() != 0.0;
  }

  std::int64_t Whole(std::int64_t min, std::int64_t max, std::string_view kind) const {
    const std::optional<std::int64_t> whole = Unbounded();
    if (!whole || *whole < min || *whole > max)
      throw DoesNotFit(kind);
    return *whole;
  }

  Money Currency() const {
    if (const auto* money = std::get_if<Money>(&number_))
      return *money;
    // Whole numbers in a slot have at most 32 bits: as money they always fit.
    if (const auto* whole = std::get_if<std::int64_t>(&number_))
      return Money::FromUnits(*whole);
    try {
      return Money::FromDouble(std::get<double>(number_));
    } catch (const Error&) {
      throw DoesNotFit(kCurrencyKind);
    }
  }

 private:
  // The nearest whole number, ties to even; nullopt for a real beyond the 64-bit range.
  std::optional<std::int64_t> Unbounded() const {
    if (const auto* whole = std::get_if<std::int64_t>(&number_))
      return *whole;
    if (const auto* money = std::get_if<Money>(&number_))
      return TicksToWhole(money->Ticks());
    const double rounded = RoundHalfEven(std::get<double>(number_));
    // 2^63 is a double, and below it every whole double converts without overflow.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(rounded >= -kLimit && rounded < kLimit))
      return std::nullopt;
    return static_cast<std::int64_t>(rounded);
  }

  Error DoesNotFit(std::string_view kind) const {
    return FormatError(offset_, std::string("значение не помещается в поле типа «"_w) +
                                    std::string(kind) + std::string("»"_w));
  }

  std::variant<std::int64_t, double, Money> number_;
  std::size_t offset_;
};

// Decodes a tagged slot; bytes missing at the end of the data read as zero.
SlotValue ValueOf(std::string_view slot, std::size_t offset) {
  std::array<char, kTaggedSlotSize> bytes{};
  std::copy(slot.begin(), slot.end(), bytes.begin());
  const std::string_view view(bytes.data(), bytes.size());
  const auto tag = static_cast<std::uint16_t>(LoadLittleEndian(view.substr(0, 2)));
  const std::uint64_t bits = LoadLittleEndian(view.substr(kPayloadOffset));
  const auto whole = [&](std::int64_t value) { return SlotValue(value, offset); };
  switch (tag) {
    case kEmpty:
      return whole(0);
    case kInt8:
      return whole(static_cast<std::int8_t>(bits));
    case kUInt8:
      return whole(static_cast<std::uint8_t>(bits));
    case kInt16:
    case kBoolean:
      return whole(static_cast<std::int16_t>(bits));
    case kUInt16:
      return whole(static_cast<std::uint16_t>(bits));
    case kInt32:
      return whole(static_cast<std::int32_t>(bits));
    case kUInt32:
      return whole(static_cast<std::uint32_t>(bits));
    case kFloat32:
      return SlotValue(double{std::bit_cast<float>(static_cast<std::uint32_t>(bits))}, offset);
    case kReal:
    case kDate:
      return SlotValue(std::bit_cast<double>(bits), offset);
    case kCurrency:
      return SlotValue(Money::FromTicks(std::bit_cast<std::int64_t>(bits)), offset);
  }
  throw FormatError(offset, std::string("неизвестный тип значения "_w) + std::to_string(tag));
}

void ReportShortText(UiServices& ui, std::int32_t ordered, std::size_t read) {
  ui.ShowError(std::string("Ошибка чтения строки из потока!\r\nЗаказано: ["_w) +
               std::to_string(ordered) + std::string(" символов], Считано: ["_w) +
               std::to_string(read) + std::string(" символов]!"_w));
}

}  // namespace

TSpecStream TSpecStream::LoadFromFile(UiServices& ui, const std::filesystem::path& path) {
  return TSpecStream(ui, ReadWholeFile(path));
}

void TSpecStream::SaveToFile(const std::filesystem::path& path) const {
  WriteFileAtomically(path, data_);
}

std::string_view TSpecStream::Take(std::size_t count) {
  if (position_ >= data_.size())
    return {};
  const std::string_view bytes = std::string_view(data_).substr(position_, count);
  position_ += bytes.size();
  return bytes;
}

std::size_t TSpecStream::Read(std::span<char> buffer) {
  const std::string_view bytes = Take(buffer.size());
  std::copy(bytes.begin(), bytes.end(), buffer.begin());
  return bytes.size();
}

void TSpecStream::Write(std::string_view bytes) {
  if (data_.size() < position_ + bytes.size())
    data_.resize(position_ + bytes.size());
  std::copy(bytes.begin(), bytes.end(), data_.begin() + static_cast<std::ptrdiff_t>(position_));
  position_ += bytes.size();
}

void TSpecStream::CopyFrom(TSpecStream& source, std::size_t count) {
  const std::size_t available = source.Size() - std::min(source.Position(), source.Size());
  if (available < count)
    throw Error(std::string("Ошибка копирования потока: заказано "_w) + std::to_string(count) +
                std::string(" байт, доступно "_w) + std::to_string(available) + ".");
  // A copy first: the source may be this stream, whose bytes move as it grows.
  const std::string bytes(source.Take(count));
  Write(bytes);
}

void TSpecStream::Clear() {
  data_.clear();
  position_ = 0;
}

void TSpecStream::WriteTagged(std::uint16_t tag, std::uint64_t payload) {
  std::array<char, kTaggedSlotSize> slot{};
  StoreLittleEndian(tag, std::span(slot).first(2));
  StoreLittleEndian(payload, std::span(slot).subspan(kPayloadOffset));
  Write(std::string_view(slot.data(), slot.size()));
}

void TSpecStream::WriteString(std::string_view text) {
  constexpr auto kMaxCount = static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max());
  if (text.size() > kMaxCount)
    throw Error(std::string("Строка длиной "_w) + std::to_string(text.size()) +
                std::string(" байт слишком длинная для записи в поток."_w));
  std::array<char, kTextCountSize> count{};
  StoreLittleEndian(text.size(), count);
  Write(std::string_view(count.data(), count.size()));
  Write(text);
}

void TSpecStream::WriteInteger(std::int32_t value) {
  WriteTagged(kInt32, static_cast<std::uint32_t>(value));
}

void TSpecStream::WriteByte(std::uint8_t value) {
  WriteTagged(kUInt8, value);
}

void TSpecStream::WriteBoolean(bool value) {
  WriteTagged(kBoolean, value ? 0xFFFF : 0);
}

void TSpecStream::WriteReal(double value) {
  WriteTagged(kReal, std::bit_cast<std::uint64_t>(value));
}

void TSpecStream::WriteSingle(float value) {
  WriteReal(value);
}

void TSpecStream::WriteDate(TDateTime value) {
  WriteTagged(kDate, std::bit_cast<std::uint64_t>(value));
}

void TSpecStream::WriteCurrency(Money value) {
  WriteTagged(kCurrency, std::bit_cast<std::uint64_t>(value.Ticks()));
}

std::int32_t TSpecStream::ReadTextCount() {
  const std::size_t offset = position_;
  const std::string_view bytes = Take(kTextCountSize);
  if (bytes.size() < kTextCountSize)
    throw FormatError(offset, "длина строки обрезана концом данных"_w);
  const auto count = static_cast<std::int32_t>(LoadLittleEndian(bytes));
  if (count < 0)
    throw FormatError(offset, std::string("отрицательная длина строки "_w) + std::to_string(count));
  return count;
}

std::string TSpecStream::ReadString() {
  const std::int32_t count = ReadTextCount();
  const std::string_view bytes = Take(static_cast<std::size_t>(count));
  const std::size_t read = bytes.size();
  std::string text(bytes.substr(0, bytes.find('\0')));
  if (read < static_cast<std::size_t>(count))
    ReportShortText(ui_, count, read);
  return text;
}

std::int32_t TSpecStream::ReadInteger() {
  const std::size_t offset = position_;
  constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
  constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(
      ValueOf(Take(kTaggedSlotSize), offset).Whole(kMin, kMax, "целое число"_w));
}

std::int32_t TSpecStream::ReadCount(std::size_t minRecordSize) {
  const std::size_t offset = position_;
  const std::int32_t count = ReadInteger();
  const std::size_t remaining = data_.size() - std::min(position_, data_.size());
  if (count < 0 || static_cast<std::size_t>(count) * minRecordSize > remaining)
    throw FormatError(offset, std::string("число записей "_w) + std::to_string(count) +
                                  std::string(" не помещается в оставшиеся данные"_w));
  return count;
}

std::uint8_t TSpecStream::ReadByte() {
  const std::size_t offset = position_;
  return static_cast<std::uint8_t>(ValueOf(Take(kTaggedSlotSize), offset).Whole(0, 255, "байт"_w));
}

bool TSpecStream::ReadBoolean() {
  const std::size_t offset = position_;
  return ValueOf(Take(kTaggedSlotSize), offset).IsNonZero();
}

double TSpecStream::ReadReal() {
  const std::size_t offset = position_;
  return ValueOf(Take(kTaggedSlotSize), offset).Real();
}

float TSpecStream::ReadSingle() {
  return static_cast<float>(ReadReal());
}

TDateTime TSpecStream::ReadDate() {
  return ReadReal();
}

Money TSpecStream::ReadCurrency() {
  const std::size_t offset = position_;
  return ValueOf(Take(kTaggedSlotSize), offset).Currency();
}

}  // namespace rxf
