// The bridge between folder texts of the system (Windows-1251, as the configuration and the
// settings hold them) and names on this disk (UTF-8).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rxf {

// The disk path that a Windows-1251 folder or file text names.
std::filesystem::path DiskPath(std::string_view text);

// The Windows-1251 text of a disk path; Error when a character has no Windows-1251 form, since
// the system could not name the path again.
std::string PathText(const std::filesystem::path& path);

// UTF-8 text from outside (a path, a name read from a file) for a message: Windows-1251, a
// character without a form or a malformed byte shown as '?'.
std::string Utf8ForMessage(std::string_view utf8);
std::string PathForMessage(const std::filesystem::path& path);

}  // namespace rxf
