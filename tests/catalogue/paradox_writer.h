// Paradox tables written by the tests themselves, through pxlib's low-level calls (its record
// insertion scales bcd values wrongly and overruns long texts).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "catalogue/schema.h"
#include "catalogue_files.h"

namespace rxf::test {

struct ParadoxField {
  std::string name;  // in the table's code page
  int type;          // pxf... kind
  int length;        // bytes in the record
  int decimals = 0;  // bcd only
};

// Writes a table with the given header code page. Cells are texts, "" = no value: alpha cells
// hold bytes of the code page (cut to the field), numbers use ".", dates are "yyyy-mm-dd".
void WriteParadoxTable(const std::filesystem::path& path, const std::vector<ParadoxField>& fields,
                       const std::vector<std::vector<std::string>>& rows, int codePage = 1251);

// Writes table (UTF-8 cells, written in Windows-1251) with fields of the kinds that match the
// schema's columns; columns the schema does not know become alpha fields.
void WriteParadoxTable(const std::filesystem::path& path, const TableSchema& schema,
                       const TextTable& table);

}  // namespace rxf::test
