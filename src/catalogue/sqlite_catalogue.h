// The catalogue file of the system: an SQLite database holding one SQL table per catalogue table,
// named after it, with the schema's columns in schema order and then the extra columns:
//
//   string                               TEXT, UTF-8
//   smallint, integer, autoinc, boolean  INTEGER
//   bcd, date                            REAL (a date as days since 30.12.1899)
//   currency                             TEXT, the exact amount with "." and four decimals
//                                        ("1234.5000"), so that no binary fraction creeps in
//   extra columns                        TEXT
//
// A cell without value is NULL; rows stand in walk order. The table RamulexCatalogue (Name, Value)
// holds the row ("FormatVersion", "1"). The reader also takes what other tools may have put
// there: an INTEGER in a currency column is whole units, a REAL is rounded to a ten-thousandth.
#pragma once

#include <filesystem>
#include <string>

#include "catalogue/catalogue_reader.h"
#include "catalogue/memory_table.h"
#include "catalogue/sqlite_db.h"

namespace rxf {

inline constexpr int kSqliteCatalogueVersion = 1;

class SqliteCatalogueReader : public CatalogueReader {
 public:
  // Raises Error when the file cannot be read, is no catalogue file or has another version.
  explicit SqliteCatalogueReader(const std::filesystem::path& file);

  // A table the file does not hold is left empty. Errors name the file, table, row and column.
  void ReadTable(TableBuilder& builder) override;

 private:
  std::string fileName_;  // Windows-1251, for messages
  SqliteDb db_;
};

// Builds a catalogue file in memory, all tables in one transaction, and writes it in one step.
class SqliteCatalogueWriter {
 public:
  SqliteCatalogueWriter();
  SqliteCatalogueWriter(const SqliteCatalogueWriter&) = delete;
  SqliteCatalogueWriter& operator=(const SqliteCatalogueWriter&) = delete;

  // Adds the table with all its rows, once per table. Raises Error, naming table, row and column,
  // for a text holding byte 0x98, which has no character in Windows-1251 and so could not come
  // back from UTF-8.
  void AddTable(const MemoryTable& table);

  // Replaces the file at path with the catalogue (a temporary file beside it, renamed over it
  // only when whole: the previous file survives any failure). The writer is spent.
  void SaveAs(const std::filesystem::path& path);

 private:
  SqliteDb db_;
  SqliteTransaction transaction_;
};

}  // namespace rxf
