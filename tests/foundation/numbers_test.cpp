#include "foundation/numbers.h"

#include <gtest/gtest.h>

#include "foundation/error.h"
#include "foundation/version.h"

namespace rxf {
namespace {

TEST(Numbers, RoundingRoutines) {
  struct Case {
    const char* name;
    double got;
    double expected;
  } cases[] = {
      {"half away up", double(RoundHalfAway(2.5)), 3},
      {"half away down", double(RoundHalfAway(-2.5)), -3},
      {"below half", double(RoundHalfAway(2.4999)), 2},
      {"frac4", RoundFrac4(1.23456), 1.2346},
      {"frac4 negative", RoundFrac4(-1.23455), -1.2346},
      {"frac4 zero", RoundFrac4(0), 0},
      {"frac1", RoundFrac1(12.25), 12.3},
      {"digits 2", RoundToDigits(2, 1.005), 1.0},  // the double lies below 1.005
      {"digits 2 up", RoundToDigits(2, 1.0051), 1.01},
      {"digits negative", RoundToDigits(-2, 1250), 1300},
      {"digits of negative", RoundToDigits(1, -0.25), -0.3},
      {"mm to tenths", double(MMToTenths(700.05)), 7001},
      {"tenths to mm", double(TenthsToMMInt(7005)), 701},
      {"tenths to mm negative", double(TenthsToMMInt(-15)), -2},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(c.got, c.expected) << c.name;
}

TEST(Numbers, CeilAndLowerIgnoreFractionsBelowAFourthDecimal) {
  struct Case {
    double x;
    int ceil;
    int lower;
  } cases[] = {
      {0, 0, 0},          {12, 12, 12},      {12.00004, 12, 12},    {12.3, 13, 11},
      {12.99996, 13, 13}, {-12.3, -11, -13}, {-12.00004, -12, -12},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CeilInt4(c.x), c.ceil) << c.x;
    EXPECT_EQ(LowerInt4(c.x), c.lower) << c.x;
  }
}

TEST(Numbers, ResultsBeyondTheirRangeRaise) {
  EXPECT_THROW(RoundHalfAway(3e9), Error);
  EXPECT_THROW(RoundHalfAway(std::numeric_limits<double>::quiet_NaN()), Error);
  EXPECT_THROW(CeilInt4(-3e9), Error);
  EXPECT_THROW(RoundToDigits(38, 1), Error);
  EXPECT_NO_THROW(RoundToDigits(-37, 1));
}

TEST(Numbers, BitsAndTolerances) {
  EXPECT_TRUE(IsBitSet(5, 1));
  EXPECT_FALSE(IsBitSet(5, 2));
  EXPECT_TRUE(IsBitSet(5, 3));
  EXPECT_FALSE(IsBitSet(5, 0));
  EXPECT_TRUE(GreaterBy(1.02, 1.0));
  EXPECT_FALSE(GreaterBy(1.005, 1.0));
  EXPECT_TRUE(LessBy(1.0, 1.02));
  EXPECT_FALSE(LessBy(1.0, 1.0));
}

TEST(Version, ComparesByDayMonthYearKey) {
  struct Case {
    const char* a;
    const char* b;
    bool older;
  } cases[] = {
      {"1.1.2020", "26.12.2019", true},     // key smaller by one
      {"02.01.2020", "26.12.2019", false},  // equal keys
      {"09.12.2009", "10.12.2009", true},  {" 26 . 12 . 2019", "26.12.2019", false},
      {"06.10.2015", "26.12.2019", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VersionOlder(c.a, c.b), c.older) << c.a << " vs " << c.b;
    EXPECT_EQ(VersionNotOlder(c.a, c.b), !c.older) << c.a << " vs " << c.b;
  }
  for (const char* bad : {"", "26.12", "26.xx.2019", "26.12.2019a"})
    EXPECT_THROW(VersionOlder(bad, "26.12.2019"), Error) << bad;
}

}  // namespace
}  // namespace rxf
