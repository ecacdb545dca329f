// The settings file of a configuration ("RXFurniture.ini"), read and written as Windows profile
// files are: Windows-1251 bytes, sections and keys found ignoring case (the first of the same
// name wins), values trimmed and freed of one pair of enclosing quotes when read. Writing a value
// replaces its line or adds one at the end of its section (a missing section is added at the end
// of the file); every other line, comment and blank stays byte for byte, line breaks included.
//
// Forms: an integer is decimal text, an unparsable one gives the default; a boolean is written
// "1" or "0" and reads as any non-zero integer; a decimal uses the process's decimal separator.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rxf {

class IniFile {
 public:
  explicit IniFile(std::string_view content = {});

  // The value's text; nullopt when the section or the key is missing.
  std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view defaultValue) const;
  std::int32_t ReadInteger(std::string_view section, std::string_view key,
                           std::int32_t defaultValue) const;
  bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
  double ReadFloat(std::string_view section, std::string_view key, double defaultValue) const;

  // A line break in value is written as a blank: it would otherwise start a line of its own and
  // so change another entry of the file.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
  void WriteBool(std::string_view section, std::string_view key, bool value);
  void WriteFloat(std::string_view section, std::string_view key, float value);

  std::string Content() const;

 private:
  struct Line {
    std::string text;
    std::string end;  // "\r\n", "\n", or empty on a last line without a break
  };
  struct Range {
    std::size_t header;  // the section's "[...]" line
    std::size_t end;     // one past its last line
  };

  std::optional<Range> FindSection(std::string_view section) const;
  std::optional<std::size_t> FindKey(const Range& range, std::string_view key) const;
  void InsertLine(std::size_t index, std::string text);

  std::vector<Line> lines_;
  std::string lineBreak_ = "\r\n";  // the file's own, for the lines added
};

// The settings file at path; a missing file reads as an empty one. Error names the file when it
// cannot be read.
IniFile ReadIniFile(const std::filesystem::path& path);

// Applies change to the file as it is on disk now and replaces it atomically, both while holding
// its lock, so that two copies saving at once neither tear the file nor drop each other's other
// entries. A missing file is created. Error names the file when it cannot be read or written.
void UpdateIniFile(const std::filesystem::path& path, const std::function<void(IniFile&)>& change);

}  // namespace rxf
