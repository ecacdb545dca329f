#include "catalogue/catalogue_opener.h"

#include <string>

#include "catalogue/csv_reader.h"
#include "catalogue/paradox_reader.h"
#include "catalogue/sqlite_catalogue.h"
#include "catalogue/table_files.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

CatalogueForm DetectCatalogueForm(const fs::path& path) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  if (fs::is_regular_file(status))
    return CatalogueForm::SqliteFile;
  if (!fs::is_directory(status))
    throw Error(Format(std::string("Каталог не найден: %s"_w), PathForMessage(path)));
  if (HasFileWithExtension(path, ".csv"))
    return CatalogueForm::CsvFolder;
  if (HasFileWithExtension(path, ".db"))
    return CatalogueForm::ParadoxFolder;
  throw Error(Format(std::string("В папке %s нет таблиц каталога: ни файлов CSV (*.csv), ни "
                                 "таблиц Paradox (*.db)"_w),
                     PathForMessage(path)));
}

std::unique_ptr<CatalogueReader> OpenCatalogueReader(const fs::path& path) {
  switch (DetectCatalogueForm(path)) {
    case CatalogueForm::SqliteFile:
      return std::make_unique<SqliteCatalogueReader>(path);
    case CatalogueForm::CsvFolder:
      return std::make_unique<CsvCatalogueReader>(path);
    case CatalogueForm::ParadoxFolder:
      return std::make_unique<ParadoxCatalogueReader>(path);
  }
  return nullptr;
}

std::unique_ptr<TDM> OpenCatalogue(const fs::path& path) {
  const auto reader = OpenCatalogueReader(path);
  return std::make_unique<TDM>(*reader);
}

}  // namespace rxf
