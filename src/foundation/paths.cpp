#include "foundation/paths.h"

#include <algorithm>
#include <system_error>
#include <utility>
#include <vector>

#include "foundation/cp1251.h"
#include "foundation/text.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSeparators = "\\/";

bool IsSeparator(char c) {
  return kSeparators.find(c) != std::string_view::npos;
}

// Whether path continues folder with a separator, "\" and "/" counting as the same character.
bool LiesUnder(std::string_view path, std::string_view folder) {
  if (path.size() <= folder.size() || !IsSeparator(path[folder.size()]))
    return false;
  for (std::size_t i = 0; i < folder.size(); ++i) {
    const bool same = path[i] == folder[i] || (IsSeparator(path[i]) && IsSeparator(folder[i]));
    if (!same)
      return false;
  }
  return true;
}

// The names between separators; empty ones (doubled or closing separators) dropped.
std::vector<std::string_view> Components(std::string_view path) {
  std::vector<std::string_view> names;
  std::size_t start = 0;
  while (start <= path.size()) {
    const std::size_t end = std::min(path.find_first_of(kSeparators, start), path.size());
    if (end > start)
      names.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

bool IsRooted(std::string_view path) {
  return !path.empty() && IsSeparator(path.front());
}

// The entry of folder called name when case is ignored: the exact name when it exists, else the
// first matching name in name order, so the choice does not depend on the directory's order.
std::optional<fs::path> MatchEntry(const fs::path& folder, std::string_view name) {
  std::error_code error;
  const fs::path exact = folder / Cp1251ToUtf8(name);
  if (fs::exists(exact, error))
    return exact;
  std::optional<std::string> best;
  const fs::path listed = folder.empty() ? fs::path(".") : folder;
  for (fs::directory_iterator it(listed, error), end; !error && it != end; it.increment(error)) {
    const std::string entry = it->path().filename().string();
    if (!IsCp1251Representable(entry) || !AnsiSameText(Utf8ToCp1251(entry), name))
      continue;
    if (!best || entry < *best)
      best = entry;
  }
  if (!best)
    return std::nullopt;
  return folder / *best;
}

struct Resolved {
  fs::path path;
  bool exists;
};

// folder joined with path's components, each taken as the entry on disk it matches while there is
// one and as given (in UTF-8) from the first missing one on. Joining name by name keeps a component
// from replacing folder the way an absolute path would.
Resolved Resolve(fs::path folder, std::string_view path) {
  bool exists = true;
  for (const std::string_view name : Components(path)) {
    std::optional<fs::path> entry = exists ? MatchEntry(folder, name) : std::nullopt;
    exists = entry.has_value();
    folder = exists ? std::move(*entry) : folder / Cp1251ToUtf8(name);
  }
  return {std::move(folder), exists};
}

fs::path StartOf(std::string_view path) {
  return IsRooted(path) ? fs::path("/") : fs::path();
}

}  // namespace

std::string ExtractFilePart(std::string_view fileName, bool withPath, bool withName, bool withExt) {
  if (withPath && withExt && !withName)
    return {};
  const std::size_t separator = fileName.find_last_of(kSeparators);
  const std::size_t nameStart = separator == std::string_view::npos ? 0 : separator + 1;
  const std::size_t dot = fileName.rfind('.');
  const std::size_t extStart =
      dot != std::string_view::npos && dot >= nameStart ? dot : fileName.size();
  std::string part;
  if (withPath)
    part.append(fileName.substr(0, nameStart));
  if (withName)
    part.append(fileName.substr(nameStart, extStart - nameStart));
  if (withExt)
    part.append(fileName.substr(extStart));
  return part;
}

std::string TrimPath(std::string_view path) {
  std::string trimmed = Trim(path);
  if (!trimmed.empty() && IsSeparator(trimmed.back()))
    trimmed.pop_back();
  return trimmed;
}

std::string MakeRelativePath(std::string_view base, std::string_view path) {
  const std::string upperPath = AnsiUpperCase(path);
  if (upperPath.starts_with('%'))
    return upperPath;
  // A base given with its closing separator is the same folder; an empty one is no folder at all
  // and would turn every rooted path relative.
  const std::string upperBase = AnsiUpperCase(TrimPath(base));
  if (upperBase.empty() || !LiesUnder(upperPath, upperBase))
    return upperPath;
  return "%" + upperPath.substr(upperBase.size() + 1);
}

std::string ExpandPath(std::string_view base, std::string_view path) {
  const std::string upperPath = AnsiUpperCase(path);
  if (!upperPath.starts_with('%'))
    return upperPath;
  return AnsiUpperCase(base) + "\\" + upperPath.substr(1);
}

std::optional<fs::path> LocateFile(std::string_view path) {
  if (Components(path).empty() && !IsRooted(path))
    return std::nullopt;
  Resolved resolved = Resolve(StartOf(path), path);
  if (!resolved.exists)
    return std::nullopt;
  return std::move(resolved.path);
}

fs::path ExpandStoredPath(const fs::path& baseDir, std::string_view path) {
  if (path.starts_with('%'))
    return Resolve(baseDir, path.substr(1)).path;
  return Resolve(StartOf(path), path).path;
}

}  // namespace rxf
