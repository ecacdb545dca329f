#include "model/furn_comp.h"

#include "catalogue/catalog_lookups.h"
#include "foundation/spec_stream.h"
#include "foundation/text.h"

namespace rxf {

namespace {

// Least size of an item record: its article text, length and count.
constexpr std::size_t kItemRecordSize = 4 + 2 * 16;

}  // namespace

void TrxfFurnComp::Clear() {
  for (std::string* text : {&FurnSys, &ProfSys, &FurnColor, &ComplectID, &HandleID, &HingeID,
                            &LockID, &CylinderID, &DriveID, &LatchID})
    text->clear();
  HandleHeight = 0;
  UserDefineHeight = false;
  HandleColor = HingeColor = DriveColor = SpareColor = 0;
  ComplectImage = HandleImage = HingeImage = DriveImage = SpareImage = -1;
  Properties.clear();
  AddComplects.clear();
  ClearItems();
}

int TrxfFurnComp::FindItem(std::string_view article, std::string_view parentComplect, float length,
                           std::int32_t sideNo, std::string_view comment) const {
  for (std::size_t i = 0; i < Items.size(); ++i) {
    const TrxfFurnItem& item = *Items[i];
    if (item.Article == article && item.ParentComplect == parentComplect && item.Length == length &&
        item.SideNo == sideNo && item.Comment == comment)
      return static_cast<int>(i);
  }
  return -1;
}

int TrxfFurnComp::FindArticle(std::string_view article) const {
  for (std::size_t i = 0; i < Items.size(); ++i)
    if (Items[i]->Article == article)
      return static_cast<int>(i);
  return -1;
}

void TrxfFurnComp::AddItem(const TDM& dm, std::string_view article, std::string_view parentComplect,
                           std::string_view history, bool debugMode, float length,
                           std::string_view comment, std::int32_t count, std::int32_t sideNo) {
  if (article.empty() || count == 0 || IsVirtualArticle(dm, article))
    return;
  if (!debugMode) {
    const int found = FindItem(article, parentComplect, length, sideNo, comment);
    if (found >= 0) {
      Items[static_cast<std::size_t>(found)]->AddCount(count);
      return;
    }
  }
  auto item = std::make_unique<TrxfFurnItem>(this);
  item->SetValues(article, parentComplect, debugMode ? history : "", length, comment, count,
                  sideNo);
  Items.push_back(std::move(item));
}

void TrxfFurnComp::Save(TSpecStream& stream) const {
  for (const std::string* text : {&FurnSys, &ProfSys, &FurnColor, &ComplectID, &HingeID, &HandleID})
    stream.WriteString(*text);
  stream.WriteInteger(HandleHeight);
  stream.WriteBoolean(UserDefineHeight);
  for (const std::string* text : {&LockID, &CylinderID, &DriveID, &LatchID})
    stream.WriteString(*text);
  for (const std::int32_t* value :
       {&ComplectImage, &HandleImage, &HingeImage, &DriveImage, &SpareImage, &HandleColor,
        &HingeColor, &DriveColor, &SpareColor})
    stream.WriteInteger(*value);
  stream.WriteString(LinesToText(Properties));
  stream.WriteString(LinesToText(AddComplects));
  stream.WriteInteger(static_cast<std::int32_t>(Items.size()));
  for (const auto& item : Items)
    item->Save(stream);
}

void TrxfFurnComp::Load(TSpecStream& stream, std::string_view version) {
  for (std::string* text : {&FurnSys, &ProfSys, &FurnColor, &ComplectID, &HingeID, &HandleID})
    *text = stream.ReadString();
  HandleHeight = stream.ReadInteger();
  UserDefineHeight = stream.ReadBoolean();
  for (std::string* text : {&LockID, &CylinderID, &DriveID, &LatchID})
    *text = stream.ReadString();
  for (std::int32_t* value : {&ComplectImage, &HandleImage, &HingeImage, &DriveImage, &SpareImage,
                              &HandleColor, &HingeColor, &DriveColor, &SpareColor})
    *value = stream.ReadInteger();
  Properties = TextToLines(stream.ReadString());
  AddComplects = TextToLines(stream.ReadString());
  const std::int32_t count = stream.ReadCount(kItemRecordSize);
  ClearItems();
  for (std::int32_t i = 0; i < count; ++i) {
    Items.push_back(std::make_unique<TrxfFurnItem>(this));
    Items.back()->Load(stream, version);
  }
}

}  // namespace rxf
