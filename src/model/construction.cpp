#include "model/construction.h"

#include "catalogue/comp_lookups.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/numbers.h"
#include "foundation/spec_stream.h"
#include "foundation/text.h"
#include "foundation/version.h"
#include "model/furn_comp.h"

namespace rxf {

namespace {

constexpr std::string_view kDiscardedStringsBefore = "10.12.2009";
constexpr std::string_view kPositionBacksetBefore = "23.07.2019";

TShapeParams InTenths(const TShapeParams& mm) {
  TShapeParams tenths = mm;
  tenths.Width = MMToTenths(mm.Width);
  tenths.Height = MMToTenths(mm.Height);
  tenths.SizeX = MMToTenths(mm.SizeX);
  tenths.SizeY = MMToTenths(mm.SizeY);
  tenths.Radius = mm.Radius * 10;
  tenths.Radius2 = mm.Radius2 * 10;
  return tenths;
}

// Runs a step and turns its failure into the message of the operation.
template <typename Step>
void WithMessage(std::string_view message, Step&& step) {
  try {
    step();
  } catch (const Error& e) {
    throw Error(Format(message, std::string(e.what())));
  }
}

}  // namespace

TrxfConstruction::TrxfConstruction(TrxfOrder* order)
    : Flugel1(std::make_unique<TrxfFlugel>(this)),
      Flugel2(std::make_unique<TrxfFlugel>(this)),
      Order(order) {}

void TrxfConstruction::SetShape(const TShapeParams& shape, std::int32_t dornType) {
  const TShapeParams tenths = InTenths(shape);
  if (FlugelMode == 2) {
    Flugel1->BuildContour(tenths, 0);
    Flugel1->DornType = dornType;
    return;
  }
  TShapeParams left = tenths;
  left.Shape = 0;
  left.Width = tenths.SizeX;
  TShapeParams right = left;
  right.Width = tenths.SizeY;
  Flugel1->BuildContour(left, 0);
  Flugel2->BuildContour(right, tenths.SizeX);
  Flugel1->DornType = dornType;
  Flugel2->DornType = dornType;
}

void TrxfConstruction::GetSize(std::int32_t& width, std::int32_t& height) const {
  Flugel1->GetSize(width, height);
  if (FlugelMode == 2)
    return;
  std::int32_t rightWidth = 0, rightHeight = 0;
  Flugel2->GetSize(rightWidth, rightHeight);
  width += rightWidth;
}

void TrxfConstruction::Save(TSpecStream& stream) const {
  stream.WriteBoolean(Included);
  stream.WriteString(PosNo);
  stream.WriteString(PosName);
  stream.WriteInteger(Number);
  stream.WriteByte(ObjectType);
  stream.WriteString(FurnSys);
  stream.WriteString(ProfSys);
  stream.WriteString(FurnColor);
  stream.WriteInteger(FalzType);
  stream.WriteInteger(StulpFalzType);
  stream.WriteSingle(ProfWidth);
  stream.WriteSingle(ProfThickness);
  stream.WriteInteger(FlugelType);
  stream.WriteCurrency(Price);
  stream.WriteString(LinesToText(Note));
  stream.WriteByte(FlugelMode);
  Flugel1->Save(stream);
  Flugel2->Save(stream);
}

void TrxfConstruction::Load(TSpecStream& stream, std::string_view version) {
  Included = stream.ReadBoolean();
  PosNo = stream.ReadString();
  PosName = stream.ReadString();
  Number = stream.ReadInteger();
  ObjectType = stream.ReadByte();
  FurnSys = stream.ReadString();
  ProfSys = stream.ReadString();
  FurnColor = stream.ReadString();
  if (VersionOlder(version, kDiscardedStringsBefore)) {
    stream.ReadString();
    stream.ReadString();
  }
  FalzType = stream.ReadInteger();
  const bool positionBackset = VersionOlder(version, kPositionBacksetBefore);
  const std::int32_t backset = positionBackset ? stream.ReadInteger() : 0;
  StulpFalzType = stream.ReadInteger();
  ProfWidth = stream.ReadSingle();
  ProfThickness = stream.ReadSingle();
  FlugelType = stream.ReadInteger();
  Price = stream.ReadCurrency();
  Note = TextToLines(stream.ReadString());
  FlugelMode = stream.ReadByte();
  Flugel1->Load(stream, version);
  Flugel2->Load(stream, version);
  if (positionBackset) {
    Flugel1->DornType = backset;
    Flugel2->DornType = backset;
  }
}

void TrxfConstruction::Assign(const TrxfConstruction& source, UiServices& ui) {
  WithMessage("Ошибка копирования позиции!\r\n(%s)"_w, [&] {
    TSpecStream stream(ui);
    source.Save(stream);
    stream.Rewind();
    Load(stream, kOrderFileVersion);
  });
}

void TrxfConstruction::Backup(TSpecStream& stream) const {
  WithMessage("Ошибка создания резервной копии объекта!\r\n(%s)"_w, [&] { Save(stream); });
}

void TrxfConstruction::Restore(TSpecStream& stream) {
  WithMessage("Ошибка восстановления объекта из резервной копии!\r\n(%s)"_w, [&] {
    stream.Rewind();
    Load(stream, kOrderFileVersion);
  });
}

TrxfFurnComp* TrxfConstruction::FirstFurnComp() {
  KitCursor = FlugelMode != 2 ? 1 : 0;
  return Flugel1->FurnComp.get();
}

TrxfFurnComp* TrxfConstruction::NextFurnComp() {
  TrxfFurnComp* kit = FlugelMode != 2 && KitCursor == 1 ? Flugel2->FurnComp.get() : nullptr;
  KitCursor = 0;
  return kit;
}

void TrxfConstruction::ListComplectNames(const TDM& dm, std::vector<std::string>& names) const {
  for (const TrxfFlugel* sash : {Flugel1.get(), Flugel2.get()}) {
    if (!sash->FurnComp)
      continue;
    const TrxfFurnComp& kit = *sash->FurnComp;
    for (const std::string* id :
         {&kit.ComplectID, &kit.HandleID, &kit.HingeID, &kit.CylinderID, &kit.DriveID})
      if (!id->empty())
        names.push_back(FindCompName(dm, *id).value_or(""));
  }
}

}  // namespace rxf
