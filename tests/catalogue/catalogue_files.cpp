#include "catalogue_files.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace rxf::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "rxf-catalogue-XXXXXX").string();
  if (!::mkdtemp(pattern.data()))
    throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

void WriteFile(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

namespace {

std::string CsvField(const std::string& text) {
  if (text.empty())
    return text;
  std::string quoted = "\"";
  for (const char c : text)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + '"';
}

std::string CsvLine(const std::vector<std::string>& fields) {
  std::string line;
  for (std::size_t index = 0; index < fields.size(); ++index)
    line += (index ? "," : "") + CsvField(fields[index]);
  return line + "\r\n";
}

}  // namespace

void WriteCsvTable(const fs::path& folder, const std::string& fileName, const TextTable& table) {
  std::string content = CsvLine(table.columns);
  for (const auto& row : table.rows)
    content += CsvLine(row);
  WriteFile(folder / fileName, content);
}

}  // namespace rxf::test
