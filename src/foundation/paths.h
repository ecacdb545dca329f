// File names and folders as the document files store them, and their place on this disk.
// Stored paths are Windows-1251 text written on Windows with "\" separators and upper-cased; a
// path under the data folder is stored relative to it as "%" + the rest. Every routine reads "\"
// and "/" alike. On disk, names are UTF-8 and folders are joined with "/".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace rxf {

// The chosen parts of fileName: the folder with its closing separator, the name, the extension
// with its full stop (from the last "." of the name). A folder and an extension without the name
// between them name nothing and give empty text.
std::string ExtractFilePart(std::string_view fileName, bool withPath, bool withName, bool withExt);

// path trimmed, without one closing separator.
std::string TrimPath(std::string_view path);

// The stored form of path: "%" + the rest, upper-cased, when it lies under base; otherwise path
// upper-cased. The rest keeps path's own separators.
std::string MakeRelativePath(std::string_view base, std::string_view path);

// The text form of a stored path: a "%" path joined to base with "\", upper-cased; any other path
// upper-cased.
std::string ExpandPath(std::string_view base, std::string_view path);

// The existing file or folder that path (Windows-1251, either separator) names when case is
// ignored: each component matched with AnsiSameText against the folder's entries, an exact match
// preferred. nullopt when there is none.
std::optional<std::filesystem::path> LocateFile(std::string_view path);

// Where a stored path is on this disk: a "%" path under baseDir, any other path as it stands,
// located as LocateFile does. Of a path that does not exist, the folders that do are taken as found
// on disk and the rest is joined with "/" as given, so that a new file goes into the existing
// folder.
std::filesystem::path ExpandStoredPath(const std::filesystem::path& baseDir, std::string_view path);

}  // namespace rxf
