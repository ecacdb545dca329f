// Reads a catalogue from a folder of delivered Paradox tables, one file per table named after the
// table with ".DB" (letter case ignored, "FrnProp.db" serves FrnProp). Text is recoded from the
// code page in the table's header to Windows-1251 (a table written in 1251 keeps its bytes);
// short, long and autoinc fields are whole numbers, number and currency fields floating values,
// bcd fields the decimal they hold, logical fields 0 or 1, dates "yyyy-mm-dd". Field names are
// matched to the schema's names ignoring case; other fields become extra columns. Fields of the
// kinds not read here (memo, blob, graphic, OLE, bytes, time, timestamp) are left out when they
// are extra and an error when the schema names them. A table without a file is empty. Every
// error names the file, the record and the field, and stops the whole catalogue from loading.
#pragma once

#include <filesystem>

#include "catalogue/catalogue_reader.h"

namespace rxf {

class ParadoxCatalogueReader : public CatalogueReader {
 public:
  // Raises Error when folder is not an existing folder.
  explicit ParadoxCatalogueReader(std::filesystem::path folder);

  void ReadTable(TableBuilder& builder) override;

 private:
  std::filesystem::path folder_;
};

}  // namespace rxf
