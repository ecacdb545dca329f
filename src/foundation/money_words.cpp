#include "foundation/money_words.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "foundation/cp1251.h"
#include "foundation/text.h"

namespace rxf {

namespace {

constexpr std::array<std::string_view, 20> kUnits = {
    "ноль"_w,       "один"_w,        "два"_w,        "три"_w,          "четыре"_w,
    "пять"_w,       "шесть"_w,       "семь"_w,       "восемь"_w,       "девять"_w,
    "десять"_w,     "одиннадцать"_w, "двенадцать"_w, "тринадцать"_w,   "четырнадцать"_w,
    "пятнадцать"_w, "шестнадцать"_w, "семнадцать"_w, "восемнадцать"_w, "девятнадцать"_w};
constexpr std::array<std::string_view, 10> kTens = {"",
                                                    "",
                                                    "двадцать"_w,
                                                    "тридцать"_w,
                                                    "сорок"_w,
                                                    "пятьдесят"_w,
                                                    "шестьдесят"_w,
                                                    "семьдесят"_w,
                                                    "восемьдесят"_w,
                                                    "девяносто"_w};
constexpr std::array<std::string_view, 10> kHundreds = {
    "",          "сто"_w,      "двести"_w,  "триста"_w,    "четыреста"_w,
    "пятьсот"_w, "шестьсот"_w, "семьсот"_w, "восемьсот"_w, "девятьсот"_w};

struct ClassWords {
  std::string_view forms[3];
  std::uint8_t gender;
  std::int64_t size;
};

constexpr ClassWords kClasses[] = {
    {{"триллион"_w, "триллиона"_w, "триллионов"_w}, 0, 1000000000000},
    {{"миллиард"_w, "миллиарда"_w, "миллиардов"_w}, 0, 1000000000},
    {{"миллион"_w, "миллиона"_w, "миллионов"_w}, 0, 1000000},
    {{"тысяча"_w, "тысячи"_w, "тысяч"_w}, 1, 1000},
};

std::string_view UnitWord(int n, std::uint8_t gender) {
  if (n == 1)
    return gender == 1 ? "одна"_w : gender == 2 ? "одно"_w : "один"_w;
  if (n == 2)
    return gender == 1 ? "две"_w : "два"_w;
  return kUnits[static_cast<std::size_t>(n)];
}

// 1 for the first form, 2 for the second (2, 3, 4), 3 for the third.
template <typename Forms>
const auto& FormFor(int l, const Forms& first, const Forms& second, const Forms& third) {
  if (l == 1)
    return first;
  if (l >= 2 && l <= 4)
    return second;
  return third;
}

void AppendWord(std::string& out, std::string_view word) {
  if (word.empty())
    return;
  if (!out.empty())
    out += ' ';
  out += word;
}

// Spells n (1..999) in gender; returns the number that chooses the following word's form.
int AppendGroup(std::string& out, int n, std::uint8_t gender) {
  AppendWord(out, kHundreds[static_cast<std::size_t>(n / 100)]);
  const int r = n % 100;
  if (r >= 20) {
    AppendWord(out, kTens[static_cast<std::size_t>(r / 10)]);
    if (r % 10 != 0)
      AppendWord(out, UnitWord(r % 10, gender));
    return r % 10;
  }
  if (r != 0)
    AppendWord(out, UnitWord(r, gender));
  return r;
}

std::int64_t PowerOfTen(int exponent) {
  std::int64_t value = 1;
  for (int i = 0; i < exponent; ++i)
    value *= 10;
  return value;
}

// The minor units, Int(fraction * 10^dec + 0.5), from the four exact decimals.
std::int64_t MinorUnits(std::int64_t fraction_ticks, int dec) {
  if (dec >= 4)
    return fraction_ticks * PowerOfTen(dec - 4);
  const std::int64_t divisor = PowerOfTen(4 - dec);
  return (fraction_ticks * 2 + divisor) / (2 * divisor);
}

std::string MinorDigits(std::int64_t minor, int dec) {
  std::string digits = std::to_string(minor);
  const std::size_t least = dec == 1 ? 1 : dec <= 4 ? static_cast<std::size_t>(dec) : 2;
  if (digits.size() < least)
    digits.insert(0, least - digits.size(), '0');
  return digits;
}

int FormNumber(std::int64_t minor) {
  const int lastTwo = static_cast<int>(minor % 100);
  return lastTwo < 20 ? lastTwo : lastTwo % 10;
}

}  // namespace

std::string MoneyToWords(const TMoneyWord& words, Money amount) {
  const std::uint64_t ticks = amount.Ticks() < 0 ? 0 - static_cast<std::uint64_t>(amount.Ticks())
                                                 : static_cast<std::uint64_t>(amount.Ticks());
  auto units = static_cast<std::int64_t>(ticks / Money::kScale);
  const auto fraction = static_cast<std::int64_t>(ticks % Money::kScale);

  std::string out;
  for (const ClassWords& cls : kClasses) {
    const auto group = static_cast<int>(units / cls.size % 1000);
    if (group == 0)
      continue;
    const int l = AppendGroup(out, group, cls.gender);
    AppendWord(out, FormFor(l, cls.forms[0], cls.forms[1], cls.forms[2]));
  }
  const auto rest = static_cast<int>(units % 1000);
  int l = 0;
  if (rest != 0)
    l = AppendGroup(out, rest, words.Gender);
  else if (out.empty() && ticks == 0)
    AppendWord(out, kUnits[0]);
  out += ' ';
  out += FormFor(l, words.Nominative, words.Genitive, words.GenitivePlural);

  if (words.Dec > 0) {
    const std::int64_t minor = MinorUnits(fraction, std::min(words.Dec, 18));
    out += ' ';
    out += MinorDigits(minor, words.Dec);
    out += ' ';
    const int minorForm = words.Dec == 1 ? l : FormNumber(minor);
    out += FormFor(minorForm, words.DecNominative, words.DecGenitive, words.DecGenitivePlural);
  }
  std::string result = Trim(out);
  if (!result.empty())
    result[0] = AnsiUpperChar(result[0]);
  return result;
}

}  // namespace rxf
