// Builds document bytes slot by slot, independently of the stream writer, so that tests pin the
// record layouts themselves.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace rxf::test {

class SlotBytes {
 public:
  SlotBytes& Text(std::string_view text) {
    AppendLittleEndian(static_cast<std::uint32_t>(text.size()), 4);
    bytes_ += text;
    return *this;
  }
  SlotBytes& Integer(std::int32_t value) { return Tagged(3, static_cast<std::uint32_t>(value), 4); }
  SlotBytes& Byte(std::uint8_t value) { return Tagged(17, value, 1); }
  SlotBytes& Boolean(bool value) { return Tagged(11, value ? 0xFFFF : 0, 2); }
  SlotBytes& Real(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return Tagged(5, bits, 8);
  }
  SlotBytes& Currency(std::int64_t ticks) {
    return Tagged(6, static_cast<std::uint64_t>(ticks), 8);
  }
  const std::string& Bytes() const { return bytes_; }

 private:
  SlotBytes& Tagged(std::uint16_t tag, std::uint64_t payload, int width) {
    AppendLittleEndian(tag, 2);
    bytes_.append(6, '\0');
    AppendLittleEndian(payload, width);
    bytes_.append(static_cast<std::size_t>(8 - width), '\0');
    return *this;
  }
  void AppendLittleEndian(std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i)
      bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }

  std::string bytes_;
};

}  // namespace rxf::test
