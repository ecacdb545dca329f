// A vertex of a sash contour, in tenths of a millimetre (x to the right, y downwards).
#pragma once

#include <cstdint>
#include <string_view>

namespace rxf {

class TSpecStream;
class TrxfFlugel;

class TrxfPoint {
 public:
  explicit TrxfPoint(TrxfFlugel* flugel, std::int32_t x = 0, std::int32_t y = 0)
      : X(x), Y(y), Flugel(flugel) {}

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  std::int32_t X;
  std::int32_t Y;
  TrxfFlugel* Flugel;  // owner, not owned
};

}  // namespace rxf
