#include "foundation/money_words.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"

namespace rxf {
namespace {

TMoneyWord Roubles() {
  TMoneyWord words;
  words.Nominative = Utf8ToCp1251("рубль");
  words.Genitive = Utf8ToCp1251("рубля");
  words.GenitivePlural = Utf8ToCp1251("рублей");
  words.Dec = 2;
  return words;
}

std::string Words(const TMoneyWord& words, const char* amount) {
  return Cp1251ToUtf8(MoneyToWords(words, *Money::Parse(amount)));
}

TEST(MoneyToWords, RoublesWithMinorUnitsInDigits) {
  struct Case {
    const char* amount;
    const char* words;
  } cases[] = {
      {"1234.56", "Одна тысяча двести тридцать четыре рубля 56"},
      {"0", "Ноль рублей 00"},
      {"21", "Двадцать один рубль 00"},
      {"1000000", "Один миллион рублей 00"},
      {"11", "Одиннадцать рублей 00"},
      {"2.05", "Два рубля 05"},
      {"-5", "Пять рублей 00"},
      {"0.5", "Рублей 50"},
      {"11000", "Одиннадцать тысяч рублей 00"},
      {"2022000", "Два миллиона двадцать две тысячи рублей 00"},
      {"100", "Сто рублей 00"},
      {"3000000000001", "Три триллиона один рубль 00"},
      {"0.999", "Рублей 100"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Words(Roubles(), c.amount), c.words) << c.amount;
}

TEST(MoneyToWords, GenderOfTheUnitAndMinorUnitWords) {
  TMoneyWord hryvnia = Roubles();
  hryvnia.Nominative = Utf8ToCp1251("гривна");
  hryvnia.Genitive = Utf8ToCp1251("гривны");
  hryvnia.GenitivePlural = Utf8ToCp1251("гривен");
  hryvnia.Gender = 1;
  hryvnia.DecNominative = Utf8ToCp1251("копейка");
  hryvnia.DecGenitive = Utf8ToCp1251("копейки");
  hryvnia.DecGenitivePlural = Utf8ToCp1251("копеек");
  EXPECT_EQ(Words(hryvnia, "2.21"), "Две гривны 21 копейка");
  EXPECT_EQ(Words(hryvnia, "1.12"), "Одна гривна 12 копеек");
  TMoneyWord neuter = Roubles();
  neuter.Gender = 2;
  EXPECT_EQ(Words(neuter, "2"), "Два рубля 00");
  EXPECT_EQ(Words(neuter, "1"), "Одно рубль 00");
}

TEST(MoneyToWords, DecimalsOfTheMinorUnit) {
  TMoneyWord words = Roubles();
  struct Case {
    int dec;
    const char* ending;
  } cases[] = {{1, "рублей 5"}, {3, "рублей 500"}, {0, "рублей"}, {6, "рублей 500000"}};
  for (const auto& c : cases) {
    words.Dec = c.dec;
    const std::string text = Words(words, "12345.5");
    EXPECT_TRUE(text.ends_with(c.ending)) << c.dec << ": " << text;
    EXPECT_TRUE(text.starts_with("Двенадцать тысяч триста сорок пять")) << text;
  }
}

}  // namespace
}  // namespace rxf
