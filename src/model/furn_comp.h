// A fittings kit on a sash: the user's choice (systems, colour, one kit per kind, additional kits,
// properties, handle height) and the computed items in order.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/furn_item.h"
#include "model/kit_choice.h"
#include "model/model_context.h"

namespace rxf {

class TDM;
class TSpecStream;
class TrxfFlugel;

// Kinds of kit of a choice; additional kits count as the main kind.
enum TKitKind : int {
  kMainKit = 0,
  kHandleKit = 1,
  kHingeKit = 2,
  kLockKit = 3,
  kCylinderKit = 4,
  kDriveKit = 5,
  kLatchKit = 6,
};

class TrxfFurnComp {
 public:
  explicit TrxfFurnComp(TrxfFlugel* flugel) : Flugel(flugel) {}
  TrxfFurnComp(const TrxfFurnComp&) = delete;
  TrxfFurnComp& operator=(const TrxfFurnComp&) = delete;

  // Empties the choice; the pictures become -1.
  void Clear();
  void ClearItems() { Items.clear(); }
  // Index of the first item equal in all five values (length exactly), -1 when none.
  int FindItem(std::string_view article, std::string_view parentComplect, float length,
               std::int32_t sideNo, std::string_view comment) const;
  int FindArticle(std::string_view article) const;
  // Adds an article the calculation selected: ignored when empty, of count 0 or virtual in the
  // catalogue; with debugMode every call appends an item with its history, otherwise equal items
  // are merged by count and the history is dropped.
  void AddItem(const TDM& dm, std::string_view article, std::string_view parentComplect,
               std::string_view history, bool debugMode, float length, std::string_view comment,
               std::int32_t count, std::int32_t sideNo);

  // Stores the whole choice (the backset belongs to the sash) and recalculates.
  void SetChoice(const TModelContext& context, std::string_view furnSys, std::string_view profSys,
                 std::string_view furnColor, const TKitChoice& choice);
  // Stores only the kit IDs and handle values and writes the side roles, for drawing.
  void SetPreview(const TDM& dm, const TKitChoice& choice);
  void Recalculate(const TModelContext& context);
  // Derives the pictures and screen colours of the kits and writes the side roles of the sash
  // from the main kit's side table.
  void ApplySides(const TDM& dm);
  // A failed calculation leaves the item list empty and passes the error on.
  void Calculate(const TModelContext& context);

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  std::string FurnSys;
  std::string ProfSys;
  std::string FurnColor;
  std::string ComplectID;
  std::string HandleID;
  std::string HingeID;
  std::string LockID;
  std::string CylinderID;
  std::string DriveID;
  std::string LatchID;
  std::int32_t ComplectImage = 0;
  std::int32_t HandleImage = 0;
  std::int32_t HingeImage = 0;
  std::int32_t DriveImage = 0;
  std::int32_t SpareImage = 0;
  std::int32_t HandleColor = 0;
  std::int32_t HingeColor = 0;
  std::int32_t DriveColor = 0;
  std::int32_t SpareColor = 0;
  std::int32_t HandleHeight = 0;  // mm, typed by the user
  bool UserDefineHeight = false;
  std::vector<std::string> Properties;    // "kind=SysProp.ID"
  std::vector<std::string> AddComplects;  // additional kit IDs
  std::vector<std::unique_ptr<TrxfFurnItem>> Items;
  TrxfFlugel* Flugel;  // owner, not owned
};

}  // namespace rxf
