// A position of an order: one window or door with one sash or two side by side. Both sash objects
// always exist; in a one-sash position Flugel2 stays empty.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/money.h"
#include "model/flugel.h"
#include "model/kit_choice.h"
#include "model/model_context.h"
#include "model/shape_params.h"

namespace rxf {

class TDM;
class TSpecStream;
class TrxfFurnComp;
class TrxfOrder;
class UiServices;

class TrxfConstruction {
 public:
  explicit TrxfConstruction(TrxfOrder* order = nullptr);
  TrxfConstruction(const TrxfConstruction&) = delete;
  TrxfConstruction& operator=(const TrxfConstruction&) = delete;

  // Builds the sash contours of a new position from its shape (mm) and gives them the backset.
  void SetShape(const TShapeParams& shape, std::int32_t dornType);
  // Whole mm: two sashes side by side add their widths.
  void GetSize(std::int32_t& width, std::int32_t& height) const;

  // Stores the position's fittings values and applies the two sashes' choices, leading sash
  // first, then prices the position. On failure the caller restores the position from a backup.
  void ApplyFurn(const TModelContext& context, std::string_view furnSys, std::string_view profSys,
                 std::string_view furnColor, std::int32_t falzType, std::int32_t stulpFalzType,
                 std::int32_t flugelType, float profWidth, float profThickness,
                 const TKitChoice& choice1, const TKitChoice& choice2);
  void PreviewKits(const TDM& dm, const TKitChoice& choice1, const TKitChoice& choice2);
  // 1 frees the kit of Flugel1, anything else that of Flugel2.
  void RemoveFurnComp(int n);
  // Price of one piece: the cost of both sashes' material lines, rebuilt.
  void RecalcPrice(const TDM& dm, const TActiveCurrency& currency);
  // Number x Price.
  Money GetCost() const;

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);
  // Copies source through a snapshot; Error "Ошибка копирования позиции!..." on failure.
  void Assign(const TrxfConstruction& source, UiServices& ui);
  void Backup(TSpecStream& stream) const;
  void Restore(TSpecStream& stream);

  // The kit walk of reports: the kit of Flugel1, then that of Flugel2 in a two-sash position.
  TrxfFurnComp* FirstFurnComp();
  TrxfFurnComp* NextFurnComp();
  // Appends the names of the main, handle, hinge, cylinder and closer kits of each sash that has
  // a kit ("" for a kit missing from the catalogue); lock and latch kits are not listed.
  void ListComplectNames(const TDM& dm, std::vector<std::string>& names) const;

  bool Included = true;
  std::string PosNo;
  std::string PosName;
  std::int32_t Number = 0;
  std::uint8_t ObjectType = 0;  // 0 window, 1 door with threshold
  std::string FurnSys;
  std::string ProfSys;
  std::string FurnColor;
  std::int32_t FalzType = 0;
  std::int32_t StulpFalzType = 0;
  std::int32_t FlugelType = 0;
  float ProfWidth = 0;
  float ProfThickness = 0;
  Money Price;
  std::vector<std::string> Note;
  std::uint8_t FlugelMode = 2;  // 2 one sash; 0 two, Flugel1 leading; 1 two, Flugel2 leading
  std::unique_ptr<TrxfFlugel> Flugel1;
  std::unique_ptr<TrxfFlugel> Flugel2;
  std::uint8_t KitCursor = 0;  // transient state of the kit walk, stored nowhere
  TrxfOrder* Order;            // owner, not owned
};

}  // namespace rxf
