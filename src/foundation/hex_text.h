// Bytes written as hexadecimal text, two upper-case digits per byte in order: "abc" is "616263".
#pragma once

#include <string>
#include <string_view>

namespace rxf {

std::string HexOfBytes(std::string_view bytes);

// The bytes of hex, read as pairs of digits from the left in either case; a last single digit
// stands alone and a character that is not a digit counts as 0 (as HexToWord reads them).
std::string BytesOfHex(std::string_view hex);

}  // namespace rxf
