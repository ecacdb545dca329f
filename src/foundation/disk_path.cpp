#include "foundation/disk_path.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

std::filesystem::path DiskPath(std::string_view text) {
  return std::filesystem::path(Cp1251ToUtf8(text));
}

std::string PathText(const std::filesystem::path& path) {
  const std::string utf8 = path.string();
  if (!IsCp1251Representable(utf8))
    throw Error(std::string("Путь «"_w) + PathForMessage(path) +
                std::string("» содержит символы вне кодировки Windows-1251"_w));
  return Utf8ToCp1251(utf8);
}

std::string PathForMessage(const std::filesystem::path& path) {
  return Utf8ForMessage(path.string());
}

std::string Utf8ForMessage(std::string_view utf8) {
  std::string text;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const long cp = cp1251::DecodeUtf8(utf8, pos);
    if (cp < 0)
      ++pos;
    const int byte = cp < 0 ? -1 : cp1251::ByteOf(static_cast<char32_t>(cp));
    text += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return text;
}

}  // namespace rxf
