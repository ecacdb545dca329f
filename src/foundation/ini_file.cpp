#include "foundation/ini_file.h"

#include <charconv>

#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/decimal_text.h"
#include "foundation/file_lock.h"
#include "foundation/format.h"
#include "foundation/text.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;

// The name of a "[name]" line; nullopt for any other line.
std::optional<std::string> SectionNameOf(std::string_view line) {
  const std::string trimmed = Trim(line);
  if (!trimmed.starts_with('['))
    return std::nullopt;
  const std::size_t close = trimmed.find(']');
  return Trim(std::string_view(trimmed).substr(
      1, close == std::string::npos ? std::string::npos : close - 1));
}

bool IsComment(std::string_view line) {
  return Trim(line).starts_with(';');
}

// The key of a "key=value" line; nullopt for any other line.
std::optional<std::string> KeyOf(std::string_view line) {
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos || IsComment(line) || SectionNameOf(line))
    return std::nullopt;
  return Trim(line.substr(0, equals));
}

std::string ValueOf(std::string_view line) {
  std::string value = Trim(line.substr(line.find('=') + 1));
  const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                      value.back() == value.front();
  return quoted ? value.substr(1, value.size() - 2) : value;
}

// An optional sign and decimal digits that fit 32 bits.
std::optional<std::int32_t> ParseInteger(std::string_view text) {
  if (text.starts_with('+'))
    text.remove_prefix(1);
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return number;
}

std::string OnOneLine(std::string_view value) {
  std::string line(value);
  for (char& c : line)
    if (c == '\r' || c == '\n')
      c = ' ';
  return line;
}

}  // namespace

IniFile::IniFile(std::string_view content) {
  bool breakSeen = false;
  while (!content.empty()) {
    const std::size_t newline = content.find('\n');
    Line line;
    if (newline == std::string_view::npos) {
      line.text = content;
      content = {};
    } else {
      const bool crlf = newline > 0 && content[newline - 1] == '\r';
      line.text = content.substr(0, crlf ? newline - 1 : newline);
      line.end = crlf ? "\r\n" : "\n";
      content.remove_prefix(newline + 1);
      if (!breakSeen)
        lineBreak_ = line.end;
      breakSeen = true;
    }
    lines_.push_back(std::move(line));
  }
}

std::optional<IniFile::Range> IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = SectionNameOf(lines_[i].text);
    if (!name || !AnsiSameText(*name, section))
      continue;
    std::size_t end = i + 1;
    while (end < lines_.size() && !SectionNameOf(lines_[end].text))
      ++end;
    return Range{i, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniFile::FindKey(const Range& range, std::string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    const auto name = KeyOf(lines_[i].text);
    if (name && AnsiSameText(*name, key))
      return i;
  }
  return std::nullopt;
}

std::optional<std::string> IniFile::ReadValue(std::string_view section,
                                              std::string_view key) const {
  const auto range = FindSection(section);
  const auto line = range ? FindKey(*range, key) : std::nullopt;
  if (!line)
    return std::nullopt;
  return ValueOf(lines_[*line].text);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view defaultValue) const {
  return ReadValue(section, key).value_or(std::string(defaultValue));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key,
                                  std::int32_t defaultValue) const {
  const auto value = ReadValue(section, key);
  const auto number = value ? ParseInteger(*value) : std::nullopt;
  return number.value_or(defaultValue);
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

double IniFile::ReadFloat(std::string_view section, std::string_view key,
                          double defaultValue) const {
  const auto value = ReadValue(section, key);
  const auto number =
      value ? ParseDecimal(*value, ProcessFormats().DecimalSeparator) : std::nullopt;
  return number.value_or(defaultValue);
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string entry = std::string(key) + "=" + OnOneLine(value);
  const auto range = FindSection(section);
  if (!range) {
    if (!lines_.empty() && !Trim(lines_.back().text).empty())
      InsertLine(lines_.size(), "");
    InsertLine(lines_.size(), "[" + std::string(section) + "]");
    InsertLine(lines_.size(), entry);
    return;
  }
  if (const auto line = FindKey(*range, key)) {
    lines_[*line].text = *KeyOf(lines_[*line].text) + "=" + OnOneLine(value);
    return;
  }
  // After the section's last non-blank line, so that the blank lines before the next section stay
  // where they are.
  std::size_t last = range->end - 1;
  while (last > range->header && Trim(lines_[last].text).empty())
    --last;
  InsertLine(last + 1, entry);
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

void IniFile::WriteFloat(std::string_view section, std::string_view key, float value) {
  WriteString(section, key, FormatSingle(value, ProcessFormats().DecimalSeparator));
}

void IniFile::InsertLine(std::size_t index, std::string text) {
  // The line before gets a break if it is the file's last line and had none.
  if (index > 0 && lines_[index - 1].end.empty())
    lines_[index - 1].end = lineBreak_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index),
                Line{std::move(text), lineBreak_});
}

std::string IniFile::Content() const {
  std::string content;
  for (const Line& line : lines_)
    content += line.text + line.end;
  return content;
}

IniFile ReadIniFile(const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error))
    return IniFile();
  return IniFile(ReadWholeFile(path));
}

void UpdateIniFile(const fs::path& path, const std::function<void(IniFile&)>& change) {
  const FileLock lock(path);
  IniFile file = ReadIniFile(path);
  const std::string before = file.Content();
  change(file);
  const std::string after = file.Content();
  std::error_code error;
  if (after != before || !fs::exists(path, error))
    WriteFileAtomically(path, after);
}

}  // namespace rxf
