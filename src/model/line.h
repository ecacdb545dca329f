// A side of a sash contour, running from its start vertex to its end vertex. Lengths are in
// millimetres along the chord; radii and centres in tenths of a millimetre.
#pragma once

#include <cstdint>
#include <string_view>

#include "foundation/geometry.h"

namespace rxf {

class TSpecStream;
class TrxfFlugel;
class TrxfPoint;

class TrxfLine {
 public:
  explicit TrxfLine(TrxfFlugel* flugel) : Flugel(flugel) {}
  TrxfLine(TrxfFlugel* flugel, TFloatPoint center, float radius, float radius2)
      : Radius(radius),
        Radius2(radius2),
        CenterX(static_cast<float>(center.X)),
        CenterY(static_cast<float>(center.Y)),
        Flugel(flugel) {}

  // Distance between the vertices in 0.1 mm; -1 when a vertex is missing.
  double ChordLength() const;
  // The chord in mm, also for arcs: the fittings rules measure sides by their chords.
  float Length() const;
  bool IsArc() const;
  bool IsFullRadius() const;  // a semicircle
  bool IsHalfRadius() const;  // a flatter circular arc
  bool IsEllipse() const;
  void CalcCenter();
  // Direction of the chord in degrees (screen: 90 up); 0 when a vertex is missing.
  double Direction() const;
  // 1 vertical, 0 horizontal, 3 slanted.
  int Orientation() const;
  // Places the handle mark Height mm from the start vertex (Direct 0) or from the end vertex,
  // 1 mm inside the sash; a side without the handle loses its mark.
  void SetHandle(std::int32_t height, std::int32_t direct);

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  float Radius = 0;
  float Radius2 = 0;
  float CenterX = 0;
  float CenterY = 0;
  TrxfPoint* StartPoint = nullptr;  // not owned; linked when the contour is built or loaded
  TrxfPoint* EndPoint = nullptr;
  bool OpenMark = false;
  std::int32_t OpenTarget = 0;  // 0-based side the opening mark points to; -1 none
  bool Handled = false;
  bool Banded = false;
  bool Drived = false;
  std::int32_t HandleHeight = 0;  // mm
  std::int32_t HandleX = 0;       // 0.1 mm
  std::int32_t HandleY = 0;
  TrxfFlugel* Flugel;  // owner, not owned
};

}  // namespace rxf
