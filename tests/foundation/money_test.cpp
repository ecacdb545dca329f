#include "foundation/money.h"

#include <gtest/gtest.h>

#include "foundation/error.h"

namespace rxf {
namespace {

TEST(Money, FromDoubleRoundsTheExactValueTiesToEven) {
  struct Case {
    const char* name;
    double value;
    std::int64_t ticks;
  } cases[] = {
      {"whole", 12.0, 120000},
      {"nearest to a decimal", 1.2345, 12345},  // the double is a hair below 1.2345
      {"above a decimal tie", 0.00005, 1},      // the double is a hair above half a tick
      {"binary tie goes down to even", 0.03125, 312},
      {"binary tie goes up to even", 0.09375, 938},
      {"negative tie", -0.03125, -312},
      {"tiny", 1e-300, 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Money::FromDouble(c.value).Ticks(), c.ticks) << c.name;
  EXPECT_EQ(ExactAmount(Money::FromTicks(1)).Times(0.5).Round().Ticks(), 0);
  EXPECT_EQ(ExactAmount(Money::FromTicks(3)).Times(0.5).Round().Ticks(), 2);
  EXPECT_EQ(ExactAmount(Money::FromTicks(-3)).Times(0.5).Round().Ticks(), -2);
  EXPECT_EQ(ExactAmount(Money::FromTicks(5)).Times(0.5).Round().Ticks(), 2);
}

TEST(Money, PriceAtARateIsExactThenRoundedOnce) {
  // 1.2345 at 92.5 is 114.19125 exactly: ties to even gives 114.1912, floating point 114.1913.
  const Money price = *Money::Parse("1.2345");
  EXPECT_EQ(ExactAmount(price).Times(92.5f).Round(), *Money::Parse("114.1912"));
  EXPECT_EQ(ExactAmount(*Money::Parse("1.2347")).Times(92.5f).Round(), *Money::Parse("114.2098"));
  // A percentage surcharge: 10.0001 + 12.5 % = 11.2501125 -> 11.2501.
  EXPECT_EQ(ExactAmount(*Money::Parse("10.0001")).Times(100 + 12.5).DividedBy(100).Round(),
            *Money::Parse("11.2501"));
  // 0.1 as a single is 0.100000001490116...: the exact product with that float is rounded.
  EXPECT_EQ(ExactAmount(Money::FromUnits(1000)).Times(0.1f).Round(), *Money::Parse("100.0000"));
  EXPECT_EQ(ExactAmount(Money::FromUnits(100000000)).Times(0.1f).Round().Ticks(),
            std::int64_t{100000001490});
}

TEST(Money, ParseAndText) {
  struct Case {
    const char* text;
    std::int64_t ticks;
    const char* canonical;
  } valid[] = {
      {"0", 0, "0.0000"},      {"123.45", 1234500, "123.4500"}, {"-0.5", -5000, "-0.5000"},
      {"+7", 70000, "7.0000"}, {".25", 2500, "0.2500"},         {"1.2345", 12345, "1.2345"},
  };
  for (const auto& c : valid) {
    const auto money = Money::Parse(c.text);
    ASSERT_TRUE(money.has_value()) << c.text;
    EXPECT_EQ(money->Ticks(), c.ticks) << c.text;
    EXPECT_EQ(money->ToText(), c.canonical) << c.text;
  }
  for (const char* bad : {"", "-", "1.23456", "1,5", "12a", "99999999999999999999", " 1"})
    EXPECT_FALSE(Money::Parse(bad).has_value()) << bad;
  EXPECT_EQ(Money::FromTicks(INT64_MIN).ToText(), "-922337203685477.5808");
}

TEST(Money, OverflowRaisesInsteadOfWrapping) {
  const Money big = Money::FromTicks(INT64_MAX);
  EXPECT_THROW(big + Money::FromTicks(1), Error);
  EXPECT_THROW(Money::FromTicks(INT64_MIN) - Money::FromTicks(1), Error);
  EXPECT_THROW(ExactAmount(big).Times(2.0).Round(), Error);
  EXPECT_THROW(Money::FromDouble(1e30), Error);
  EXPECT_THROW(Money::FromDouble(std::numeric_limits<double>::quiet_NaN()), Error);
  EXPECT_THROW(ExactAmount(big).DividedBy(0), Error);
}

}  // namespace
}  // namespace rxf
