// Windows-1251 text. The system's text is Windows-1251 bytes in std::string;
// UTF-8 appears only at the edges (terminal, JSON, CSV, Qt).
//
// Message literals are written in UTF-8 source and converted at compile time:
//   std::string_view text = "Ошибка"_w;
// A literal holding a character that Windows-1251 cannot hold does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace rxf {

namespace cp1251 {

// Unicode code points of the bytes 0x80..0xFF; 0 marks the one unassigned byte (0x98).
inline constexpr std::array<char16_t, 128> kHighHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

// The byte of a code point, or -1 when Windows-1251 has none.
constexpr int ByteOf(char32_t cp) {
  if (cp < 0x80)
    return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F)
    return static_cast<int>(cp - 0x0410 + 0xC0);
  for (std::size_t i = 0; i < kHighHalf.size(); ++i)
    if (kHighHalf[i] != 0 && kHighHalf[i] == cp)
      return static_cast<int>(0x80 + i);
  return -1;
}

// Decodes one UTF-8 sequence at text[pos] and advances pos past it.
// Returns -1 for a malformed, cut or overlong sequence.
constexpr long DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  int extra = 0;
  if (lead < 0x80)
    extra = 0;
  else if ((lead & 0xE0) == 0xC0)
    extra = 1;
  else if ((lead & 0xF0) == 0xE0)
    extra = 2;
  else if ((lead & 0xF8) == 0xF0)
    extra = 3;
  else
    return -1;
  if (text.size() - pos <= static_cast<std::size_t>(extra))
    return -1;
  long cp = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80)
      return -1;
    cp = (cp << 6) | (next & 0x3F);
  }
  constexpr long kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[extra] || cp > 0x10FFFF)
    return -1;
  pos += extra + 1;
  return cp;
}

template <std::size_t N>
struct Utf8Literal {
  char bytes[N]{};
  constexpr Utf8Literal(const char (&text)[N]) {
    for (std::size_t i = 0; i < N; ++i)
      bytes[i] = text[i];
  }
  constexpr std::string_view view() const { return {bytes, N - 1}; }
};

template <std::size_t N>
struct Converted {
  char bytes[N]{};
  std::size_t size = 0;
};

// Throwing inside a constant evaluation is what turns a bad literal into a compile error.
template <std::size_t N>
consteval Converted<N> ConvertLiteral(const Utf8Literal<N>& literal) {
  Converted<N> out;
  const std::string_view text = literal.view();
  for (std::size_t pos = 0; pos < text.size();) {
    const long cp = DecodeUtf8(text, pos);
    if (cp < 0)
      throw "malformed UTF-8 in a message literal";
    const int byte = ByteOf(static_cast<char32_t>(cp));
    if (byte < 0)
      throw "a message literal holds a character without a Windows-1251 form";
    out.bytes[out.size++] = static_cast<char>(byte);
  }
  return out;
}

template <Utf8Literal L>
inline constexpr Converted<sizeof(L.bytes)> kLiteral = ConvertLiteral(L);

}  // namespace cp1251

// Converts UTF-8 to Windows-1251; raises Error naming the first character without a form.
std::string Utf8ToCp1251(std::string_view utf8);
// Converts Windows-1251 to UTF-8; the unassigned byte 0x98 becomes U+FFFD.
std::string Cp1251ToUtf8(std::string_view text);
// Whether every character of the UTF-8 text has a Windows-1251 form.
bool IsCp1251Representable(std::string_view utf8);

// The ANSI upper-case form of one byte and of a text: Latin and Cyrillic letters, Ё/ё included.
char AnsiUpperChar(char c);
std::string AnsiUpperCase(std::string_view text);
// Byte comparison of the upper-case forms.
bool AnsiSameText(std::string_view a, std::string_view b);

inline namespace literals {
template <cp1251::Utf8Literal L>
constexpr std::string_view operator""_w() {
  return {cp1251::kLiteral<L>.bytes, cp1251::kLiteral<L>.size};
}
}  // namespace literals

}  // namespace rxf
