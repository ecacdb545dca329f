#include "model/flugel.h"

#include <cmath>

#include "foundation/numbers.h"
#include "foundation/spec_stream.h"
#include "foundation/version.h"
#include "model/construction.h"
#include "model/furn_comp.h"
#include "model/length_formula.h"
#include "model/mat_list_item.h"

namespace rxf {

namespace {

constexpr std::string_view kSashBacksetVersion = "23.07.2019";

// Least sizes of the records that follow a count: tagged slots take 16 bytes, texts at least 4.
constexpr std::size_t kPointRecordSize = 2 * 16;
constexpr std::size_t kLineRecordSize = 12 * 16;
constexpr std::size_t kMatLineRecordSize = 4 + 6 * 16;

// Tolerance of the bounding box: a vertex must pass an extreme by more than this.
constexpr double kBoxTolerance = 0.01;

TFloatPoint AsFloat(const TrxfPoint& p) {
  return {static_cast<double>(p.X), static_cast<double>(p.Y)};
}

TFloatPoint Center(const TrxfLine& line) {
  return {line.CenterX, line.CenterY};
}

// The extreme points of a contour; each keeps both its coordinates, as drawing needs.
struct Extremes {
  TFloatPoint left, top, right, bottom;

  explicit Extremes(TFloatPoint first) : left(first), top(first), right(first), bottom(first) {}

  void Take(TFloatPoint p) {
    if (p.X < left.X - kBoxTolerance)
      left = p;
    if (p.Y < top.Y - kBoxTolerance)
      top = p;
    if (p.X > right.X + kBoxTolerance)
      right = p;
    if (p.Y > bottom.Y + kBoxTolerance)
      bottom = p;
  }
};

// The angle at a vertex against an arc's centre turned into the angle against its tangent.
double TangentAngle(double angle) {
  return angle <= 180 ? angle + 90 : angle - 270;
}

}  // namespace

TrxfFlugel::TrxfFlugel(TrxfConstruction* construction) : Construction(construction) {}

TrxfFlugel::~TrxfFlugel() = default;

TrxfFlugel::Box TrxfFlugel::BoundingBox() const {
  if (Points.empty())
    return {0, 0, 0, 0};
  Extremes extremes(AsFloat(*Points.front()));
  for (std::size_t i = 1; i < Points.size(); ++i)
    extremes.Take(AsFloat(*Points[i]));
  for (const auto& line : Lines) {
    const double r = line->Radius;
    if (r == 0 || !line->StartPoint || !line->EndPoint)
      continue;
    const TFloatPoint c = Center(*line);
    const TFloatPoint around[] = {{c.X - r, c.Y}, {c.X, c.Y - r}, {c.X + r, c.Y}, {c.X, c.Y + r}};
    for (const TFloatPoint& p : around)
      if (IsOnArc(p, AsFloat(*line->StartPoint), AsFloat(*line->EndPoint), c, r))
        extremes.Take(p);
  }
  return {static_cast<double>(LowerInt4(extremes.left.X)),
          static_cast<double>(LowerInt4(extremes.top.Y)),
          static_cast<double>(CeilInt4(extremes.right.X)),
          static_cast<double>(CeilInt4(extremes.bottom.Y))};
}

void TrxfFlugel::GetSize(std::int32_t& width, std::int32_t& height) const {
  const Box box = BoundingBox();
  width = TenthsToMMInt(std::fabs(box.Right - box.Left));
  height = TenthsToMMInt(std::fabs(box.Bottom - box.Top));
}

void TrxfFlugel::GetBounds(TIntPoint& topLeft, TIntPoint& bottomRight) const {
  const Box box = BoundingBox();
  topLeft = {static_cast<std::int32_t>(box.Left / 10), static_cast<std::int32_t>(box.Top / 10)};
  bottomRight = {static_cast<std::int32_t>(box.Right / 10),
                 static_cast<std::int32_t>(box.Bottom / 10)};
}

double TrxfFlugel::GetAngle(std::size_t index) const {
  if (index >= Lines.size())
    return 0;
  const TrxfLine& line = *Lines[index];
  const TrxfLine& previous = *PrevLine(&line);
  if (!line.StartPoint || !line.EndPoint || !previous.StartPoint)
    return 0;
  const TFloatPoint a = AsFloat(*previous.StartPoint);
  const TFloatPoint b = AsFloat(*line.StartPoint);
  const TFloatPoint c = AsFloat(*line.EndPoint);
  if (line.Radius == 0 && previous.Radius == 0)
    return VertexAngle(a, b, c);
  const double own = line.Radius > 0 ? TangentAngle(VertexAngle(a, b, Center(line))) : 0;
  const double before = previous.Radius > 0 ? TangentAngle(VertexAngle(Center(previous), b, c)) : 0;
  return own + before;
}

TrxfLine* TrxfFlugel::PrevLine(const TrxfLine* line) const {
  for (std::size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i].get() == line)
      return Lines[i == 0 ? Lines.size() - 1 : i - 1].get();
  return nullptr;
}

