// One computed item of a fittings kit: an article of the catalogue with a count, a cut length and
// the side it belongs to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rxf {

class TSpecStream;
class TrxfFurnComp;

class TrxfFurnItem {
 public:
  explicit TrxfFurnItem(TrxfFurnComp* furnComp) : FurnComp(furnComp) {}

  // Stores the values when the article is named and the count is not 0; otherwise clears the item.
  void SetValues(std::string_view article, std::string_view parentComplect,
                 std::string_view history, float length, std::string_view comment,
                 std::int32_t count, std::int32_t sideNo);
  void AddCount(std::int32_t n) { Count += n; }

  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  std::string Article;
  float Length = 0;  // mm, for items cut to length
  std::int32_t Count = 0;
  std::string History;
  std::string Comment;
  std::int32_t SideNo = 0;
  std::int32_t Reserved1 = 0;
  std::int32_t Reserved2 = 0;
  std::int32_t Reserved3 = 0;
  std::string ParentComplect;
  TrxfFurnComp* FurnComp;  // owner, not owned
};

}  // namespace rxf
