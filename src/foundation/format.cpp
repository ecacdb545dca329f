#include "foundation/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

FormatSettings& MutableProcessFormats() {
  static FormatSettings settings = InvariantFormats();
  return settings;
}

// A non-negative decimal number: digits with the decimal point after `integer_digits` of them
// (which may be negative or beyond the digits: zeros fill in).
struct Decimal {
  bool negative = false;
  std::string digits;
  int integer_digits = 0;
};

// The 18 significant digits of a double, as the system's numbers are printed.
Decimal DecimalOf(double value) {
  Decimal result;
  result.negative = std::signbit(value);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.17e", std::fabs(value));
  // buffer: "d.ddddddddddddddddde[+-]xx"
  result.digits = std::string(1, buffer[0]) + std::string(buffer + 2, 17);
  result.integer_digits = std::atoi(buffer + 20) + 1;
  return result;
}

Decimal DecimalOf(Money value) {
  Decimal result;
  result.negative = value.Ticks() < 0;
  std::string text = value.ToText();
  if (result.negative)
    text.erase(0, 1);
  const std::size_t point = text.find('.');
  result.digits = text.substr(0, point) + text.substr(point + 1);
  result.integer_digits = static_cast<int>(point);
  return result;
}

// Rounds half away from zero to `decimals` decimals; returns the integer and fraction digits.
std::pair<std::string, std::string> RoundedParts(const Decimal& number, int decimals) {
  const int kept = number.integer_digits + decimals;
  std::string digits;
  if (kept > 0) {
    digits = number.digits.substr(0, static_cast<std::size_t>(kept));
    digits.append(static_cast<std::size_t>(kept) - digits.size(), '0');
  }
  const bool round_up = kept >= 0 && static_cast<std::size_t>(kept) < number.digits.size() &&
                        number.digits[static_cast<std::size_t>(kept)] >= '5';
  if (round_up) {
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i)
      digits[static_cast<std::size_t>(i)] = '0';
    if (i >= 0)
      ++digits[static_cast<std::size_t>(i)];
    else
      digits.insert(0, "1");
  }
  if (static_cast<int>(digits.size()) < decimals + 1)
    digits.insert(0, static_cast<std::size_t>(decimals + 1) - digits.size(), '0');
  const std::size_t split = digits.size() - static_cast<std::size_t>(decimals);
  std::string integer = digits.substr(0, split);
  const std::size_t first = integer.find_first_not_of('0');
  integer = first == std::string::npos ? "0" : integer.substr(first);
  return {integer, digits.substr(split)};
}

std::string GroupThousands(const std::string& integer, const std::string& separator) {
  if (separator.empty())
    return integer;
  std::string out;
  for (std::size_t i = 0; i < integer.size(); ++i) {
    if (i > 0 && (integer.size() - i) % 3 == 0)
      out += separator;
    out += integer[i];
  }
  return out;
}

std::string FixedText(const Decimal& number, int decimals, const FormatSettings& settings,
                      bool grouped) {
  const auto [integer, fraction] = RoundedParts(number, decimals);
  const bool zero = integer == "0" && fraction.find_first_not_of('0') == std::string::npos;
  std::string text = (number.negative && !zero) ? "-" : "";
  text += grouped ? GroupThousands(integer, settings.ThousandSeparator) : integer;
  if (decimals > 0)
    text += settings.DecimalSeparator + fraction;
  return text;
}

std::string MoneyText(const Decimal& number, int decimals, const FormatSettings& settings) {
  return FixedText(number, decimals, settings, true) + " " + settings.CurrencyString;
}

struct Directive {
  bool left_align = false;
  int width = -1;
  int precision = -1;
  char type = 0;
};

[[noreturn]] void ThrowBadFormat(std::string_view format) {
  throw Error(std::string("Формат \""_w) + std::string(format) +
              std::string("\" неверен или не соответствует аргументу"_w));
}

int ReadNumber(std::string_view format, std::size_t& pos) {
  int value = 0;
  while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9' && value < 100000)
    value = value * 10 + (format[pos++] - '0');
  return value;
}

Directive ParseDirective(std::string_view format, std::size_t& pos) {
  Directive directive;
  if (pos < format.size() && format[pos] == '-') {
    directive.left_align = true;
    ++pos;
  }
  if (pos < format.size() && format[pos] >= '0' && format[pos] <= '9')
    directive.width = ReadNumber(format, pos);
  if (pos < format.size() && format[pos] == '.') {
    ++pos;
    directive.precision = ReadNumber(format, pos);
  }
  if (pos >= format.size())
    ThrowBadFormat(format);
  directive.type = static_cast<char>(AnsiUpperChar(format[pos++]));
  return directive;
}

