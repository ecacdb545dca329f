// Opens a catalogue from wherever a user keeps it: the system's own catalogue file, a folder of
// CSV files or a folder of delivered Paradox tables. A folder is read directly, without any
// conversion step, and its form is told by its files.
#pragma once

#include <filesystem>
#include <memory>

#include "catalogue/catalogue_reader.h"
#include "catalogue/data_module.h"

namespace rxf {

enum class CatalogueForm { SqliteFile, CsvFolder, ParadoxFolder };

// A file is a catalogue file of the system; a folder holding any "*.csv" file is a CSV folder,
// else one holding any "*.db" file a Paradox folder (letter case ignored). Raises Error when the
// path does not exist or is a folder with neither kind of file.
CatalogueForm DetectCatalogueForm(const std::filesystem::path& path);

// The reader for the catalogue at path, whatever its form. Raises Error as DetectCatalogueForm
// does, and when the file is no catalogue file of the system.
std::unique_ptr<CatalogueReader> OpenCatalogueReader(const std::filesystem::path& path);

// The whole catalogue at path, read into memory; the first error of any table stops it.
std::unique_ptr<TDM> OpenCatalogue(const std::filesystem::path& path);

}  // namespace rxf
