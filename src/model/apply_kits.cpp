// Applying a fittings choice to a position: storing it in the sashes' kits, writing the side
// roles from the main kit, calculating, keeping both sashes on one system, and pricing.
#include "catalogue/comp_lookups.h"
#include "catalogue/data_module.h"
#include "catalogue/table_filter.h"
#include "foundation/numbers.h"
#include "model/construction.h"
#include "model/flugel.h"
#include "model/furn_comp.h"
#include "model/mat_list_item.h"

namespace rxf {

namespace {

// The hinge picture of a sash whose hinges come with the main kit.
constexpr std::int32_t kMainKitHingeImage = 20;

void ResetSideRoles(TrxfFlugel& flugel, bool clearHandleHeight) {
  for (auto& line : flugel.Lines) {
    line->OpenMark = false;
    line->OpenTarget = -1;
    line->Handled = line->Banded = line->Drived = false;
    if (clearHandleHeight)
      line->HandleHeight = 0;
  }
}

bool HasNoKits(const TrxfFurnComp& kit) {
  for (const std::string* id : {&kit.ComplectID, &kit.HandleID, &kit.HingeID, &kit.LockID,
                                &kit.CylinderID, &kit.DriveID, &kit.LatchID})
    if (!id->empty())
      return false;
  return kit.AddComplects.empty();
}

void StoreKitIDs(TrxfFurnComp& kit, const TKitChoice& choice) {
  kit.ComplectID = choice.ComplectID;
  kit.HandleID = choice.HandleID;
  kit.HingeID = choice.HingeID;
  kit.LockID = choice.LockID;
  kit.CylinderID = choice.CylinderID;
  kit.DriveID = choice.DriveID;
  kit.LatchID = choice.LatchID;
  kit.HandleHeight = choice.HandleHeight;
  kit.UserDefineHeight = choice.UserDefineHeight;
}

bool IsHandlePicture(std::int32_t image) {
  return image >= 1 && image <= 5;
}

}  // namespace

void TrxfFurnComp::SetChoice(const TModelContext& context, std::string_view furnSys,
                             std::string_view profSys, std::string_view furnColor,
                             const TKitChoice& choice) {
  FurnSys = furnSys;
  ProfSys = profSys;
  FurnColor = furnColor;
  StoreKitIDs(*this, choice);
  AddComplects = choice.AddComplects;
  Properties = choice.Properties;
  Recalculate(context);
}

void TrxfFurnComp::SetPreview(const TDM& dm, const TKitChoice& choice) {
  StoreKitIDs(*this, choice);
  ApplySides(dm);
}

void TrxfFurnComp::Recalculate(const TModelContext& context) {
  ApplySides(context.Catalogue);
  Calculate(context);
}

void TrxfFurnComp::ApplySides(const TDM& dm) {
  if (HasNoKits(*this)) {
    Clear();
    return;
  }
  HandleColor = GetCompScrColor(dm, HandleID);
  DriveColor = GetCompScrColor(dm, DriveID);
  ComplectImage = GetCompImage(dm, ComplectID);
  HandleImage = GetCompImage(dm, HandleID);
  DriveImage = GetCompImage(dm, DriveID);
  HingeColor = GetCompScrColor(dm, HingeID.empty() ? ComplectID : HingeID);
  HingeImage = HingeID.empty() ? kMainKitHingeImage : GetCompImage(dm, HingeID);
  if (!Flugel)
    return;
  if (ComplectID.empty()) {
    ResetSideRoles(*Flugel, true);
    return;
  }
  const TableView& sides = dm.T_FrnSide();
  const MemoryTable& table = sides.Table();
  for (const RowIndex row : sides.Query("ID=" + QuotedText(ComplectID))) {
    const RowRef side(table, row);
    const std::int64_t index = side.Integer("Side") - 1;
    if (index < 0 || index >= static_cast<std::int64_t>(Flugel->Points.size()) ||
        index >= static_cast<std::int64_t>(Flugel->Lines.size()))
      continue;
    TrxfLine& line = *Flugel->Lines[static_cast<std::size_t>(index)];
    line.OpenMark = side.Integer("OpenMode") == 1;
    if (line.OpenMark)
      line.OpenTarget = static_cast<std::int32_t>(side.Integer("RotSide") - 1);
    line.Handled =
        side.Integer("Handled") == 1 && (!HandleID.empty() || IsHandlePicture(ComplectImage));
    if (line.Handled) {
      const std::int32_t direct = GetSideHandleDirect(dm, ComplectID, static_cast<int>(index) + 1);
      line.SetHandle(UserDefineHeight ? HandleHeight : RoundHalfAway(line.Length() / 2.0), direct);
    } else {
      line.HandleHeight = 0;
    }
    line.Banded = side.Integer("Banded") == 1;
    line.Drived = side.Integer("Drived") == 1;
  }
}

void TrxfFurnComp::Calculate(const TModelContext& context) {
  ClearItems();
  try {
    context.Calculator.CalcFurnComp(*this);
  } catch (...) {
    ClearItems();
    throw;
  }
}

void TrxfFlugel::SetFurnComp(const TModelContext& context, std::string_view furnSys,
                             std::string_view profSys, std::string_view furnColor,
                             const TKitChoice& choice) {
  if (choice.NoKitIDs() && choice.AddComplects.empty()) {
    ClearFurnComp();
    return;
  }
  const bool created = !FurnComp;
  if (created)
    FurnComp = std::make_unique<TrxfFurnComp>(this);
  DornType = choice.DornType;
  try {
    FurnComp->SetChoice(context, furnSys, profSys, furnColor, choice);
    SyncOtherFlugel();
  } catch (...) {
    if (created)
      ClearFurnComp();
    throw;
  }
}

void TrxfFlugel::PreviewKit(const TDM& dm, const TKitChoice& choice) {
  if (choice.NoKitIDs()) {
    ClearFurnComp();
    return;
  }
  const bool created = !FurnComp;
  if (created)
    FurnComp = std::make_unique<TrxfFurnComp>(this);
  try {
    FurnComp->SetPreview(dm, choice);
  } catch (...) {
    if (created)
      FurnComp.reset();
    throw;
  }
}

void TrxfFlugel::ClearFurnComp() {
  if (FurnComp) {
    FurnComp.reset();
    ResetSideRoles(*this, false);
  }
  SyncOtherFlugel();
}

void TrxfFlugel::SyncOtherFlugel() {
  if (!Construction || Construction->FlugelMode == 2)
    return;
  TrxfFlugel& follower =
      Construction->FlugelMode == 1 ? *Construction->Flugel1 : *Construction->Flugel2;
  if (follower.FurnComp && (!FurnComp || FurnComp->FurnSys != follower.FurnComp->FurnSys))
    follower.ClearFurnComp();
}

void TrxfFlugel::RebuildMatList(const TDM& dm, const TActiveCurrency& currency) {
  ClearMatList();
  if (!FurnComp)
    return;
  for (const auto& item : FurnComp->Items)
    MatList.push_back(MakeMatLine(dm, currency, item->Article, item->Count, item->Length));
}

Money TrxfFlugel::MatListCost() const {
  Money cost;
  for (const auto& line : MatList)
    cost += line->Cost;
  return cost;
}

void TrxfConstruction::ApplyFurn(const TModelContext& context, std::string_view furnSys,
                                 std::string_view profSys, std::string_view furnColor,
                                 std::int32_t falzType, std::int32_t stulpFalzType,
                                 std::int32_t flugelType, float profWidth, float profThickness,
                                 const TKitChoice& choice1, const TKitChoice& choice2) {
  FurnSys = furnSys;
  ProfSys = profSys;
  FurnColor = furnColor;
  FalzType = falzType;
  StulpFalzType = stulpFalzType;
  FlugelType = flugelType;
  ProfWidth = profWidth;
  ProfThickness = profThickness;
  const auto apply = [&](TrxfFlugel& sash, const TKitChoice& choice) {
    sash.SetFurnComp(context, FurnSys, ProfSys, FurnColor, choice);
  };
  if (FlugelMode == 2) {
    apply(*Flugel1, choice1);
    RemoveFurnComp(2);
  } else if (FlugelMode == 1) {
    apply(*Flugel2, choice2);
    apply(*Flugel1, choice1);
  } else {
    apply(*Flugel1, choice1);
    apply(*Flugel2, choice2);
  }
  RecalcPrice(context.Catalogue, context.Currency);
}

void TrxfConstruction::PreviewKits(const TDM& dm, const TKitChoice& choice1,
                                   const TKitChoice& choice2) {
  Flugel1->PreviewKit(dm, choice1);
  if (FlugelMode == 2)
    RemoveFurnComp(2);
  else
    Flugel2->PreviewKit(dm, choice2);
}

void TrxfConstruction::RemoveFurnComp(int n) {
  (n == 1 ? Flugel1 : Flugel2)->FurnComp.reset();
}

void TrxfConstruction::RecalcPrice(const TDM& dm, const TActiveCurrency& currency) {
  Price = Money();
  for (TrxfFlugel* sash : {Flugel1.get(), Flugel2.get()}) {
    sash->RebuildMatList(dm, currency);
    Price += sash->MatListCost();
  }
}

Money TrxfConstruction::GetCost() const {
  return ExactAmount(Price).Times(std::int64_t{Number}).Round();
}

}  // namespace rxf
