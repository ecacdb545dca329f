// printf-style formatting of user messages under the process-wide formats.
// Directives: %% and %[-][width][.precision]type with the types
//   s text, d decimal integer (precision = least digits), x/X hexadecimal (upper case),
//   f fixed (default 2 decimals), n fixed with thousands separators, m money.
// Decimals round half away from zero on the number's 18 significant digits, as the
// system's numbers always have. A directive that does not fit its argument raises Error.
// Nothing here depends on the machine's locale.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

#include "foundation/datetime.h"
#include "foundation/money.h"

namespace rxf {

struct FormatSettings {
  char DecimalSeparator = '.';
  std::string ThousandSeparator;  // empty: no grouping
  std::string ShortDateFormat = "dd.mm.yyyy";
  // Money is the amount, a blank and this symbol; a minus goes in front of the amount.
  std::string CurrencyString = " ";
  int CurrencyDecimals = 2;
};

// "." and no grouping: the C locale's numbers. The default process-wide formats.
FormatSettings InvariantFormats();
// Decimal comma and blank thousands separator: what the desktop and the command line set.
FormatSettings DesktopFormats();

const FormatSettings& ProcessFormats();
void SetProcessFormats(const FormatSettings& settings);

class FormatArg {
 public:
  template <typename T>
  requires std::is_integral_v<T> FormatArg(T value) : value_(static_cast<std::int64_t>(value)) {}
  FormatArg(double value) : value_(value) {}
  FormatArg(float value) : value_(static_cast<double>(value)) {}
  FormatArg(const char* value) : value_(std::string_view(value)) {}
  FormatArg(std::string_view value) : value_(value) {}
  FormatArg(const std::string& value) : value_(std::string_view(value)) {}
  FormatArg(Money value) : value_(value) {}

  const std::variant<std::int64_t, double, std::string_view, Money>& Value() const {
    return value_;
  }

 private:
  std::variant<std::int64_t, double, std::string_view, Money> value_;
};

std::string FormatWith(const FormatSettings& settings, std::string_view format,
                       std::initializer_list<FormatArg> args);

template <typename... Args>
std::string Format(std::string_view format, const Args&... args) {
  return FormatWith(ProcessFormats(), format, {FormatArg(args)...});
}

// The money format: amount with the currency decimals and thousands separators, a blank and
// the currency symbol.
std::string FormatMoney(Money amount);
// The date in the short date format ("dd.mm.yyyy").
std::string FormatShortDate(TDateTime value);

}  // namespace rxf
