// Rounding and comparison routines on floating-point values. "Int" cuts the fraction towards
// zero. Whole numbers from lengths, radii and sizes round half away from zero.
#pragma once

#include <cstdint>

namespace rxf {

// sign(x) * Int(|x| + 0.5); raises Error beyond 32 bits.
std::int32_t RoundHalfAway(double x);
// x rounded to 4 (1) decimals: Int(x) + RoundHalfAway(fraction * 10^4) / 10^4.
double RoundFrac4(double x);
double RoundFrac1(double x);
// sign(x) * Int(|x| * 10^digits + 0.5) / 10^digits; digits from -37 to 37, else Error.
double RoundToDigits(int digits, double x);
// Whole number at or above x, where fractions below 0.0001 do not count. Raises beyond 32 bits.
std::int32_t CeilInt4(double x);
// The same downwards.
std::int32_t LowerInt4(double x);
// Millimetres to tenths of a millimetre and back to whole millimetres.
std::int32_t MMToTenths(double mm);
std::int32_t TenthsToMMInt(double tenths);
// Bit `bit` of value, bits counted from 1.
bool IsBitSet(std::int64_t value, int bit);
// a exceeds b (is below b) by at least 0.01.
bool GreaterBy(double a, double b);
bool LessBy(double a, double b);

}  // namespace rxf