std::string IntegerText(std::int64_t value, int least_digits) {
  const bool negative = value < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string digits = std::to_string(magnitude);
  if (least_digits > static_cast<int>(digits.size()))
    digits.insert(0, static_cast<std::size_t>(least_digits) - digits.size(), '0');
  return (negative ? "-" : "") + digits;
}

std::string HexText(std::int64_t value, int least_digits) {
  // Negative 32-bit values print as their two's complement, as a 32-bit integer would.
  const std::uint64_t bits = (value < 0 && value >= INT32_MIN) ? static_cast<std::uint32_t>(value)
                                                               : static_cast<std::uint64_t>(value);
  char buffer[20];
  std::snprintf(buffer, sizeof buffer, "%llX", static_cast<unsigned long long>(bits));
  std::string digits = buffer;
  if (least_digits > static_cast<int>(digits.size()))
    digits.insert(0, static_cast<std::size_t>(least_digits) - digits.size(), '0');
  return digits;
}

std::string ConvertArgument(const Directive& d, const FormatArg& arg,
                            const FormatSettings& settings, std::string_view format) {
  const auto& value = arg.Value();
  const auto* integer = std::get_if<std::int64_t>(&value);
  const auto* real = std::get_if<double>(&value);
  const auto* money = std::get_if<Money>(&value);
  switch (d.type) {
    case 'S':
      if (const auto* text = std::get_if<std::string_view>(&value))
        return std::string(d.precision >= 0 ? text->substr(0, static_cast<std::size_t>(d.precision))
                                            : *text);
      break;
    case 'D':
      if (integer)
        return IntegerText(*integer, d.precision);
      break;
    case 'X':
      if (integer)
        return HexText(*integer, d.precision);
      break;
    case 'F':
    case 'N': {
      const int decimals = d.precision >= 0 ? d.precision : 2;
      if (real)
        return FixedText(DecimalOf(*real), decimals, settings, d.type == 'N');
      if (money)
        return FixedText(DecimalOf(*money), decimals, settings, d.type == 'N');
      break;
    }
    case 'M': {
      const int decimals = d.precision >= 0 ? d.precision : settings.CurrencyDecimals;
      if (real)
        return MoneyText(DecimalOf(*real), decimals, settings);
      if (money)
        return MoneyText(DecimalOf(*money), decimals, settings);
      break;
    }
  }
  ThrowBadFormat(format);
}

std::string Padded(std::string text, const Directive& d) {
  if (d.width > static_cast<int>(text.size())) {
    const std::string fill(static_cast<std::size_t>(d.width) - text.size(), ' ');
    text = d.left_align ? text + fill : fill + text;
  }
  return text;
}

}  // namespace

FormatSettings InvariantFormats() {
  return FormatSettings{};
}

FormatSettings DesktopFormats() {
  FormatSettings settings;
  settings.DecimalSeparator = ',';
  settings.ThousandSeparator = " ";
  return settings;
}

const FormatSettings& ProcessFormats() {
  return MutableProcessFormats();
}

void SetProcessFormats(const FormatSettings& settings) {
  MutableProcessFormats() = settings;
}

std::string FormatWith(const FormatSettings& settings, std::string_view format,
                       std::initializer_list<FormatArg> args) {
  std::string out;
  auto next_arg = args.begin();
  for (std::size_t pos = 0; pos < format.size();) {
    const char c = format[pos++];
    if (c != '%') {
      out += c;
      continue;
    }
    if (pos < format.size() && format[pos] == '%') {
      out += '%';
      ++pos;
      continue;
    }
    const Directive directive = ParseDirective(format, pos);
    if (next_arg == args.end())
      ThrowBadFormat(format);
    out += Padded(ConvertArgument(directive, *next_arg++, settings, format), directive);
  }
  return out;
}

std::string FormatMoney(Money amount) {
  const FormatSettings& settings = ProcessFormats();
  return MoneyText(DecimalOf(amount), settings.CurrencyDecimals, settings);
}

std::string FormatShortDate(TDateTime value) {
  return FormatDate(ProcessFormats().ShortDateFormat, value);
}

}  // namespace rxf
