// Date-time values as the document files hold them: days since 30 December 1899,
// the fraction of the day being the time of day.
#pragma once

#include <string>
#include <string_view>

namespace rxf {

using TDateTime = double;

struct CivilDate {
  int Year;
  int Month;
  int Day;
  bool operator==(const CivilDate&) const = default;
};

// Raises Error for a date that does not exist.
TDateTime EncodeDate(int year, int month, int day);
CivilDate DecodeDate(TDateTime value);
// Today's date at midnight, local time.
TDateTime Today();
// Fills a pattern: "d"/"dd" day, "m"/"mm" month, "yy"/"yyyy" year (letters in either case);
// every other character stands as it is.
std::string FormatDate(std::string_view pattern, TDateTime value);

}  // namespace rxf
