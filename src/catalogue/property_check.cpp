#include "catalogue/property_check.h"

#include <charconv>
#include <string_view>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::int32_t PropertyValue(std::string_view text) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    throw Error(Format("\"%s\" не является целым числом"_w, text));
  return value;
}

bool RuleListsValue(const TableView& props, std::int32_t propKey, std::int32_t value) {
  return props.Locate("PropKey;ID", {static_cast<double>(propKey), static_cast<double>(value)})
      .has_value();
}

bool RuleListsDecade(const TableView& props, std::int32_t propKey, std::int32_t value) {
  const std::int32_t base = value / 10 * 10;
  const TableFilter decade(
      props.Table(), Format("PropKey = %d and ID >= %d and ID < %d", propKey, base, base + 10));
  return props.Count(decade) > 0;
}

}  // namespace

bool CheckProperties(const TDM& dm, std::int32_t propKey, std::span<const std::string> propList,
                     int kind) {
  const TableView& props = dm.T_FrnProp();
  if (!props.Locate("PropKey", {static_cast<double>(propKey)}))
    return true;
  const std::string kindText = std::to_string(kind);
  for (const std::string& line : propList) {
    if (std::string_view(line).substr(0, 1) != kindText)
      continue;
    const std::int32_t value =
        PropertyValue(std::string_view(line).substr(std::min<std::size_t>(2, line.size())));
    if (!RuleListsValue(props, propKey, value) && RuleListsDecade(props, propKey, value))
      return false;
  }
  return true;
}

}  // namespace rxf
