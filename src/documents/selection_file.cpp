// The selection's record and file: see doc/selection-file.md.
#include <filesystem>

#include "documents/order_selection.h"
#include "foundation/cp1251.h"
#include "foundation/format.h"
#include "foundation/spec_stream.h"
#include "foundation/text.h"
#include "foundation/version.h"

namespace rxf {

namespace {

constexpr std::string_view kLoadErrorBox = "Ошибка загрузки выборки!\r\n(%s)"_w;
constexpr std::string_view kSaveErrorBox = "Ошибка сохранения выборки!\r\n(%s)"_w;

constexpr std::size_t kTaggedSlot = 16;
constexpr std::size_t kTextSlot = 4;
constexpr std::size_t kCurrencyRecordSize = 2 * kTaggedSlot;
constexpr std::size_t kItemRecordSize = 4 * kTextSlot + 4 * kTaggedSlot;

}  // namespace

void TrxfOrderSelectionItem::Save(TSpecStream& stream) const {
  stream.WriteBoolean(Included);
  stream.WriteString(OrderNo);
  stream.WriteString(PosNo);
  stream.WriteSingle(Width);
  stream.WriteSingle(Height);
  stream.WriteInteger(Count);
  stream.WriteString(ProductName);
  stream.WriteString(OrderFile);
}

void TrxfOrderSelectionItem::Load(TSpecStream& stream) {
  Included = stream.ReadBoolean();
  OrderNo = stream.ReadString();
  PosNo = stream.ReadString();
  Width = stream.ReadSingle();
  Height = stream.ReadSingle();
  Count = stream.ReadInteger();
  ProductName = stream.ReadString();
  OrderFile = stream.ReadString();
}

void TrxfOrderSelection::Save(TSpecStream& stream) const {
  stream.WriteString(kSelectionSignature);
  stream.WriteString(Version);
  stream.WriteInteger(Reserved1);
  stream.WriteInteger(Reserved2);
  stream.WriteDate(TimeStamp1);
  stream.WriteDate(TimeStamp2);
  stream.WriteInteger(Reserved3);
  stream.WriteString(SelectionNo);
  stream.WriteDate(RegDate);
  stream.WriteString(Name);
  stream.WriteInteger(static_cast<std::int32_t>(Currencies.size()));
  for (const TrxfCurrencyItem& item : Currencies)
    item.Save(stream);
  stream.WriteInteger(Currency);
  stream.WriteInteger(PriceGroupNo);
  stream.WriteSingle(NDSTax);
  stream.WriteByte(RoundMode);
  stream.WriteString(LinesToText(Note));
  stream.WriteInteger(static_cast<std::int32_t>(items_.size()));
  for (const auto& item : items_)
    item->Save(stream);
}

bool TrxfOrderSelection::PassVersionGates(UiServices& ui, bool& converted) const {
  if (Version == kSelectionFileVersion)
    return true;
  if (VersionOlder(Version, kSelectionFileVersion)) {
    converted = ui.AskConfirm(Format(
        "Необходимо конвертировать файл выборки!\r\nЗагружаемая версия: %s\r\nТекущая версия: %s"_w,
        Version, kSelectionFileVersion));
    return converted;
  }
  ui.ShowWarning(
      Format("Вы пытаетесь открыть выборку, созданную более новой версией программы, чем "
             "текущая.\r\nДанный модуль поддерживает файлы выборки\r\nверсии не старше: "
             "%s!\r\nЗагружаемая версия: %s"_w,
             kSelectionFileVersion, Version));
  return false;
}

TLoadOutcome TrxfOrderSelection::ReadRecord(TSpecStream& stream, UiServices& ui) {
  if (stream.ReadString() != kSelectionSignature) {
    ui.ShowError("Данный файл не является файлом Korvat Tessarin!"_w);
    return TLoadOutcome::Stopped;
  }
  Version = stream.ReadString();
  bool converted = false;
  if (!PassVersionGates(ui, converted))
    return TLoadOutcome::Stopped;
  Reserved1 = stream.ReadInteger();
  Reserved2 = stream.ReadInteger();
  TimeStamp1 = stream.ReadDate();
  TimeStamp2 = stream.ReadDate();
  Reserved3 = stream.ReadInteger();
  SelectionNo = stream.ReadString();
  RegDate = stream.ReadDate();
  Name = stream.ReadString();
  Currencies.clear();
  const std::int32_t currencyCount = stream.ReadCount(kCurrencyRecordSize);
  for (std::int32_t i = 0; i < currencyCount; ++i)
    Currencies.emplace_back().Load(stream, Version);
  Currency = stream.ReadInteger();
  PriceGroupNo = stream.ReadInteger();
  NDSTax = stream.ReadSingle();
  RoundMode = stream.ReadByte();
  Note = TextToLines(stream.ReadString());
  items_.clear();
  const std::int32_t itemCount = stream.ReadCount(kItemRecordSize);
  for (std::int32_t i = 0; i < itemCount; ++i) {
    auto item = std::make_unique<TrxfOrderSelectionItem>(this);
    item->Load(stream);
    items_.push_back(std::move(item));
  }
  return converted ? TLoadOutcome::Converted : TLoadOutcome::Complete;
}

TLoadOutcome TrxfOrderSelection::Load(TSpecStream& stream, UiServices& ui) {
  return LoadDocumentStream(stream, ui, kLoadErrorBox,
                            [&](TSpecStream& s) { return ReadRecord(s, ui); });
}

TLoadOutcome TrxfOrderSelection::LoadFromFile(const std::filesystem::path& path, UiServices& ui) {
  return partial_.Load(path, ui, kLoadErrorBox,
                       [&](TSpecStream& stream) { return ReadRecord(stream, ui); });
}

bool TrxfOrderSelection::SaveToFile(const std::filesystem::path& path, UiServices& ui) {
  return partial_.Save(path, ui, kSaveErrorBox, [&](TSpecStream& stream) {
    Version = kSelectionFileVersion;
    Save(stream);
  });
}

}  // namespace rxf
