#include "catalogue/csv_reader.h"

#include <optional>
#include <string>
#include <vector>

#include "catalogue/csv_records.h"
#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/text.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string PathForMessage(const fs::path& path) {
  const std::string utf8 = path.string();
  return IsCp1251Representable(utf8) ? Utf8ToCp1251(utf8) : utf8;
}

[[noreturn]] void FailToList(const fs::path& folder, const std::error_code& error) {
  throw Error(Format(std::string("Не удалось прочитать папку %s: %s"_w), PathForMessage(folder),
                     error.message()));
}

// The table's file in folder, letter case ignored; a name in the exact case wins.
std::optional<fs::path> FindTableFile(const fs::path& folder, std::string_view table) {
  const std::string wanted = std::string(table) + ".csv";
  std::optional<fs::path> found;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (!AnsiSameText(name, wanted) || !it->is_regular_file(error))
      continue;
    if (name == wanted)
      return it->path();
    if (!found)
      found = it->path();
  }
  if (error)
    FailToList(folder, error);
  return found;
}

bool IsAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80)
      return false;
  return true;
}

// One CSV file on its way into a builder; knows where it is for the messages.
class CsvTableFile {
 public:
  CsvTableFile(std::string fileName, std::string_view text)
      : fileName_(std::move(fileName)), records_(text) {}

  void ReadInto(TableBuilder& builder) {
    if (!NextRecord())
      return;
    ReadHeader(builder);
    std::vector<SourceCell> cells;
    while (NextRecord()) {
      if (fields_.size() != names_.size())
        throw Error(Format(std::string("Файл %s, строка %d: полей %d, а в заголовке %d"_w),
                           fileName_, fields_.front().Line, fields_.size(), names_.size()));
      cells.clear();
      for (std::size_t column = 0; column < fields_.size(); ++column)
        cells.push_back(CellOf(column));
      try {
        builder.AddRow(cells);
      } catch (const CellError& error) {
        throw LocatedError(error.SourceColumn(), error.what());
      }
    }
  }

 private:
  bool NextRecord() {
    try {
      return records_.Next(fields_);
    } catch (const Error& error) {
      throw Error(Format(std::string("Файл %s, %s"_w), fileName_, error.what()));
    }
  }

  void ReadHeader(TableBuilder& builder) {
    // Blanks around a column name are no part of it ("ID, Name").
    names_.clear();
    for (std::size_t column = 0; column < fields_.size(); ++column)
      names_.push_back(Trim(Recoded(column)));
    try {
      builder.SetSourceColumns(names_);
    } catch (const CellError& error) {
      throw LocatedError(error.SourceColumn(), error.what());
    }
    recoded_.resize(names_.size());
  }

  SourceCell CellOf(std::size_t column) {
    const std::string_view text = fields_[column].Text;
    if (text.empty())
      return std::monostate{};
    if (IsAscii(text))
      return text;
    recoded_[column] = Recoded(column);
    return std::string_view(recoded_[column]);
  }

  std::string Recoded(std::size_t column) const {
    try {
      return Utf8ToCp1251(fields_[column].Text);
    } catch (const Error& error) {
      throw LocatedError(static_cast<int>(column), error.what());
    }
  }

  Error LocatedError(int column, std::string_view reason) const {
    const std::string name =
        static_cast<std::size_t>(column) < names_.size() ? names_[column] : std::string();
    return Error(Format(std::string("Файл %s, строка %d, столбец %d (%s): %s"_w), fileName_,
                        fields_[column].Line, column + 1, name, reason));
  }

  std::string fileName_;
  CsvRecords records_;
  std::vector<CsvField> fields_;
  std::vector<std::string> names_;
  std::vector<std::string> recoded_;  // the recoded texts of the current row, by column
};

}  // namespace

CsvCatalogueReader::CsvCatalogueReader(fs::path folder) : folder_(std::move(folder)) {
  std::error_code error;
  if (!fs::is_directory(folder_, error))
    throw Error(Format(std::string("Папка каталога не найдена: %s"_w), PathForMessage(folder_)));
}

void CsvCatalogueReader::ReadTable(TableBuilder& builder) {
  const auto file = FindTableFile(folder_, builder.Schema().Name);
  if (!file)
    return;
  const std::string text = ReadWholeFile(*file);
  std::string_view body = text;
  if (body.starts_with(kByteOrderMark))
    body.remove_prefix(kByteOrderMark.size());
  CsvTableFile(PathForMessage(file->filename()), body).ReadInto(builder);
}

}  // namespace rxf
