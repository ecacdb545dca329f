// The shape of a new position as the position dialog hands it over, in millimetres.
#pragma once

#include <cstdint>

namespace rxf {

struct TShapeParams {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint8_t Shape = 0;  // 0..7, the picture chosen in the dialog
  std::int32_t SizeX = 0;
  std::int32_t SizeY = 0;
  float Radius = 0;
  float Radius2 = 0;
};

}  // namespace rxf
