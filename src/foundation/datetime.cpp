#include "foundation/datetime.h"

#include <cmath>
#include <ctime>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

// Days from 30 December 1899 to 1 January 1970.
constexpr long kUnixEpochDay = 25569;

// Days since 1 January 1970 of a proleptic Gregorian date.
long DaysFromCivil(long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long>(doe) - 719468;
}

CivilDate CivilFromDays(long z) {
  z += 719468;
  const long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long y = static_cast<long>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool IsLeap(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : kDays[m - 1];
}

std::string TwoDigits(int value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

TDateTime EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month))
    throw Error(std::string("Неверная дата: "_w) + std::to_string(day) + "." +
                std::to_string(month) + "." + std::to_string(year));
  return static_cast<TDateTime>(DaysFromCivil(year, month, day) + kUnixEpochDay);
}

CivilDate DecodeDate(TDateTime value) {
  // Out-of-range values (a damaged file) decode to the zero date instead of overflowing.
  if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
    value = 0;
  return CivilFromDays(static_cast<long>(std::floor(value)) - kUnixEpochDay);
}

TDateTime Today() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::string FormatDate(std::string_view pattern, TDateTime value) {
  const CivilDate date = DecodeDate(value);
  std::string out;
  for (std::size_t i = 0; i < pattern.size();) {
    const char letter = AnsiUpperChar(pattern[i]);
    std::size_t run = 1;
    while (i + run < pattern.size() && AnsiUpperChar(pattern[i + run]) == letter)
      ++run;
    if (letter == 'D') {
      out += run >= 2 ? TwoDigits(date.Day) : std::to_string(date.Day);
    } else if (letter == 'M') {
      out += run >= 2 ? TwoDigits(date.Month) : std::to_string(date.Month);
    } else if (letter == 'Y') {
      out += run >= 3 ? std::to_string(date.Year) : TwoDigits(date.Year % 100);
    } else {
      out.append(pattern.substr(i, run));
    }
    i += run;
  }
  return out;
}

}  // namespace rxf
