// The files of a catalogue folder: one per table, named after the table with the extension of
// its form (".csv", ".db"), letter case ignored, as users copy them from other systems.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace rxf {

// The regular file in folder named fileName, letter case ignored; a name in the exact case wins.
// Raises Error naming the folder when it cannot be listed.
std::optional<std::filesystem::path> FindTableFile(const std::filesystem::path& folder,
                                                   std::string_view fileName);

// Whether folder holds a regular file whose name ends in extension (".csv"), case ignored.
bool HasFileWithExtension(const std::filesystem::path& folder, std::string_view extension);

}  // namespace rxf
