#include "catalogue/comp_lookups.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::int32_t CompInteger(const TDM& dm, std::string_view kitId, std::string_view column,
                         std::int32_t missing) {
  const auto row = FindComp(dm, kitId);
  return row ? static_cast<std::int32_t>(row->Integer(column)) : missing;
}

}  // namespace

std::optional<RowRef> FindComp(const TDM& dm, std::string_view kitId) {
  return dm.T_FrnComp().Locate("ID", {std::string(kitId)});
}

std::string GetCompName(const TDM& dm, std::string_view kitId) {
  const auto row = FindComp(dm, kitId);
  if (!row)
    throw Error(
        Format("В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [%s]"_w, kitId));
  return row->Text("Name");
}

std::optional<std::string> FindCompName(const TDM& dm, std::string_view kitId) {
  const auto row = FindComp(dm, kitId);
  if (!row)
    return std::nullopt;
  return row->Text("Name");
}

std::int32_t GetCompGroup(const TDM& dm, std::string_view kitId) {
  return CompInteger(dm, kitId, "Group", 0);
}

std::int32_t GetCompImage(const TDM& dm, std::string_view kitId) {
  return CompInteger(dm, kitId, "Image", 0);
}

std::int32_t GetCompScrColor(const TDM& dm, std::string_view kitId) {
  return CompInteger(dm, kitId, "ScrColor", 0xFFFFFF);
}

TCompPrintInfo GetCompPrintInfo(const TDM& dm, std::string_view kitId) {
  const auto row = FindComp(dm, kitId);
  if (!row)
    return {};
  return {row->Text("PrintName"), row->Integer("Printable") == 1};
}

std::int32_t GetSideHandleDirect(const TDM& dm, std::string_view kitId, int sideNo) {
  const auto row =
      dm.T_FrnSide().Locate("ID;Side", {std::string(kitId), static_cast<double>(sideNo)});
  return row ? static_cast<std::int32_t>(row->Integer("HandleDirect")) : 0;
}

}  // namespace rxf
