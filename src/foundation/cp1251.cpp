#include "foundation/cp1251.h"

#include <array>
#include <cstdio>
#include <utility>

#include "foundation/error.h"

namespace rxf {

namespace {

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char32_t CodePointOf(unsigned char byte) {
  if (byte < 0x80)
    return byte;
  if (byte >= 0xC0)
    return 0x0410 + (byte - 0xC0);
  const char32_t cp = cp1251::kHighHalf[byte - 0x80];
  return cp != 0 ? cp : 0xFFFD;
}

// Windows' upper-case mapping of the Windows-1251 code page.
constexpr std::array<unsigned char, 256> MakeUpperTable() {
  std::array<unsigned char, 256> table{};
  for (int i = 0; i < 256; ++i)
    table[i] = static_cast<unsigned char>(i);
  for (int c = 'a'; c <= 'z'; ++c)
    table[c] = static_cast<unsigned char>(c - 32);
  for (int c = 0xE0; c <= 0xFF; ++c)
    table[c] = static_cast<unsigned char>(c - 32);
  constexpr std::pair<unsigned char, unsigned char> kLowerUpper[] = {
      {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
      {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
      {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD}};
  for (const auto& [lower, upper] : kLowerUpper)
    table[lower] = upper;
  return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

std::string CodePointName(long cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04lX", cp);
  return buffer;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    const long cp = cp1251::DecodeUtf8(utf8, pos);
    if (cp < 0)
      throw Error(
          std::string("Текст не в кодировке UTF-8: неверная последовательность в байте "_w) +
          std::to_string(start + 1));
    const int byte = cp1251::ByteOf(static_cast<char32_t>(cp));
    if (byte < 0)
      throw Error(std::string("Символ "_w) + CodePointName(cp) +
                  std::string(" не имеет представления в кодировке Windows-1251"_w));
    out += static_cast<char>(byte);
  }
  return out;
}

bool IsCp1251Representable(std::string_view utf8) {
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1251::DecodeUtf8(utf8, pos);
    if (cp < 0 || cp1251::ByteOf(static_cast<char32_t>(cp)) < 0)
      return false;
  }
  return true;
}

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text)
    AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  return out;
}

char AnsiUpperChar(char c) {
  return static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
}

std::string AnsiUpperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = AnsiUpperChar(c);
  return out;
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AnsiUpperChar(a[i]) != AnsiUpperChar(b[i]))
      return false;
  return true;
}

}  // namespace rxf
