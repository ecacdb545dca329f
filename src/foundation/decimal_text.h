// Decimal numbers as the settings file writes them: one decimal separator (the process's, a comma
// in the desktop and the command line), no thousands separators, an optional exponent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace rxf {

// The number text holds, blanks around it allowed; nullopt for anything else, a "." where the
// separator is "," included.
std::optional<double> ParseDecimal(std::string_view text, char separator);

// The shortest text that reads back as the same single-precision value: 18 gives "18" and 19.6
// gives "19,6", not the float's 19,6000003814697.
std::string FormatSingle(float value, char separator);

}  // namespace rxf
