#include "foundation/text.h"

#include <charconv>
#include <limits>
#include <vector>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The fields of text in order; none for empty text.
std::vector<std::string_view> Fields(std::string_view text, std::string_view delimiters) {
  std::vector<std::string_view> fields;
  if (text.empty())
    return fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find_first_of(delimiters, start);
    fields.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos)
      return fields;
    start = end + 1;
  }
}

std::string ComparisonForm(std::string_view text, bool ignoreCase) {
  return ignoreCase ? AnsiUpperCase(text) : std::string(text);
}

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return 0;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string Trim(std::string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && IsBlank(text[first]))
    ++first;
  while (last > first && IsBlank(text[last - 1]))
    --last;
  return std::string(text.substr(first, last - first));
}

std::string GetToken(std::string_view text, int index, std::string_view delimiters, bool doTrim) {
  const std::vector<std::string_view> fields = Fields(text, delimiters);
  if (index < 1 || static_cast<std::size_t>(index) > fields.size())
    return {};
  const std::string_view field = fields[index - 1];
  return doTrim ? Trim(field) : std::string(field);
}

int CountTokens(std::string_view text, std::string_view delimiters) {
  return static_cast<int>(Fields(text, delimiters).size());
}

bool ContainsToken(std::string_view text, std::string_view token, std::string_view delimiters) {
  for (const std::string_view field : Fields(text, delimiters))
    if (Trim(field) == token)
      return true;
  return false;
}

void AppendUnique(std::string& list, std::string_view item, std::string_view separator,
                  bool unique) {
  if (list.empty()) {
    list = item;
    return;
  }
  if (unique && ContainsToken(list, item, separator))
    return;
  list.append(separator).append(item);
}

std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool ignoreCase, bool firstOnly) {
  const std::string pattern = ComparisonForm(oldText, ignoreCase);
  if (pattern == ComparisonForm(newText, ignoreCase))
    return std::string(text);
  // The upper-case form keeps every byte in place, so positions found in it hold in text.
  const std::string haystack = ComparisonForm(text, ignoreCase);
  if (haystack == pattern)
    return std::string(newText);
  if (pattern.empty())
    return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at = haystack.find(pattern); at != std::string::npos;
       at = haystack.find(pattern, from)) {
    result.append(text.substr(from, at - from)).append(newText);
    from = at + pattern.size();
    if (firstOnly)
      break;
  }
  result.append(text.substr(from));
  return result;
}

std::string RemoveBlanks(std::string_view text) {
  std::string result;
  for (const char c : text)
    if (c != ' ')
      result += c;
  return result.empty() ? "0" : result;
}

void PadLeft(std::string& text, int width, bool doTrim, char padChar) {
  if (doTrim)
    text = Trim(text);
  const std::size_t size = width > 0 ? static_cast<std::size_t>(width) : 0;
  if (text.size() < size)
    text.insert(0, size - text.size(), padChar);
  text.erase(0, text.size() - size);
}

void PadRight(std::string& text, int width, bool doTrim, char padChar) {
  if (doTrim)
    text = Trim(text);
  const std::size_t size = width > 0 ? static_cast<std::size_t>(width) : 0;
  text.resize(size, padChar);
}

void SanitizeFileName(std::string& name, char replaceChar) {
  constexpr std::string_view kForbidden = "\\/:*?,;\"`!(){}[]<>|%'";
  for (char& c : name)
    if (kForbidden.find(c) != std::string_view::npos)
      c = replaceChar;
}

std::uint16_t HexToWord(std::string_view text) {
  // An odd digit count reads as if led by "0", which does not change the value.
  std::uint32_t value = 0;
  for (const char c : text) {
    value = value * 16 + HexDigitValue(c);
    if (value > 0xFFFF)
      throw Error(std::string("Шестнадцатеричное число «"_w) + std::string(text) +
                  std::string("» вне диапазона 0..FFFF"_w));
  }
  return static_cast<std::uint16_t>(value);
}

std::int32_t StrToIntOrZero(std::string_view text) {
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+'))
    text.remove_prefix(1);
  if (text.empty())
    return 0;
  for (const char c : text)
    if (!IsDigit(c))
      return 0;
  std::int64_t magnitude = 0;
  if (std::from_chars(text.data(), text.data() + text.size(), magnitude).ec != std::errc())
    return 0;
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<std::int32_t>::min() ||
      value > std::numeric_limits<std::int32_t>::max())
    return 0;
  return static_cast<std::int32_t>(value);
}

std::string LinesToText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::vector<std::string> TextToLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n')
      continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
      ++i;
    start = i + 1;
  }
  if (start < text.size())
    lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace rxf
