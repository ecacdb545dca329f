// The parameter lists that share ParamList: rebate types, backsets, mullion types and opening
// types, each located by ID in its own view. The raising forms clear their output first, then
// raise the list's message naming the ID unless quiet.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/data_module.h"
#include "catalogue/flugel_params.h"

namespace rxf {

// params.FalzLuft, FalzSize, FalzPos from T_FalzList.
void GetFalzParams(const TDM& dm, std::int32_t falzId, TFlugelParams& params, bool quiet);
// params.DornMass from T_DornList.
void GetDornMass(const TDM& dm, std::int32_t dornId, TFlugelParams& params, bool quiet);
// The mullion-type number from T_StulpList; 0 when missing and quiet.
std::uint8_t GetStulpType(const TDM& dm, std::int32_t stulpId, bool quiet);
// params.OpenType from T_OpenList.
void GetOpenType(const TDM& dm, std::int32_t openId, TFlugelParams& params, bool quiet);

// The entry's Name in its list; empty when missing.
std::string GetFalzName(const TDM& dm, std::int32_t id);
std::string GetDornName(const TDM& dm, std::int32_t id);
std::string GetStulpName(const TDM& dm, std::int32_t id);
std::string GetOpenName(const TDM& dm, std::int32_t id);

}  // namespace rxf
