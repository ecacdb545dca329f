// The order's record and file: see doc/order-file.md.
#include <filesystem>

#include "documents/order.h"
#include "foundation/cp1251.h"
#include "foundation/format.h"
#include "foundation/spec_stream.h"
#include "foundation/text.h"
#include "foundation/version.h"

namespace rxf {

namespace {

// Files before this version hold two texts in place of the rebate, backset, T-sash and opening.
constexpr std::string_view kParameterIdsVersion = "10.12.2009";

constexpr std::string_view kLoadErrorBox = "Ошибка загрузки заказа!\r\n(%s)"_w;
constexpr std::string_view kSaveErrorBox = "Ошибка сохранения заказа!\r\n(%s)"_w;

constexpr std::size_t kTaggedSlot = 16;
constexpr std::size_t kTextSlot = 4;
// The smallest records: a currency item, and a position of empty texts and two empty sashes.
constexpr std::size_t kCurrencyRecordSize = 2 * kTaggedSlot;
constexpr std::size_t kPositionRecordSize = 6 * kTextSlot + 10 * kTaggedSlot + 2 * 4 * kTaggedSlot;

}  // namespace

void TrxfOrder::Save(TSpecStream& stream) const {
  stream.WriteString(kOrderSignature);
  stream.WriteString(Version);
  stream.WriteInteger(Reserved1);
  stream.WriteInteger(Reserved2);
  stream.WriteDate(TimeStamp1);
  stream.WriteDate(TimeStamp2);
  stream.WriteInteger(Reserved3);
  for (const std::string* text :
       {&OrderNo, &AltOrderNo, &Customer, &ObjectName, &Address, &Phones, &Remark})
    stream.WriteString(*text);
  stream.WriteDate(RegDate);
  stream.WriteBoolean(RegDateChecked);
  for (const std::string* text :
       {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
    stream.WriteString(*text);
  for (const std::int32_t value : {Falz, Dorn, StulpType, OpenType})
    stream.WriteInteger(value);
  stream.WriteInteger(PriceGroupNo);
  stream.WriteSingle(NDSTax);
  stream.WriteBoolean(GetTotalNDS);
  stream.WriteBoolean(ShowIncludingNDS);
  stream.WriteInteger(static_cast<std::int32_t>(Currencies.size()));
  for (const TrxfCurrencyItem& item : Currencies)
    item.Save(stream);
  stream.WriteInteger(Currency);
  stream.WriteString(LinesToText(Note));
  stream.WriteInteger(static_cast<std::int32_t>(positions_.size()));
  for (const auto& position : positions_)
    position->Save(stream);
}

bool TrxfOrder::PassVersionGates(UiServices& ui, bool& converted) const {
  if (Version == kOrderFileVersion)
    return true;
  if (VersionOlder(Version, kOrderFileVersion)) {
    converted = ui.AskConfirm(Format(
        "Необходимо конвертировать файл заказа!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s"_w,
        Version, kOrderFileVersion));
    return converted;
  }
  ui.ShowWarning(
      Format("Вы пытаетесь открыть заказ, созданный более новой версией программы, чем "
             "текущая.\r\nДанный модуль технолога поддерживает файлы заказа\r\nверсии не "
             "старше: %s!\r\nЗагружаемая версия: %s"_w,
             kOrderFileVersion, Version));
  return false;
}

void TrxfOrder::ReadHeader(TSpecStream& stream) {
  for (std::string* text :
       {&OrderNo, &AltOrderNo, &Customer, &ObjectName, &Address, &Phones, &Remark})
    *text = stream.ReadString();
  RegDate = stream.ReadDate();
  RegDateChecked = stream.ReadBoolean();
  for (std::string* text :
       {&ProfSys, &InnerProfColor, &OuterProfColor, &FurnSys, &FurnColor, &Handle})
    *text = stream.ReadString();
  if (VersionNotOlder(Version, kParameterIdsVersion)) {
    for (std::int32_t* value : {&Falz, &Dorn, &StulpType, &OpenType})
      *value = stream.ReadInteger();
  } else {
    stream.ReadString();
    stream.ReadString();
  }
  PriceGroupNo = stream.ReadInteger();
  NDSTax = stream.ReadSingle();
  GetTotalNDS = stream.ReadBoolean();
  ShowIncludingNDS = stream.ReadBoolean();
}

void TrxfOrder::ReadLists(TSpecStream& stream) {
  Currencies.clear();
  const std::int32_t currencyCount = stream.ReadCount(kCurrencyRecordSize);
  for (std::int32_t i = 0; i < currencyCount; ++i)
    Currencies.emplace_back().Load(stream, Version);
  Currency = stream.ReadInteger();
  Note = TextToLines(stream.ReadString());
  positions_.clear();
  const std::int32_t positionCount = stream.ReadCount(kPositionRecordSize);
  for (std::int32_t i = 0; i < positionCount; ++i) {
    auto position = std::make_unique<TrxfConstruction>(this);
    position->Load(stream, Version);
    positions_.push_back(std::move(position));
  }
}

TLoadOutcome TrxfOrder::ReadRecord(TSpecStream& stream, UiServices& ui) {
  stream.ReadString();  // the signature is not checked
  Version = stream.ReadString();
  Reserved1 = stream.ReadInteger();
  Reserved2 = stream.ReadInteger();
  TimeStamp1 = stream.ReadDate();
  TimeStamp2 = stream.ReadDate();
  Reserved3 = stream.ReadInteger();
  bool converted = false;
  if (!PassVersionGates(ui, converted))
    return TLoadOutcome::Stopped;
  ReadHeader(stream);
  ReadLists(stream);
  return converted ? TLoadOutcome::Converted : TLoadOutcome::Complete;
}

TLoadOutcome TrxfOrder::Load(TSpecStream& stream, UiServices& ui) {
  return LoadDocumentStream(stream, ui, kLoadErrorBox,
                            [&](TSpecStream& s) { return ReadRecord(s, ui); });
}

TLoadOutcome TrxfOrder::LoadFromFile(const std::filesystem::path& path, UiServices& ui) {
  return partial_.Load(path, ui, kLoadErrorBox,
                       [&](TSpecStream& stream) { return ReadRecord(stream, ui); });
}

bool TrxfOrder::SaveToFile(const std::filesystem::path& path, UiServices& ui) {
  return partial_.Save(path, ui, kSaveErrorBox, [&](TSpecStream& stream) {
    Version = kOrderFileVersion;
    Save(stream);
  });
}

}  // namespace rxf
