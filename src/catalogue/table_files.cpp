#include "catalogue/table_files.h"

#include <string>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

// Calls visit(entry path, file name) for every regular file of folder until visit returns true.
template <typename Visit>
void ForEachFile(const fs::path& folder, Visit&& visit) {
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; it != end; it.increment(error)) {
    std::error_code kindError;
    if (it->is_regular_file(kindError) && visit(it->path(), it->path().filename().string()))
      return;
  }
  if (error)
    throw Error(Format(std::string("Не удалось прочитать папку %s: %s"_w), PathForMessage(folder),
                       Utf8ForMessage(error.message())));
}

}  // namespace

std::optional<fs::path> FindTableFile(const fs::path& folder, std::string_view fileName) {
  std::optional<fs::path> found;
  ForEachFile(folder, [&](const fs::path& path, const std::string& name) {
    if (!AnsiSameText(name, fileName))
      return false;
    const bool exact = name == fileName;
    if (exact || !found)
      found = path;
    return exact;
  });
  return found;
}

bool HasFileWithExtension(const fs::path& folder, std::string_view extension) {
  bool found = false;
  ForEachFile(folder, [&](const fs::path&, const std::string& name) {
    found = name.size() > extension.size() &&
            AnsiSameText(std::string_view(name).substr(name.size() - extension.size()), extension);
    return found;
  });
  return found;
}

}  // namespace rxf
