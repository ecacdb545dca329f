// Routines on Windows-1251 text: delimited fields, replacing, padding, file names and numbers.
// "Blank" in trimming means any byte up to 0x20: the space and the control characters.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rxf {

// text without leading and trailing blanks.
std::string Trim(std::string_view text);

// The index-th field (from 1) of text, where every character of delimiters ends a field; empty when
// index < 1 or text has fewer fields. With doTrim the field comes without surrounding blanks.
std::string GetToken(std::string_view text, int index, std::string_view delimiters, bool doTrim);

// The number of fields of text: 0 for empty text, else one more than its delimiter characters.
int CountTokens(std::string_view text, std::string_view delimiters);

// Whether some field of text, trimmed, equals token exactly.
bool ContainsToken(std::string_view text, std::string_view token, std::string_view delimiters);

// Adds item to the separator-joined list; with unique, not when the list already holds it.
void AppendUnique(std::string& list, std::string_view item, std::string_view separator,
                  bool unique);

// text with every occurrence of oldText, scanning from the left, replaced by newText; only the
// first with firstOnly. With ignoreCase occurrences are found in the ANSI upper-case forms, and
// replacing a text by a variant of it differing only in case changes nothing.
std::string ReplaceText(std::string_view text, std::string_view oldText, std::string_view newText,
                        bool ignoreCase, bool firstOnly);

// text without spaces; "0" when nothing remains.
std::string RemoveBlanks(std::string_view text);

// Makes text exactly width characters: padChar put in front of short text, leading characters
// dropped from long text. doTrim trims it first.
void PadLeft(std::string& text, int width, bool doTrim, char padChar);
// Makes text exactly width characters: padChar appended to short text, trailing characters dropped
// from long text. doTrim trims it first.
void PadRight(std::string& text, int width, bool doTrim, char padChar);

// Replaces every character that file names or the folder and list syntax around them cannot hold.
void SanitizeFileName(std::string& name, char replaceChar);

// The value of hexadecimal digits (either case, most significant first); a non-hex character
// counts as 0. Raises Error when the value exceeds 0xFFFF.
std::uint16_t HexToWord(std::string_view text);

// The 32-bit decimal integer text holds (optional sign, nothing else), or 0.
std::int32_t StrToIntOrZero(std::string_view text);

// A list of lines as one text, each line followed by CR LF (how lists are stored in documents).
std::string LinesToText(const std::vector<std::string>& lines);
// The lines of a text broken at CR LF, LF or CR; a final line break adds no empty line.
std::vector<std::string> TextToLines(std::string_view text);

}  // namespace rxf
