// Retiring an order file into the archive or the recycle folder. The move never replaces a file,
// whether the folder is on the same file system or another one.
#pragma once

#include <filesystem>
#include <optional>

namespace rxf {

// Moves file into folder as "Base.rfo", where Base is the file's name without folder and
// extension, each of \ / : * ? , ; " ` ! ( ) { } [ ] < > | % ' and "." replaced by "_". When that
// name is taken, "Base~k.rfo" for the first free k from 1 to 9999, else k = 10000. Creates the
// folder with its parents when missing. Returns where the file went; nullopt, doing nothing, for
// an empty folder. Failure: Error "Ошибка <errno> переноса файла\r\n<file>\r\nв <target>!", with
// the file where it was and no part of it at the target.
std::optional<std::filesystem::path> MoveOrderFile(const std::filesystem::path& file,
                                                   const std::filesystem::path& folder);

}  // namespace rxf
