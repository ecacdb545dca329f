// A sash: a closed contour of vertices and sides (clockwise on the screen), its backset, at most
// one fittings kit and the material lines derived from the kit. Catalogue side n is side n - 1.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "foundation/money.h"
#include "model/kit_choice.h"
#include "model/line.h"
#include "model/model_context.h"
#include "model/point.h"
#include "model/shape_params.h"

namespace rxf {

class TSpecStream;
class TrxfConstruction;
class TrxfFurnComp;
class TrxfMatListItem;

struct TIntPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
  bool operator==(const TIntPoint&) const = default;
};

class TrxfFlugel {
 public:
  explicit TrxfFlugel(TrxfConstruction* construction);
  ~TrxfFlugel();
  TrxfFlugel(const TrxfFlugel&) = delete;
  TrxfFlugel& operator=(const TrxfFlugel&) = delete;

  // Rebate width and height in whole mm, arcs included.
  void GetSize(std::int32_t& width, std::int32_t& height) const;
  // Corners of the bounding box in whole mm (truncated), for drawing.
  void GetBounds(TIntPoint& topLeft, TIntPoint& bottomRight) const;
  // Angle in degrees at the start vertex of side index; against an arc, its tangent counts.
  double GetAngle(std::size_t index) const;
  TrxfLine* PrevLine(const TrxfLine* line) const;
  int HandleLineIndex() const;
  int BandedLineIndex() const;
  std::int32_t GetHandleHeight() const;
  TrxfFlugel& OtherFlugel() const;
  // Value of a length formula of the catalogue (mm); raises Error for a malformed formula.
  double CalcLength(std::string_view formula) const;
  // Appends the vertices and sides of a shape (values in 0.1 mm) to an empty sash.
  void BuildContour(const TShapeParams& shape, std::int32_t offsetX);

  // Applies a choice and calculates; a kit created here is removed again when that fails.
  void SetFurnComp(const TModelContext& context, std::string_view furnSys, std::string_view profSys,
                   std::string_view furnColor, const TKitChoice& choice);
  // Applies the kit IDs for drawing only: no calculation, no synchronisation.
  void PreviewKit(const TDM& dm, const TKitChoice& choice);
  // Frees the kit and resets the side roles, then keeps the other sash on one system.
  void ClearFurnComp();
  // Removes the follower sash's kit when it is on another fittings system than this sash's.
  void SyncOtherFlugel();
  // One material line per kit item, priced in the active currency.
  void RebuildMatList(const TDM& dm, const TActiveCurrency& currency);
  Money MatListCost() const;

  void ClearPoints() { Points.clear(); }
  void ClearLines() { Lines.clear(); }
  void ClearMatList();

  void Save(TSpecStream& stream) const;
  // Returns nothing; the owning position hands older files' backset to both sashes afterwards.
  void Load(TSpecStream& stream, std::string_view version);

  std::vector<std::unique_ptr<TrxfPoint>> Points;
  std::vector<std::unique_ptr<TrxfLine>> Lines;
  TrxfConstruction* Construction;  // owner, not owned
  std::int32_t DornType = 0;
  std::unique_ptr<TrxfFurnComp> FurnComp;
  std::vector<std::unique_ptr<TrxfMatListItem>> MatList;

 private:
  struct Box {
    double Left, Top, Right, Bottom;
  };
  Box BoundingBox() const;
  void LinkLines();
};

}  // namespace rxf
