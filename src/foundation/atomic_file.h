// Whole-file transfer. A save never leaves a half-written file: the content goes to a
// temporary file beside the target, reaches the disk, and only then replaces the target.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rxf {

// Replaces the file at path with content in one step. The replaced file's permission bits are
// kept; a new file gets 0644 less the umask. On failure the previous file stays as it was, no
// temporary file remains, and Error names the file and the system's reason. Only a failure to
// flush the folder after the rename leaves the new file in place, reported all the same.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view content);

// The whole content of the file at path; Error names the file and the system's reason.
std::string ReadWholeFile(const std::filesystem::path& path);

}  // namespace rxf
