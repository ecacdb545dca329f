#include "foundation/money.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

using Int128 = __int128;

[[noreturn]] void ThrowOverflow() {
  throw Error(std::string("Переполнение денежной суммы"_w));
}

// num / den rounded to the nearest integer, ties to even; den > 0.
Int128 RoundTiesToEven(Int128 num, Int128 den) {
  const bool negative = num < 0;
  const Int128 magnitude = negative ? -num : num;
  Int128 quotient = magnitude / den;
  const Int128 twice_remainder = (magnitude % den) * 2;
  if (twice_remainder > den || (twice_remainder == den && (quotient & 1) != 0))
    ++quotient;
  return negative ? -quotient : quotient;
}

std::int64_t ToTicks(Int128 value) {
  if (value > std::numeric_limits<std::int64_t>::max() ||
      value < std::numeric_limits<std::int64_t>::min())
    ThrowOverflow();
  return static_cast<std::int64_t>(value);
}

// A finite double as mantissa * 2^exponent with an odd (or zero) integer mantissa.
struct BinaryFraction {
  std::int64_t mantissa;
  int exponent;
};

BinaryFraction Decompose(double value) {
  if (!std::isfinite(value))
    ThrowOverflow();
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  auto mantissa = static_cast<std::int64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  while (mantissa != 0 && (mantissa & 1) == 0) {
    mantissa /= 2;
    ++exponent;
  }
  return {mantissa, exponent};
}

Int128 CheckedMultiply(Int128 a, Int128 b) {
  Int128 product = 0;
  if (__builtin_mul_overflow(a, b, &product))
    ThrowOverflow();
  return product;
}

// value * 2^shift, raising when it leaves 127 bits.
Int128 CheckedShiftLeft(Int128 value, int shift) {
  const Int128 limit = static_cast<Int128>(1) << (126 - std::min(shift, 126));
  if (shift > 126 || value >= limit || value <= -limit)
    ThrowOverflow();
  return value * (static_cast<Int128>(1) << shift);
}

}  // namespace

Money Money::FromDouble(double value) {
  // Below 2^-60 a value is far less than half a tick; its exact form would not fit 128 bits.
  if (std::isfinite(value) && std::fabs(value) < 0x1p-60)
    return Money();
  return ExactAmount(FromTicks(kScale)).Times(value).Round();
}

std::optional<Money> Money::Parse(std::string_view text) {
  std::size_t pos = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+'))
    ++pos;
  std::int64_t units = 0;
  std::size_t digits = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++digits) {
    if (__builtin_mul_overflow(units, 10, &units) ||
        __builtin_add_overflow(units, text[pos] - '0', &units))
      return std::nullopt;
  }
  std::int64_t fraction = 0;
  std::size_t decimals = 0;
  if (pos < text.size() && text[pos] == '.') {
    for (++pos; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos, ++decimals)
      fraction = fraction * 10 + (text[pos] - '0');
  }
  if (pos != text.size() || digits + decimals == 0 || decimals > 4)
    return std::nullopt;
  for (std::size_t i = decimals; i < 4; ++i)
    fraction *= 10;
  std::int64_t ticks = 0;
  if (__builtin_mul_overflow(units, kScale, &ticks) ||
      __builtin_add_overflow(ticks, fraction, &ticks))
    return std::nullopt;
  return FromTicks(negative ? -ticks : ticks);
}

std::string Money::ToText() const {
  const bool negative = ticks_ < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(ticks_) : static_cast<std::uint64_t>(ticks_);
  std::string fraction = std::to_string(magnitude % kScale);
  fraction.insert(0, 4 - fraction.size(), '0');
  return (negative ? "-" : "") + std::to_string(magnitude / kScale) + "." + fraction;
}

Money& Money::operator+=(Money other) {
  if (__builtin_add_overflow(ticks_, other.ticks_, &ticks_))
    ThrowOverflow();
  return *this;
}

Money& Money::operator-=(Money other) {
  if (__builtin_sub_overflow(ticks_, other.ticks_, &ticks_))
    ThrowOverflow();
  return *this;
}

ExactAmount::ExactAmount(Money amount) : numerator_(amount.Ticks()) {}

ExactAmount& ExactAmount::Times(double factor) {
  const BinaryFraction fraction = Decompose(factor);
  numerator_ = CheckedMultiply(numerator_, fraction.mantissa);
  exponent_ += fraction.exponent;
  if (numerator_ == 0)
    exponent_ = 0;
  return *this;
}

ExactAmount& ExactAmount::Times(std::int64_t factor) {
  numerator_ = CheckedMultiply(numerator_, factor);
  return *this;
}

ExactAmount& ExactAmount::DividedBy(std::int64_t divisor) {
  if (divisor == 0)
    throw Error(std::string("Деление на ноль"_w));
  if (divisor < 0) {
    numerator_ = -numerator_;
    divisor = -divisor;
  }
  denominator_ = CheckedMultiply(denominator_, divisor);
  return *this;
}

Money ExactAmount::Round() const {
  if (exponent_ >= 0)
    return Money::FromTicks(
        ToTicks(RoundTiesToEven(CheckedShiftLeft(numerator_, exponent_), denominator_)));
  return Money::FromTicks(
      ToTicks(RoundTiesToEven(numerator_, CheckedShiftLeft(denominator_, -exponent_))));
}

}  // namespace rxf
