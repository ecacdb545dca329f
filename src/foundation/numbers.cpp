#include "foundation/numbers.h"

#include <cmath>
#include <limits>
#include <string>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::int32_t ToInt32(double value) {
  if (!(value >= std::numeric_limits<std::int32_t>::min() &&
        value <= std::numeric_limits<std::int32_t>::max()))
    throw Error(FormatWith(InvariantFormats(), "%s (%.4f)",
                           {std::string("Значение вне допустимого диапазона"_w), value}));
  return static_cast<std::int32_t>(value);
}

double Sign(double x) {
  return x < 0 ? -1.0 : (x > 0 ? 1.0 : 0.0);
}

double RoundFraction(double x, double scale) {
  const double whole = std::trunc(x);
  return whole + RoundHalfAway((x - whole) * scale) / scale;
}

// Int(x ± 1) for the ceiling and floor routines, taken only when the fraction counts.
std::int32_t StepToWhole(double x, double step) {
  if (x == 0)
    return 0;
  x = RoundToDigits(4, x);
  if (std::fabs(x - std::trunc(x)) >= 0.0001)
    x = std::trunc(x + step);
  return ToInt32(std::trunc(x));
}

}  // namespace

std::int32_t RoundHalfAway(double x) {
  return ToInt32(Sign(x) * std::trunc(std::fabs(x) + 0.5));
}

double RoundFrac4(double x) {
  return RoundFraction(x, 10000);
}

double RoundFrac1(double x) {
  return RoundFraction(x, 10);
}

double RoundToDigits(int digits, double x) {
  if (digits < -37 || digits > 37)
    throw Error(Format("%s (%d)", std::string("Недопустимое число знаков округления"_w), digits));
  const double scale = std::pow(10.0, digits);
  return Sign(x) * std::trunc(std::fabs(x) * scale + 0.5) / scale;
}

std::int32_t CeilInt4(double x) {
  return StepToWhole(x, 1);
}

std::int32_t LowerInt4(double x) {
  return StepToWhole(x, -1);
}

std::int32_t MMToTenths(double mm) {
  return RoundHalfAway(mm * 10);
}

std::int32_t TenthsToMMInt(double tenths) {
  return RoundHalfAway(tenths / 10);
}

bool IsBitSet(std::int64_t value, int bit) {
  return bit >= 1 && bit <= 64 && ((static_cast<std::uint64_t>(value) >> (bit - 1)) & 1) != 0;
}

bool GreaterBy(double a, double b) {
  return a - b >= 0.01;
}

bool LessBy(double a, double b) {
  return b - a >= 0.01;
}

}  // namespace rxf
