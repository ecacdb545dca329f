// Plane geometry of contours and arcs.
// The plane is screen-oriented: y grows downwards, so "counter-clockwise" is counter-clockwise as
// seen on screen and a direction of 90 degrees points up. Angles are in degrees; the routines do
// not care about the model unit. Routines documented as rounding return whole-unit coordinates,
// halves away from zero.
#pragma once

namespace rxf {

struct TFloatPoint {
  double X = 0;
  double Y = 0;

  friend bool operator==(const TFloatPoint&, const TFloatPoint&) = default;
};

// Direction of the line from p to q in [0, 360): right 0, up 90, left 180, down 270; 0 when p == q.
double LineDirection(TFloatPoint p, TFloatPoint q);

// The angle at b between b->a and b->c, in [0, 360]: the interior angle of a clockwise contour
// (90 at rectangle corners). -1 when a == b or b == c.
double VertexAngle(TFloatPoint a, TFloatPoint b, TFloatPoint c);

// Centre of the arc of the given radius through p1 and p2, lying on the right-hand side of p1->p2.
// Radius 0 gives (0, 0); p1 == p2 gives the point radius units left of p2. A radius too short to
// span the chord gives the chord's middle.
TFloatPoint ArcCenter(TFloatPoint p1, TFloatPoint p2, double radius);

// Whether p lies (within half a unit) on the arc from start to end around centre; the sign of the
// radius chooses the side of the chord start->end the arc runs on.
bool IsOnArc(TFloatPoint p, TFloatPoint start, TFloatPoint end, TFloatPoint centre, double radius);

// The point distance units from p1 towards p2, rounded; p1 rounded when p1 == p2.
TFloatPoint PointAlong(TFloatPoint p1, TFloatPoint p2, double distance);

// base moved distance units in the direction of a->b turned counter-clockwise by angle; rounded.
TFloatPoint OffsetPoint(TFloatPoint base, TFloatPoint a, TFloatPoint b, double angle,
                        double distance);

// p turned about centre by angle (positive: counter-clockwise on screen); rounded.
TFloatPoint RotatePoint(TFloatPoint p, TFloatPoint centre, double angle);

// The middle of p and q, rounded.
TFloatPoint MidPoint(TFloatPoint p, TFloatPoint q);

double Distance(TFloatPoint p, TFloatPoint q);

// p divided by scale, rounded. Raises Error for a zero scale.
TFloatPoint ScalePoint(TFloatPoint p, double scale);

// Height of the arc of the given radius over the chord; 0 when the chord is not positive or longer
// than the diameter. Rounded to 8 decimals.
double ArcRise(double radius, double chord);

// Radius of the arc of the given rise over the chord; 0 unless both are positive.
// Rounded to 8 decimals.
double ArcRadius(double rise, double chord);

}  // namespace rxf
