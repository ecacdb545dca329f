#include "foundation/geometry.h"

#include <gtest/gtest.h>

#include "foundation/error.h"

namespace rxf {
namespace {

constexpr double kTolerance = 1e-9;

void ExpectNear(TFloatPoint actual, TFloatPoint expected, const char* name) {
  EXPECT_NEAR(actual.X, expected.X, kTolerance) << name;
  EXPECT_NEAR(actual.Y, expected.Y, kTolerance) << name;
}

TEST(Geometry, LineDirectionTurnsCounterClockwiseOnScreen) {
  struct Case {
    const char* name;
    TFloatPoint to;
    double degrees;
  } cases[] = {
      {"right", {10, 0}, 0},     {"up", {0, -10}, 90},          {"left", {-10, 0}, 180},
      {"down", {0, 10}, 270},    {"down-right", {10, 10}, 315}, {"up-left", {-10, -10}, 135},
      {"same point", {0, 0}, 0},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(LineDirection({0, 0}, c.to), c.degrees, kTolerance) << c.name;
}

TEST(Geometry, LineDirectionStaysBelow360ForTinyDownwardTurns) {
  // -1e-15 degrees is 360 once 360 is added.
  EXPECT_EQ(LineDirection({0, 0}, {1, 1e-17}), 0);
}

TEST(Geometry, VertexAngleIsTheInteriorAngleOfClockwiseContours) {
  struct Case {
    const char* name;
    TFloatPoint a, b, c;
    double degrees;
  } cases[] = {
      {"top-left corner", {0, 10}, {0, 0}, {10, 0}, 90},
      {"top-right corner", {0, 0}, {10, 0}, {10, 10}, 90},
      {"bottom-right corner", {10, 0}, {10, 10}, {0, 10}, 90},
      {"bottom-left corner", {10, 10}, {0, 10}, {0, 0}, 90},
      {"straight on", {0, 0}, {10, 0}, {20, 0}, 180},
      {"reflex corner turning left", {0, 0}, {10, 0}, {10, -10}, 270},
      {"sharp corner", {0, 0}, {10, 0}, {0, 10}, 45},
      {"straight on from the upper-left", {0, 0}, {10, 10}, {20, 20}, 180},
      {"first point repeated", {5, 5}, {5, 5}, {10, 0}, -1},
      {"last point repeated", {0, 0}, {5, 5}, {5, 5}, -1},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(VertexAngle(c.a, c.b, c.c), c.degrees, 1e-6) << c.name;
}

TEST(Geometry, VertexAngleOfNearlyStraightEdgesIsANumber) {
  // A cosine computed just above 1 must not make the angle NaN.
  EXPECT_NEAR(VertexAngle({0.1, 0.1}, {0.2, 0.2}, {1.0, 1.0}), 180, 1e-6);
}

TEST(Geometry, ArcCenterLiesOnTheRightOfTheChord) {
  struct Case {
    const char* name;
    TFloatPoint p1, p2;
    double radius;
    TFloatPoint centre;
  } cases[] = {
      {"half circle", {0, 0}, {100, 0}, 50, {50, 0}},
      {"left to right: below", {0, 0}, {100, 0}, 100, {50, 86.60254037844386}},
      {"right to left: above", {100, 0}, {0, 0}, 100, {50, -86.60254037844386}},
      {"downwards: left", {0, 0}, {0, 100}, 100, {-86.60254037844386, 50}},
      {"zero radius", {3, 4}, {10, 0}, 0, {0, 0}},
      {"single point", {7, 8}, {7, 8}, 5, {2, 8}},
      {"radius too short, level chord", {0, 0}, {100, 0}, 20, {50, 0}},
      {"radius too short, upright chord", {0, 0}, {0, 100}, 20, {0, 50}},
      {"radius too short, slanted chord", {0, 0}, {60, 80}, 20, {30, 40}},
  };
  for (const auto& c : cases)
    ExpectNear(ArcCenter(c.p1, c.p2, c.radius), c.centre, c.name);
}

TEST(Geometry, ArcCenterIsEquallyFarFromBothEnds) {
  const TFloatPoint p1{12, -7}, p2{95, 40};
  const TFloatPoint centre = ArcCenter(p1, p2, 70);
  EXPECT_NEAR(Distance(centre, p1), 70, 1e-9);
  EXPECT_NEAR(Distance(centre, p2), 70, 1e-9);
}

TEST(Geometry, IsOnArcTakesTheDistanceAndTheSideOfTheChord) {
  // Half circle of radius 50 around (50, 0) from (0, 0) to (100, 0).
  const TFloatPoint start{0, 0}, end{100, 0}, centre{50, 0};
  struct Case {
    const char* name;
    TFloatPoint p;
    double radius;
    bool onArc;
  } cases[] = {
      {"top of the arc", {50, -50}, 50, true},
      {"within half a unit", {50, -50.4}, 50, true},
      {"beyond half a unit", {50, -50.6}, 50, false},
      {"inside the circle", {50, -30}, 50, false},
      {"other side of the chord", {50, 50}, 50, false},
      {"negative radius takes the other side", {50, 50}, -50, true},
      {"negative radius leaves this side", {50, -50}, -50, false},
      {"start of the arc", {0, 0}, 50, true},
      {"end of the arc", {100, 0}, 50, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsOnArc(c.p, start, end, centre, c.radius), c.onArc) << c.name;
}

TEST(Geometry, PointsAreRoundedHalvesAwayFromZero) {
  struct Case {
    const char* name;
    TFloatPoint actual, expected;
  } cases[] = {
      {"along a level line", PointAlong({0, 0}, {100, 0}, 30), {30, 0}},
      {"along a slanted line", PointAlong({0, 0}, {30, 40}, 10), {6, 8}},
      {"along, past the end", PointAlong({0, 0}, {3, 4}, 10), {6, 8}},
      {"along, backwards", PointAlong({10, 10}, {20, 10}, -5), {5, 10}},
      {"along, halves rounded away", PointAlong({0, 0}, {-10, 0}, 2.5), {-3, 0}},
      {"along a line of one point", PointAlong({2.5, -2.5}, {2.5, -2.5}, 10), {3, -3}},
      {"offset square to the direction", OffsetPoint({5, 5}, {0, 0}, {10, 0}, 90, 10), {5, -5}},
      {"offset along a downward line", OffsetPoint({0, 0}, {0, 0}, {0, 10}, 0, 7), {0, 7}},
      {"offset backwards", OffsetPoint({0, 0}, {0, 0}, {10, 0}, 180, 4), {-4, 0}},
      {"rotate a quarter", RotatePoint({10, 0}, {0, 0}, 90), {0, -10}},
      {"rotate a quarter back", RotatePoint({10, 0}, {0, 0}, -90), {0, 10}},
      {"rotate about another centre", RotatePoint({20, 10}, {10, 10}, 180), {0, 10}},
      {"rotate onto a half", RotatePoint({5, 0}, {0, 0}, 60), {3, -4}},
      {"rotate onto a half blurred by noise", RotatePoint({-19, 0}, {0, 0}, -150), {16, -10}},
      {"middle", MidPoint({0, 0}, {5, -5}), {3, -3}},
      {"scale", ScalePoint({25, -35}, 10), {3, -4}},
  };
  for (const auto& c : cases)
    ExpectNear(c.actual, c.expected, c.name);
}

TEST(Geometry, ScaleZeroIsAnError) {
  EXPECT_THROW(ScalePoint({1, 1}, 0), Error);
}

TEST(Geometry, DistanceIsEuclidean) {
  EXPECT_DOUBLE_EQ(Distance({1, 2}, {4, -2}), 5);
}

TEST(Geometry, ArcRiseAndRadius) {
  struct Case {
    const char* name;
    double actual, expected;
  } cases[] = {
      {"rise", ArcRise(100, 160), 40},
      {"radius", ArcRadius(40, 160), 100},
      {"rise of a half circle", ArcRise(50, 100), 50},
      {"rise, chord longer than the diameter", ArcRise(50, 101), 0},
      {"rise, no chord", ArcRise(50, 0), 0},
      {"radius, no rise", ArcRadius(0, 100), 0},
      {"radius, negative rise", ArcRadius(-5, 100), 0},
      {"radius, no chord", ArcRadius(10, 0), 0},
      {"rise rounded to 8 decimals", ArcRise(1, 1), 0.1339746},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(c.actual, c.expected, 1e-12) << c.name;
}

TEST(Geometry, ArcRiseAndRadiusUndoEachOther) {
  const double rise = ArcRise(1234.5, 987.6);
  EXPECT_NEAR(ArcRadius(rise, 987.6), 1234.5, 1e-6);
}

}  // namespace
}  // namespace rxf
