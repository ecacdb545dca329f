// The values one kit calculation fixes once for a sash and passes to every step.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/flugel_params.h"
#include "selection/selection_context.h"

namespace rxf {

class TrxfFlugel;
class TrxfFurnComp;

struct TKitRun {
  const TSelectionContext& Context;
  TrxfFlugel& Flugel;          // the sash calculated
  TrxfFurnComp& Kit;           // its kit, whose item list the run fills
  const TrxfFlugel* Adjacent;  // the other sash of a two-sash position; null for one sash
  TFlugelParams Params;
  std::uint8_t StulpType = 0;  // 6 for one sash
  std::uint8_t Direct = 0;     // of the main kit
  std::int32_t FFB = 0;        // rebate width and height in centimetres
  std::int32_t FFH = 0;
  std::string Outer;  // the order's profile colours
  std::string Inner;
  std::string KitColor;

  // Colour of an article by a row's colour condition: 1 outer, 2 inner, 3 outer for opening type
  // code 1 and inner otherwise, anything else the kit's colour.
  const std::string& ColorFor(std::int64_t colorCondition) const {
    switch (colorCondition) {
      case 1:
        return Outer;
      case 2:
        return Inner;
      case 3:
        return Params.OpenType == 1 ? Outer : Inner;
      default:
        return KitColor;
    }
  }
};

// Whether a row's mullion-type mask admits the run's mullion type: 0 and masks with bit value 1
// admit every type; otherwise bit value 2^type must be set.
inline bool StulpTypeAdmits(std::int64_t mask, std::uint8_t stulpType) {
  if (mask == 0 || (mask & 1) != 0)
    return true;
  return stulpType < 63 && (mask & (std::int64_t{1} << stulpType)) != 0;
}

}  // namespace rxf
