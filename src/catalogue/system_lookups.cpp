#include "catalogue/system_lookups.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

// The text column of the row whose key column equals key; empty when there is none.
std::string TextOf(const TableView& view, std::string_view keyColumn, std::string_view key,
                   std::string_view column) {
  const auto row = view.Locate(keyColumn, {std::string(key)});
  return row ? row->Text(column) : std::string();
}

}  // namespace

std::int32_t GetSystemCommonGrp(const TDM& dm, std::string_view systemId, bool quiet) {
  const auto row = dm.T_SysList().Locate("ID", {std::string(systemId)});
  if (row)
    return static_cast<std::int32_t>(row->Integer("CommonGrp"));
  if (!quiet)
    throw Error(Format("В БД отсутствуют данные для системы [%s]!"_w, systemId));
  return 0;
}

std::string GetSystemName(const TDM& dm, std::string_view systemId) {
  return TextOf(dm.T_SysList(), "ID", systemId, "Name");
}

std::string GetSystemBaseColor(const TDM& dm, std::string_view systemId) {
  return TextOf(dm.T_SysList(), "ID", systemId, "BaseColor");
}

std::string GetSchlSysName(const TDM& dm, std::string_view schlSysId) {
  return TextOf(dm.T_SysProf(), "SchlSysID", schlSysId, "Name");
}

std::string GetColorName(const TDM& dm, std::string_view colorCode) {
  if (colorCode.empty())
    return {};
  return TextOf(dm.T_COLORSET(), "Color", colorCode, "Name");
}

}  // namespace rxf
