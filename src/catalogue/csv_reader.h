// Reads a catalogue from a folder of CSV files, one per table, named after the table with ".csv"
// (letter case ignored): UTF-8 text (a byte-order mark allowed) recoded to Windows-1251, the
// first line naming the columns (letter case ignored, any order), "." as the decimal point.
// An empty field holds no value; a table without a file is empty. Every error names the file,
// the line and, for a value, the column, and stops the whole catalogue from loading.
#pragma once

#include <filesystem>

#include "catalogue/catalogue_reader.h"

namespace rxf {

class CsvCatalogueReader : public CatalogueReader {
 public:
  // Raises Error when folder is not an existing folder.
  explicit CsvCatalogueReader(std::filesystem::path folder);

  void ReadTable(TableBuilder& builder) override;

 private:
  std::filesystem::path folder_;
};

}  // namespace rxf
