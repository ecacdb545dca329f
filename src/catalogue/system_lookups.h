// Questions about fittings systems (SysList), counter-plate systems (SysProf) and colour names
// (COLORSET). Codes compare exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/data_module.h"

namespace rxf {

// SysList.CommonGrp; when the system is missing, raises "В БД отсутствуют данные для системы
// [systemId]!" unless quiet, which gives 0.
std::int32_t GetSystemCommonGrp(const TDM& dm, std::string_view systemId, bool quiet);
// Empty when the system is missing.
std::string GetSystemName(const TDM& dm, std::string_view systemId);
std::string GetSystemBaseColor(const TDM& dm, std::string_view systemId);
// SysProf.Name of the counter-plate system; empty when missing.
std::string GetSchlSysName(const TDM& dm, std::string_view schlSysId);
// COLORSET.Name; empty when missing, and for an empty code without a search.
std::string GetColorName(const TDM& dm, std::string_view colorCode);

}  // namespace rxf
