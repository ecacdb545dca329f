// Version texts "dd.mm.yyyy" of the document files, compared by the key
// day + 31 * month + 365 * year (so 02.01.2020 and 26.12.2019 are equal).
#pragma once

#include <string_view>

namespace rxf {

inline constexpr std::string_view kOrderFileVersion = "26.12.2019";
inline constexpr std::string_view kSelectionFileVersion = "06.10.2015";

// Raise Error when a field is not a decimal integer.
bool VersionOlder(std::string_view a, std::string_view b);
bool VersionNotOlder(std::string_view a, std::string_view b);

}  // namespace rxf

namespace rxf {

// The version of this program ("0.1.0"), shown by the about box and --version.
std::string_view GetExeVersion();

}  // namespace rxf
