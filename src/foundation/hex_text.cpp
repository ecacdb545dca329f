#include "foundation/hex_text.h"

#include "foundation/text.h"

namespace rxf {

std::string HexOfBytes(std::string_view bytes) {
  static constexpr std::string_view kDigits = "0123456789ABCDEF";
  std::string hex;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::string BytesOfHex(std::string_view hex) {
  std::string bytes;
  for (std::size_t i = 0; i < hex.size(); i += 2)
    bytes += static_cast<char>(HexToWord(hex.substr(i, 2)));
  return bytes;
}

}  // namespace rxf
