#include "foundation/decimal_text.h"

#include <charconv>

#include "foundation/text.h"

namespace rxf {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Moves past the digits at text[pos]; how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && IsDigit(text[pos]))
    ++pos;
  return pos - start;
}

void SkipSign(std::string_view text, std::size_t& pos) {
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-'))
    ++pos;
}

// [sign] digits [separator digits] [e [sign] digits], with a digit in the mantissa.
bool IsDecimal(std::string_view text, char separator) {
  std::size_t pos = 0;
  SkipSign(text, pos);
  std::size_t digits = SkipDigits(text, pos);
  if (pos < text.size() && text[pos] == separator) {
    ++pos;
    digits += SkipDigits(text, pos);
  }
  if (digits == 0)
    return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    ++pos;
    SkipSign(text, pos);
    if (SkipDigits(text, pos) == 0)
      return false;
  }
  return pos == text.size();
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text, char separator) {
  std::string number = Trim(text);
  if (!IsDecimal(number, separator))
    return std::nullopt;
  if (number.front() == '+')
    number.erase(0, 1);
  for (char& c : number)
    if (c == separator)
      c = '.';
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size())
    return std::nullopt;
  return value;
}

std::string FormatSingle(float value, char separator) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  for (char& c : text)
    if (c == '.')
      c = separator;
  return text;
}

}  // namespace rxf
