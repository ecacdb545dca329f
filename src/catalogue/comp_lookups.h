// Questions about a fittings kit (FrnComp, found by its ID) and its sides (FrnSide).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/data_module.h"

namespace rxf {

std::optional<RowRef> FindComp(const TDM& dm, std::string_view kitId);

// Raises "В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [kitId]" when missing.
std::string GetCompName(const TDM& dm, std::string_view kitId);
// The kit's Name; nullopt when the kit is missing.
std::optional<std::string> FindCompName(const TDM& dm, std::string_view kitId);

// 0 when the kit is missing.
std::int32_t GetCompGroup(const TDM& dm, std::string_view kitId);
std::int32_t GetCompImage(const TDM& dm, std::string_view kitId);
// The kit's screen colour; white (0xFFFFFF) when the kit is missing.
std::int32_t GetCompScrColor(const TDM& dm, std::string_view kitId);

struct TCompPrintInfo {
  std::string PrintName;
  bool Printable = false;  // the kit's Printable is 1
};
// Empty and not printable when the kit is missing.
TCompPrintInfo GetCompPrintInfo(const TDM& dm, std::string_view kitId);

// FrnSide.HandleDirect of the kit's side sideNo (from 1); 0 when there is no such row.
std::int32_t GetSideHandleDirect(const TDM& dm, std::string_view kitId, int sideNo);

}  // namespace rxf
