#include "foundation/decimal_text.h"

#include <gtest/gtest.h>

namespace rxf {
namespace {

TEST(DecimalText, ParsesTheProcessSeparatorOnly) {
  struct Case {
    const char* name;
    std::string text;
    char separator;
    std::optional<double> value;
  } cases[] = {
      {"whole", "18", ',', 18},
      {"comma", "19,6", ',', 19.6},
      {"point where the comma is expected", "19.6", ',', std::nullopt},
      {"point", "19.6", '.', 19.6},
      {"blanks around", "  7,5 ", ',', 7.5},
      {"signs", "-0,5", ',', -0.5},
      {"plus", "+2", ',', 2},
      {"no whole part", ",5", ',', 0.5},
      {"no fraction", "5,", ',', 5},
      {"exponent", "1,5e2", ',', 150},
      {"negative exponent", "15E-1", ',', 1.5},
      {"separator alone", ",", ',', std::nullopt},
      {"empty", "", ',', std::nullopt},
      {"blank inside", "1 8", ',', std::nullopt},
      {"two separators", "1,2,3", ',', std::nullopt},
      {"exponent without digits", "1e", ',', std::nullopt},
      {"letters", "abc", ',', std::nullopt},
      {"infinity", "inf", ',', std::nullopt},
      {"beyond double", "1e999", ',', std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseDecimal(c.text, c.separator), c.value) << c.name;
}

TEST(DecimalText, SinglesReadBackExactlyFromTheirShortestForm) {
  struct Case {
    float value;
    std::string text;
  } cases[] = {{18.0f, "18"}, {19.6f, "19,6"}, {0.0f, "0"}, {-0.5f, "-0,5"}, {1e20f, "1e+20"}};
  for (const auto& c : cases) {
    EXPECT_EQ(FormatSingle(c.value, ','), c.text) << c.text;
    EXPECT_EQ(static_cast<float>(*ParseDecimal(c.text, ',')), c.value) << c.text;
  }
}

}  // namespace
}  // namespace rxf
