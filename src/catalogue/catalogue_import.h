// Brings a catalogue from any form in which users keep it into the system's catalogue file.
#pragma once

#include <filesystem>
#include <functional>

#include "catalogue/memory_table.h"

namespace rxf {

// Reads every table of the catalogue at source (any form OpenCatalogueReader takes) and writes
// them into the catalogue file dest, calling tableDone after each table with the table read. dest
// is replaced only when every table was read and the file written whole: on any failure an
// existing dest stays as it was. Raises Error naming what failed.
void ImportCatalogue(const std::filesystem::path& source, const std::filesystem::path& dest,
                     const std::function<void(const MemoryTable&)>& tableDone);

}  // namespace rxf
