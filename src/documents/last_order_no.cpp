#include "documents/last_order_no.h"

#include <algorithm>

#include "foundation/atomic_file.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"

namespace rxf {

namespace {

constexpr std::size_t kFileSize = 31;
constexpr std::size_t kNumberWidth = kFileSize - 1;

}  // namespace

std::filesystem::path LastOrderNoFile(std::string_view ordersDir) {
  const std::filesystem::path folder =
      ordersDir.empty() ? std::filesystem::read_symlink("/proc/self/exe").parent_path()
                        : DiskPath(ordersDir);
  return folder / "Ramulex.lon";
}

void WriteLastOrderNo(const std::filesystem::path& file, std::string_view orderNo) {
  const std::string_view number = orderNo.substr(0, kNumberWidth);
  std::string content(kFileSize, '\0');
  content[0] = static_cast<char>(number.size());
  std::copy(number.begin(), number.end(), content.begin() + 1);
  try {
    WriteFileAtomically(file, content);
  } catch (const Error&) {
    // The number is a convenience shown in the properties dialog: nothing to tell the user.
  }
}

std::string ReadLastOrderNo(const std::filesystem::path& file) {
  std::string content;
  try {
    content = ReadWholeFile(file);
  } catch (const Error&) {
    return "???";
  }
  if (content.empty())
    return {};
  content.resize(std::min(content.size(), kFileSize));
  const std::size_t length = static_cast<unsigned char>(content[0]);
  return content.substr(1, length);
}

}  // namespace rxf
