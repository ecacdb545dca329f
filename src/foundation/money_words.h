// Money amounts written out in Russian words, as printed on invoices.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/money.h"

namespace rxf {

// The word forms of one currency (Windows-1251).
struct TMoneyWord {
  std::string Nominative;      // after 1: рубль
  std::string Genitive;        // after 2, 3, 4: рубля
  std::string GenitivePlural;  // after 0 and 5 to 20: рублей
  std::uint8_t Gender = 0;     // 0 masculine, 1 feminine, 2 neuter
  std::string DecNominative;
  std::string DecGenitive;
  std::string DecGenitivePlural;
  std::uint8_t DecGender = 0;
  std::int32_t Dec = 0;  // decimal digits of the minor unit: 2 for kopecks, 0 for none
};

// "Одна тысяча двести тридцать четыре рубля 56": never a sign word (the absolute value is
// written), whole units in words, the minor units in digits.
std::string MoneyToWords(const TMoneyWord& words, Money amount);

}  // namespace rxf
