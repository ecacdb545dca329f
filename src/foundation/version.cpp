#include "foundation/version.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace rxf {

namespace {

std::int64_t FieldValue(std::string_view version, int index) {
  const std::string field = GetToken(version, index, ".", true);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size())
    throw Error("\"" + field + std::string("\" не является целым числом (версия \""_w) +
                std::string(version) + "\")");
  return value;
}

std::int64_t VersionKey(std::string_view version) {
  return FieldValue(version, 1) + 31 * FieldValue(version, 2) + 365 * FieldValue(version, 3);
}

}  // namespace

bool VersionOlder(std::string_view a, std::string_view b) {
  return VersionKey(a) < VersionKey(b);
}

bool VersionNotOlder(std::string_view a, std::string_view b) {
  return !VersionOlder(a, b);
}

}  // namespace rxf

namespace rxf {

std::string_view GetExeVersion() {
  return RAMULEX_VERSION;
}

}  // namespace rxf
