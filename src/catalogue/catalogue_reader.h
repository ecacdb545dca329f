// Where a catalogue comes from. A reader (CSV folder, SQLite file, Paradox folder) fills one
// TableBuilder per catalogue table; the data module asks it for every table in turn.
#pragma once

#include "catalogue/table_builder.h"

namespace rxf {

class CatalogueReader {
 public:
  virtual ~CatalogueReader() = default;
  // Gives builder the columns (SetSourceColumns) and rows (AddRow) of the table that
  // builder.Schema() names. A table the source does not hold is left without rows. Raises Error,
  // naming where in the source, for anything it cannot read.
  virtual void ReadTable(TableBuilder& builder) = 0;
};

}  // namespace rxf
