#include "foundation/version.h"

#include <charconv>
#include <cstdint>
#include <string>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

// The index-th "."-separated field, trimmed. Documents compare versions once per record, so
// this takes no allocation.
std::string_view Field(std::string_view version, int index) {
  std::size_t start = 0;
  for (int i = 1; i < index; ++i) {
    const std::size_t dot = version.find('.', start);
    if (dot == std::string_view::npos)
      return {};
    start = dot + 1;
  }
  std::string_view field = version.substr(start, version.find('.', start) - start);
  while (!field.empty() && static_cast<unsigned char>(field.front()) <= ' ')
    field.remove_prefix(1);
  while (!field.empty() && static_cast<unsigned char>(field.back()) <= ' ')
    field.remove_suffix(1);
  return field;
}

std::int64_t FieldValue(std::string_view version, int index) {
  const std::string_view field = Field(version, index);
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (field.empty() || error != std::errc() || end != field.data() + field.size())
    throw Error("\"" + std::string(field) +
                std::string("\" не является целым числом (версия \""_w) + std::string(version) +
                "\")");
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
