#include "foundation/temp_folder.h"

#include <random>
#include <string>
#include <system_error>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;

constexpr int kLargestNumber = 999999;
// Numbers tried before giving up: only a base crowded with old folders takes more than one.
constexpr int kAttempts = 1000;

[[noreturn]] void ThrowCreateError(const fs::path& folder, const std::error_code& reason) {
  throw Error(std::string("Не удалось создать папку «"_w) + PathForMessage(folder) +
              std::string("»: "_w) + reason.message());
}

}  // namespace

fs::path MakeTempFolder(const fs::path& base) {
  std::error_code error;
  fs::create_directories(base, error);
  if (error)
    ThrowCreateError(base, error);
  std::mt19937 generator{std::random_device{}()};
  std::uniform_int_distribution<int> number(0, kLargestNumber);
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    const fs::path folder = base / std::to_string(number(generator));
    if (fs::create_directory(folder, error))
      return folder;
    if (error)
      ThrowCreateError(folder, error);
  }
  ThrowCreateError(base, std::make_error_code(std::errc::file_exists));
}

bool IsTempFolderName(const fs::path& folder) {
  const std::string name = folder.filename().string();
  return !name.empty() && name.size() <= 6 &&
         name.find_first_not_of("0123456789") == std::string::npos;
}

bool DeleteFolderTree(const fs::path& folder, UiServices& ui) {
  std::error_code error;
  fs::remove_all(folder, error);
  if (!error)
    return true;
  ui.ShowError(error.message() + "\r\n" + PathForMessage(folder));
  return false;
}

}  // namespace rxf
