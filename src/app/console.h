// The terminal edge of the command line: the system's Windows-1251 texts are printed as UTF-8.
#pragma once

#include <ostream>
#include <string_view>

namespace rxf::app {

// Prints Windows-1251 text as UTF-8 lines (CR LF line breaks become LF).
void PrintLine(std::ostream& out, std::string_view cp1251_text);

}  // namespace rxf::app
