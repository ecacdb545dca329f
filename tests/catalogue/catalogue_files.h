// Catalogue folders and files made by the tests: a temporary folder that goes away with the test,
// and CSV tables written from rows of UTF-8 text cells.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace rxf::test {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// Rows of text cells under column names; "" is a cell without value.
struct TextTable {
  std::string name;
  std::vector<std::string> columns;
  std::vector<std::vector<std::string>> rows;
};

void WriteFile(const std::filesystem::path& path, const std::string& content);
std::string ReadFile(const std::filesystem::path& path);

// Writes table as "<folder>/<fileName>": the header, then one line per row, every non-empty
// field quoted.
void WriteCsvTable(const std::filesystem::path& folder, const std::string& fileName,
                   const TextTable& table);

}  // namespace rxf::test
