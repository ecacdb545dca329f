#include "foundation/user_folders.h"

#include <cstdlib>
#include <optional>
#include <string>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

namespace fs = std::filesystem;

// The variable's value when it names an absolute folder.
std::optional<fs::path> AbsoluteFolderFrom(const char* variable) {
  const char* value = std::getenv(variable);
  if (value == nullptr || *value == '\0' || fs::path(value).is_relative())
    return std::nullopt;
  return fs::path(value);
}

fs::path BaseFolder(const char* variable, const fs::path& belowHome) {
  if (const auto folder = AbsoluteFolderFrom(variable))
    return *folder;
  if (const auto home = AbsoluteFolderFrom("HOME"))
    return *home / belowHome;
  throw Error(std::string("Не задана домашняя папка пользователя (HOME)"_w));
}

}  // namespace

fs::path UserConfigFolder() {
  return BaseFolder("XDG_CONFIG_HOME", ".config") / "ramulex";
}

fs::path UserDataFolder() {
  return BaseFolder("XDG_DATA_HOME", fs::path(".local") / "share") / "ramulex";
}

}  // namespace rxf
