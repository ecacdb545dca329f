#include "model/furn_item.h"

#include "foundation/spec_stream.h"
#include "foundation/version.h"

namespace rxf {

namespace {

constexpr std::string_view kHistoryFrom = "06.10.2015";
constexpr std::string_view kCommentFrom = "03.03.2019";
constexpr std::string_view kSideAndKitFrom = "26.12.2019";

}  // namespace

void TrxfFurnItem::SetValues(std::string_view article, std::string_view parentComplect,
                             std::string_view history, float length, std::string_view comment,
                             std::int32_t count, std::int32_t sideNo) {
  const bool valid = !article.empty() && count != 0;
  Article = valid ? article : "";
  ParentComplect = valid ? parentComplect : "";
  History = valid ? history : "";
  Length = valid ? length : 0;
  Comment = valid ? comment : "";
  Count = valid ? count : 0;
  SideNo = valid ? sideNo : 0;
  Reserved1 = Reserved2 = Reserved3 = 0;
}

void TrxfFurnItem::Save(TSpecStream& stream) const {
  stream.WriteString(Article);
  stream.WriteSingle(Length);
  stream.WriteInteger(Count);
  stream.WriteString(History);
  stream.WriteString(Comment);
  stream.WriteInteger(SideNo);
  stream.WriteInteger(Reserved1);
  stream.WriteInteger(Reserved2);
  stream.WriteInteger(Reserved3);
  stream.WriteString(ParentComplect);
}

void TrxfFurnItem::Load(TSpecStream& stream, std::string_view version) {
  Article = stream.ReadString();
  Length = stream.ReadSingle();
  Count = stream.ReadInteger();
  if (VersionNotOlder(version, kHistoryFrom))
    History = stream.ReadString();
  if (VersionNotOlder(version, kCommentFrom))
    Comment = stream.ReadString();
  if (VersionNotOlder(version, kSideAndKitFrom)) {
    SideNo = stream.ReadInteger();
    Reserved1 = stream.ReadInteger();
    Reserved2 = stream.ReadInteger();
    Reserved3 = stream.ReadInteger();
    ParentComplect = stream.ReadString();
  }
}

}  // namespace rxf
