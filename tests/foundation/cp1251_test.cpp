#include "foundation/cp1251.h"

#include <gtest/gtest.h>

#include "foundation/error.h"

namespace rxf {
namespace {

TEST(Cp1251, LiteralsConvertAtCompileTime) {
  constexpr std::string_view text = "Ошибка Ёё №1"_w;
  static_assert(text.size() == 12);
  EXPECT_EQ(text, std::string_view("\xCE\xF8\xE8\xE1\xEA\xE0 \xA8\xB8 \xB9\x31"));
}

TEST(Cp1251, RuntimeConversionRoundTrips) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string cp1251;
  } cases[] = {
      {"ascii", "abc 123", "abc 123"},
      {"cyrillic", "Заказ №7", "\xC7\xE0\xEA\xE0\xE7 \xB9\x37"},
      {"yo", "Ёлка ёж", "\xA8\xEB\xEA\xE0 \xB8\xE6"},
      {"euro and quotes", "€ «»", "\x88 \xAB\xBB"},
      {"ukrainian", "Ґґ Її", "\xA5\xB4 \xAF\xBF"},
      {"empty", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.name;
    EXPECT_EQ(Cp1251ToUtf8(c.cp1251), c.utf8) << c.name;
  }
}

TEST(Cp1251, EveryAssignedByteSurvivesBothWays) {
  for (int b = 1; b < 256; ++b) {
    if (b == 0x98)
      continue;
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1251, CharacterWithoutFormIsAClearError) {
  try {
    Utf8ToCp1251("Цена 5 ¥");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(Cp1251ToUtf8(e.what()),
              "Символ U+00A5 не имеет представления в кодировке Windows-1251");
  }
  EXPECT_FALSE(IsCp1251Representable("中"));
  EXPECT_TRUE(IsCp1251Representable("Ручка"));
}

TEST(Cp1251, MalformedUtf8IsAnError) {
  for (const char* bad : {"\xD0", "a\xC0\xAF", "\xFF", "\xE2\x82"}) {
    EXPECT_THROW(Utf8ToCp1251(bad), Error) << bad;
    EXPECT_FALSE(IsCp1251Representable(bad));
  }
}

TEST(Cp1251, UnassignedByteDecodesToReplacementCharacter) {
  EXPECT_EQ(Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(Cp1251, AnsiUpperCaseFoldsLatinCyrillicAndYo) {
  EXPECT_EQ(AnsiUpperCase(Utf8ToCp1251("abc-xyz абвгдеёжзийклмнопрстуфхцчшщъыьэюя 1.rfo")),
            Utf8ToCp1251("ABC-XYZ АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ 1.RFO"));
  EXPECT_EQ(AnsiUpperCase(Utf8ToCp1251("ґєіїўђ")), Utf8ToCp1251("ҐЄІЇЎЂ"));
  EXPECT_EQ(AnsiUpperCase("\xB5\xFF"), "\xB5\xDF");  // micro sign has no capital here
  EXPECT_TRUE(AnsiSameText(Utf8ToCp1251("Заказ ё"), Utf8ToCp1251("ЗАКАЗ Ё")));
  EXPECT_FALSE(AnsiSameText("abc", "abd"));
  EXPECT_FALSE(AnsiSameText("abc", "ab"));
}

}  // namespace
}  // namespace rxf
