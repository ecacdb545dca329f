// Money: a 64-bit count of ten-thousandths (four fixed decimals).
// Every rounding to money is to the nearest ten-thousandth with ties to even, and a formula of
// money, rates and percentages is evaluated exactly (ExactAmount) and rounded once, so that
// totals never depend on the order of operations or on binary floating point.
#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rxf {

class Money {
 public:
  static constexpr std::int64_t kScale = 10000;

  constexpr Money() = default;
  static constexpr Money FromTicks(std::int64_t ticks) { return Money(ticks); }
  static constexpr Money FromUnits(std::int64_t units) { return Money(units * kScale); }
  // The exact value of the double rounded to a ten-thousandth, ties to even.
  // Raises Error when the value is not finite or beyond the money range.
  static Money FromDouble(double value);
  // "123.45", "-0.5", "7": a decimal with "." and at most four decimals; nullopt otherwise.
  static std::optional<Money> Parse(std::string_view text);

  constexpr std::int64_t Ticks() const { return ticks_; }
  double ToDouble() const { return static_cast<double>(ticks_) / kScale; }
  // Exactly four decimals and "." ("123.4500"): the interchange form, never for users.
  std::string ToText() const;

  constexpr auto operator<=>(const Money&) const = default;
  constexpr Money operator-() const { return Money(-ticks_); }
  Money& operator+=(Money other);
  Money& operator-=(Money other);
  friend Money operator+(Money a, Money b) { return a += b; }
  friend Money operator-(Money a, Money b) { return a -= b; }

 private:
  constexpr explicit Money(std::int64_t ticks) : ticks_(ticks) {}
  std::int64_t ticks_ = 0;
};

// An exact rational value built from money, binary floating-point factors (which are exact
// binary fractions) and integer divisors, rounded to money once.
//   ExactAmount(price).Times(rate).Times(100 + percent).DividedBy(100).Round()
class ExactAmount {
 public:
  explicit ExactAmount(Money amount);
  ExactAmount& Times(double factor);
  ExactAmount& Times(std::int64_t factor);
  ExactAmount& DividedBy(std::int64_t divisor);  // divisor != 0
  // Nearest ten-thousandth, ties to even; raises Error on overflow.
  Money Round() const;

 private:
  // value in ticks = numerator * 2^exponent / denominator, denominator > 0
  __int128 numerator_;
  int exponent_ = 0;
  __int128 denominator_ = 1;
};

}  // namespace rxf
