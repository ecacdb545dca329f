// Shared fixtures of the catalogue tests: the small catalogue in tests/data/catalogue/small, and
// tables built in code.
#pragma once

#include <string>
#include <vector>

#include "catalogue/data_module.h"
#include "catalogue/table_builder.h"

namespace rxf::test {

// The small fixture catalogue, read once through the CSV reader.
const TDM& SmallCatalogue();

// A table of schema from rows of text cells ("" = no value) under the given column names.
MemoryTable BuildTable(const TableSchema& schema, const std::vector<std::string>& columns,
                       const std::vector<std::vector<std::string>>& rows);

}  // namespace rxf::test
