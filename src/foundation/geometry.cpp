#include "foundation/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

double ToRadians(double degrees) {
  return degrees / kDegreesPerRadian;
}

// std::round takes halves away from zero, the rounding all coordinates use.
TFloatPoint RoundPoint(double x, double y) {
  return {std::round(x), std::round(y)};
}

double RoundToDecimals(double value, double scale) {
  return std::round(value * scale) / scale;
}

double Cross(TFloatPoint a, TFloatPoint b) {
  return a.X * b.Y - a.Y * b.X;
}

TFloatPoint Minus(TFloatPoint a, TFloatPoint b) {
  return {a.X - b.X, a.Y - b.Y};
}

}  // namespace

double LineDirection(TFloatPoint p, TFloatPoint q) {
  if (p == q)
    return 0;
  // Negated because y grows downwards on screen while directions turn counter-clockwise.
  double degrees = std::atan2(-(q.Y - p.Y), q.X - p.X) * kDegreesPerRadian;
  if (degrees < 0)
    degrees += 360;
  // A tiny negative angle plus 360 can round to 360 itself.
  return degrees >= 360 ? 0 : degrees;
}

double VertexAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c) {
  const TFloatPoint u = Minus(b, a);
  const TFloatPoint w = Minus(c, b);
  const double lengths = std::hypot(u.X, u.Y) * std::hypot(w.X, w.Y);
  if (lengths == 0)
    return -1;
  const double incoming = LineDirection(a, b);
  double turn;
  if (incoming > 180) {
    turn = 360 - incoming + LineDirection(b, c);
    if (turn > 360)
      turn -= 360;
  } else {
    turn = LineDirection(b, c) - incoming;
  }
  // Rounding can push the cosine just outside [-1, 1], where acos gives NaN.
  const double cosine = std::clamp((u.X * w.X + u.Y * w.Y) / lengths, -1.0, 1.0);
  const double deflection = std::acos(cosine) * kDegreesPerRadian;
  const bool turnsRight = turn <= 0 || turn >= 180;
  return turnsRight ? 180 - deflection : 180 + deflection;
}

TFloatPoint ArcCenter(TFloatPoint p1, TFloatPoint p2, double radius) {
  if (radius == 0)
    return {0, 0};
  if (p1 == p2)
    return {p2.X - radius, p2.Y};
  const double chord = Distance(p1, p2);
  const TFloatPoint middle{(p1.X + p2.X) / 2, (p1.Y + p2.Y) / 2};
  // A radius shorter than half the chord cannot reach both ends. The chord's middle is the nearest
  // centre there is and the exact one where the radius just reaches; it is taken for slanted chords
  // as well as level and upright ones, so the centre does not jump as the chord turns.
  if (radius < chord / 2)
    return middle;
  const double height = std::sqrt(radius * radius - chord * chord / 4);
  return {middle.X - height * (p2.Y - p1.Y) / chord, middle.Y + height * (p2.X - p1.X) / chord};
}

bool IsOnArc(TFloatPoint p, TFloatPoint start, TFloatPoint end, TFloatPoint centre, double radius) {
  // The radius's sign only chooses the side; the distance compares with its length.
  const bool onCircle = std::abs(Distance(p, centre) - std::abs(radius)) <= 0.5;
  return onCircle && Cross(Minus(p, start), Minus(end, start)) * radius >= 0;
}

TFloatPoint PointAlong(TFloatPoint p1, TFloatPoint p2, double distance) {
  const double length = Distance(p1, p2);
  if (length == 0)
    return RoundPoint(p1.X, p1.Y);
  const double share = distance / length;
  return RoundPoint(p1.X + share * (p2.X - p1.X), p1.Y + share * (p2.Y - p1.Y));
}

TFloatPoint OffsetPoint(TFloatPoint base, TFloatPoint a, TFloatPoint b, double angle,
                        double distance) {
  const double theta = ToRadians(angle + LineDirection(a, b));
  return RoundPoint(base.X + distance * std::cos(theta), base.Y - distance * std::sin(theta));
}

TFloatPoint RotatePoint(TFloatPoint p, TFloatPoint centre, double angle) {
  const double a = ToRadians(angle);
  const TFloatPoint d = Minus(p, centre);
  const double x = centre.X + std::cos(a) * d.X + std::sin(a) * d.Y;
  const double y = centre.Y - std::sin(a) * d.X + std::cos(a) * d.Y;
  // Rounding to 4 decimals first drops the trigonometric noise, so that a coordinate which is a
  // half up to that noise (2.4999999999) still rounds away from zero.
  return RoundPoint(RoundToDecimals(x, 1e4), RoundToDecimals(y, 1e4));
}

TFloatPoint MidPoint(TFloatPoint p, TFloatPoint q) {
  return RoundPoint((p.X + q.X) / 2, (p.Y + q.Y) / 2);
}

double Distance(TFloatPoint p, TFloatPoint q) {
  return std::hypot(q.X - p.X, q.Y - p.Y);
}

TFloatPoint ScalePoint(TFloatPoint p, double scale) {
  if (scale == 0)
    throw Error(std::string("Масштаб не может быть равен нулю"_w));
  return RoundPoint(p.X / scale, p.Y / scale);
}

double ArcRise(double radius, double chord) {
  const double square = radius * radius - chord * chord / 4;
  if (chord <= 0 || square < 0)
    return 0;
  return RoundToDecimals(radius - std::sqrt(square), 1e8);
}

double ArcRadius(double rise, double chord) {
  if (chord <= 0 || rise <= 0)
    return 0;
  return RoundToDecimals((chord * chord / 4 + rise * rise) / (2 * rise), 1e8);
}

}  // namespace rxf
