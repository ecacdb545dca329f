// The small file that remembers the last order number saved: exactly 31 bytes, byte 0 the length L
// of the number (cut to 30 bytes), bytes 1 to L its Windows-1251 text; the bytes after them carry
// no meaning.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace rxf {

// "Ramulex.lon" in the orders folder (Windows-1251 text); in the program's folder when that is
// empty.
std::filesystem::path LastOrderNoFile(std::string_view ordersDir);

// Replaces the file; a file that cannot be written is left as it was, without a message.
void WriteLastOrderNo(const std::filesystem::path& file, std::string_view orderNo);
// The number the file holds; "???" when there is no file or it cannot be read.
std::string ReadLastOrderNo(const std::filesystem::path& file);

}  // namespace rxf
