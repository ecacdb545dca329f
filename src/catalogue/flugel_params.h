// The sash values that one kit calculation hands to its article queries; the parameter lookups
// fill parts of it.
#pragma once

#include <cstdint>

namespace rxf {

struct TFlugelParams {
  float ProfWidth = 0;        // profile width
  float ProfThickness = 0;    // profile thickness
  std::int32_t FalzLuft = 0;  // rebate parameters
  std::int32_t FalzSize = 0;
  std::int32_t FalzPos = 0;
  float DornMass = 0;         // backset, mm
  std::uint8_t OpenType = 0;  // opening-type code
};

}  // namespace rxf
