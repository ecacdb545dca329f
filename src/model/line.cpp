#include "model/line.h"

#include "foundation/numbers.h"
#include "foundation/spec_stream.h"
#include "model/point.h"

namespace rxf {

namespace {

TFloatPoint AsFloat(const TrxfPoint& p) {
  return {static_cast<double>(p.X), static_cast<double>(p.Y)};
}

}  // namespace

double TrxfLine::ChordLength() const {
  if (!StartPoint || !EndPoint)
    return -1;
  return Distance(AsFloat(*StartPoint), AsFloat(*EndPoint));
}

float TrxfLine::Length() const {
  return static_cast<float>(ChordLength() / 10);
}

bool TrxfLine::IsArc() const {
  return Radius != 0 && Radius == Radius2;
}

bool TrxfLine::IsFullRadius() const {
  return IsArc() && ChordLength() / 2 == Radius;
}

bool TrxfLine::IsHalfRadius() const {
  return IsArc() && ChordLength() / 2 != Radius;
}

bool TrxfLine::IsEllipse() const {
  return Radius != 0 && Radius2 != 0 && Radius != Radius2;
}

void TrxfLine::CalcCenter() {
  if (Radius == 0 || !StartPoint || !EndPoint) {
    CenterX = CenterY = 0;
    return;
  }
  const TFloatPoint center = ArcCenter(AsFloat(*StartPoint), AsFloat(*EndPoint), Radius);
  CenterX = static_cast<float>(center.X);
  CenterY = static_cast<float>(center.Y);
}

double TrxfLine::Direction() const {
  if (!StartPoint || !EndPoint)
    return 0;
  return LineDirection(AsFloat(*StartPoint), AsFloat(*EndPoint));
}

int TrxfLine::Orientation() const {
  const double direction = Direction();
  if (direction == 90 || direction == 270)
    return 1;
  if (direction == 0 || direction == 180)
    return 0;
  return 3;
}

void TrxfLine::SetHandle(std::int32_t height, std::int32_t direct) {
  if (!Handled || !StartPoint || !EndPoint) {
    HandleHeight = 0;
    HandleX = HandleY = 0;
    return;
  }
  HandleHeight = height;
  const double distance = MMToTenths(height);
  const TFloatPoint start = AsFloat(*StartPoint);
  const TFloatPoint end = AsFloat(*EndPoint);
  const TFloatPoint mark = direct == 0
                               ? OffsetPoint(PointAlong(start, end, distance), start, end, -90, 10)
                               : OffsetPoint(PointAlong(end, start, distance), end, start, 90, 10);
  HandleX = static_cast<std::int32_t>(mark.X);
  HandleY = static_cast<std::int32_t>(mark.Y);
}

void TrxfLine::Save(TSpecStream& stream) const {
  stream.WriteSingle(Radius);
  stream.WriteSingle(Radius2);
  stream.WriteSingle(CenterX);
  stream.WriteSingle(CenterY);
  stream.WriteBoolean(OpenMark);
  stream.WriteInteger(OpenTarget);
  stream.WriteBoolean(Handled);
  stream.WriteBoolean(Banded);
  stream.WriteBoolean(Drived);
  stream.WriteInteger(HandleHeight);
  stream.WriteInteger(HandleX);
  stream.WriteInteger(HandleY);
}

void TrxfLine::Load(TSpecStream& stream, std::string_view) {
  Radius = stream.ReadSingle();
  Radius2 = stream.ReadSingle();
  CenterX = stream.ReadSingle();
  CenterY = stream.ReadSingle();
  OpenMark = stream.ReadBoolean();
  OpenTarget = stream.ReadInteger();
  Handled = stream.ReadBoolean();
  Banded = stream.ReadBoolean();
  Drived = stream.ReadBoolean();
  HandleHeight = stream.ReadInteger();
  HandleX = stream.ReadInteger();
  HandleY = stream.ReadInteger();
}

}  // namespace rxf