int TrxfFlugel::HandleLineIndex() const {
  for (std::size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i]->Handled)
      return static_cast<int>(i);
  return -1;
}

int TrxfFlugel::BandedLineIndex() const {
  for (std::size_t i = 0; i < Lines.size(); ++i)
    if (Lines[i]->Banded)
      return static_cast<int>(i);
  return -1;
}

std::int32_t TrxfFlugel::GetHandleHeight() const {
  const int index = HandleLineIndex();
  return index < 0 ? 0 : Lines[static_cast<std::size_t>(index)]->HandleHeight;
}

TrxfFlugel& TrxfFlugel::OtherFlugel() const {
  return this == Construction->Flugel1.get() ? *Construction->Flugel2 : *Construction->Flugel1;
}

double TrxfFlugel::CalcLength(std::string_view formula) const {
  return EvaluateLengthFormula(*this, formula);
}

void TrxfFlugel::BuildContour(const TShapeParams& s, std::int32_t o) {
  const std::int32_t w = s.Width, h = s.Height, x = s.SizeX;
  std::vector<TIntPoint> vertices;
  bool arcOnTop = true;
  switch (s.Shape) {
    case 3:
      vertices = {{o, h}, {o, h - x}, {o + w, 0}, {o + w, h}};
      arcOnTop = false;
      break;
    case 4:
      vertices = {{o, h}, {o, 0}, {o + w, h - x}, {o + w, h}};
      arcOnTop = false;
      break;
    case 5:
      vertices = {{o, h}, {o + w, 0}, {o + w, h}};
      arcOnTop = false;
      break;
    case 6:
      vertices = {{o, h}, {o, 0}, {o + w, h}};
      arcOnTop = false;
      break;
    case 7:
      vertices = {{o, h}, {o, x}, {o + w, x}, {o + w, h}};
      break;
    default:
      vertices = {{o, h}, {o, 0}, {o + w, 0}, {o + w, h}};
      break;
  }
  for (std::size_t i = 0; i < vertices.size(); ++i) {
    Points.push_back(std::make_unique<TrxfPoint>(this, vertices[i].X, vertices[i].Y));
    auto line = std::make_unique<TrxfLine>(this);
    if (arcOnTop && i == 1) {
      line->Radius = s.Radius;
      line->Radius2 = s.Radius2;
    }
    Lines.push_back(std::move(line));
  }
  LinkLines();
  for (auto& line : Lines)
    line->CalcCenter();
}

void TrxfFlugel::LinkLines() {
  for (std::size_t i = 0; i < Lines.size() && i < Points.size(); ++i) {
    Lines[i]->StartPoint = Points[i].get();
    Lines[i]->EndPoint = Points[(i + 1) % Points.size()].get();
  }
}

void TrxfFlugel::ClearMatList() {
  MatList.clear();
}

void TrxfFlugel::Save(TSpecStream& stream) const {
  stream.WriteInteger(static_cast<std::int32_t>(Points.size()));
  for (const auto& point : Points)
    point->Save(stream);
  stream.WriteInteger(static_cast<std::int32_t>(Lines.size()));
  for (const auto& line : Lines)
    line->Save(stream);
  stream.WriteInteger(DornType);
  stream.WriteBoolean(FurnComp != nullptr);
  if (FurnComp)
    FurnComp->Save(stream);
  stream.WriteInteger(static_cast<std::int32_t>(MatList.size()));
  for (const auto& item : MatList)
    item->Save(stream);
}

void TrxfFlugel::Load(TSpecStream& stream, std::string_view version) {
  ClearPoints();
  const std::int32_t pointCount = stream.ReadCount(kPointRecordSize);
  for (std::int32_t i = 0; i < pointCount; ++i) {
    Points.push_back(std::make_unique<TrxfPoint>(this));
    Points.back()->Load(stream, version);
  }
  ClearLines();
  const std::int32_t lineCount = stream.ReadCount(kLineRecordSize);
  for (std::int32_t i = 0; i < lineCount; ++i) {
    Lines.push_back(std::make_unique<TrxfLine>(this));
    Lines.back()->Load(stream, version);
  }
  LinkLines();
  if (VersionNotOlder(version, kSashBacksetVersion))
    DornType = stream.ReadInteger();
  if (stream.ReadBoolean()) {
    FurnComp = std::make_unique<TrxfFurnComp>(this);
    FurnComp->Load(stream, version);
  } else {
    FurnComp.reset();
  }
  ClearMatList();
  const std::int32_t lineItems = stream.ReadCount(kMatLineRecordSize);
  for (std::int32_t i = 0; i < lineItems; ++i) {
    MatList.push_back(std::make_unique<TrxfMatListItem>());
    MatList.back()->Load(stream, version);
  }
}

}  // namespace rxf
