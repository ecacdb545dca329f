#include "app/calc_result.h"

#include <charconv>

#include "catalogue/catalog_lookups.h"
#include "foundation/cp1251.h"
#include "foundation/format.h"
#include "foundation/text.h"
#include "model/furn_comp.h"
#include "model/mat_list_item.h"

namespace rxf::app {

namespace {

using nlohmann::json;

// The shortest decimal that reads back as the same 32-bit float.
json FloatJson(float value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  double shortest = 0;
  std::from_chars(buffer, end, shortest);
  return shortest;
}

json LinesJson(const TrxfFlugel& sash) {
  json lines = json::array();
  for (const auto& line : sash.Lines)
    lines.push_back({{"Length", FloatJson(line->Length())},
                     {"Radius", FloatJson(line->Radius)},
                     {"OpenMark", line->OpenMark},
                     {"OpenTarget", line->OpenTarget},
                     {"Handled", line->Handled},
                     {"HandleHeight", line->HandleHeight},
                     {"HandleX", line->HandleX},
                     {"HandleY", line->HandleY},
                     {"Banded", line->Banded},
                     {"Drived", line->Drived}});
  return lines;
}

json ItemsJson(const TrxfFlugel& sash) {
  json items = json::array();
  if (!sash.FurnComp)
    return items;
  for (const auto& item : sash.FurnComp->Items)
    items.push_back({{"Article", Cp1251ToUtf8(item->Article)},
                     {"Count", item->Count},
                     {"Length", FloatJson(item->Length)},
                     {"SideNo", item->SideNo},
                     {"ParentComplect", Cp1251ToUtf8(item->ParentComplect)},
                     {"Comment", Cp1251ToUtf8(item->Comment)},
                     {"History", Cp1251ToUtf8(item->History)}});
  return items;
}

json MatListJson(const TrxfFlugel& sash) {
  json lines = json::array();
  for (const auto& line : sash.MatList)
    lines.push_back({{"ID", Cp1251ToUtf8(line->ID)},
                     {"Number", FloatJson(line->Number)},
                     {"Price", line->Price.ToText()},
                     {"Cost", line->Cost.ToText()}});
  return lines;
}

json TraceJson(const std::vector<TTraceEntry>& entries) {
  json trace = json::array();
  for (const TTraceEntry& entry : entries)
    trace.push_back({{"Kit", Cp1251ToUtf8(entry.Kit)},
                     {"Item", Cp1251ToUtf8(entry.Item)},
                     {"Key", entry.Key},
                     {"Used", entry.Used},
                     {"Reason", Cp1251ToUtf8(entry.Reason)}});
  return trace;
}

json SashJson(const TrxfFlugel& sash, const TraceBySash* trace) {
  std::int32_t width = 0, height = 0;
  sash.GetSize(width, height);
  json result = {
      {"Width", width},           {"Height", height},         {"DornType", sash.DornType},
      {"Lines", LinesJson(sash)}, {"Items", ItemsJson(sash)}, {"MatList", MatListJson(sash)}};
  if (trace) {
    const std::vector<TTraceEntry>* entries = trace->Of(sash);
    result["Trace"] = entries ? TraceJson(*entries) : json::array();
  }
  return result;
}

// Text cut or padded to width characters; Windows-1251 has one byte per character.
std::string Column(std::string_view cp1251, int width, bool right = false) {
  std::string text(cp1251);
  if (right)
    PadLeft(text, width, false, ' ');
  else
    PadRight(text, width, false, ' ');
  return text;
}

void AppendSashTable(std::string& out, const TDM& dm, const TrxfFlugel& sash, const char* title) {
  out += std::string(title) + "\n";
  out += Cp1251ToUtf8(Column("Артикул"_w, 16) + " " + Column("Наименование"_w, 40) + " " +
                      Column("Кол."_w, 5, true) + " " + Column("Длина"_w, 8, true) + " " +
                      Column("Стор."_w, 5, true) + " " + Column("Цена"_w, 12, true) + " " +
                      Column("Сумма"_w, 12, true)) +
         "\n";
  if (!sash.FurnComp)
    return;
  const auto& items = sash.FurnComp->Items;
  for (std::size_t i = 0; i < items.size(); ++i) {
    const TrxfFurnItem& item = *items[i];
    const TrxfMatListItem* line = i < sash.MatList.size() ? sash.MatList[i].get() : nullptr;
    out += Cp1251ToUtf8(Column(item.Article, 16) + " " +
                        Column(GetCatalogName(dm, item.Article, true), 40) + " " +
                        Column(Format("%d", item.Count), 5, true) + " " +
                        Column(item.Length > 0 ? Format("%.1f", item.Length) : "", 8, true) + " " +
                        Column(item.SideNo ? Format("%d", item.SideNo) : "", 5, true) + " " +
                        Column(line ? Format("%.2n", line->Price) : "", 12, true) + " " +
                        Column(line ? Format("%.2n", line->Cost) : "", 12, true)) +
           "\n";
  }
}

}  // namespace

const std::vector<TTraceEntry>* TraceBySash::Of(const TrxfFlugel& flugel) const {
  const auto found = entries_.find(&flugel);
  return found == entries_.end() ? nullptr : &found->second;
}

json PositionResultJson(const TrxfConstruction& position, const TraceBySash* trace) {
  std::int32_t width = 0, height = 0;
  position.GetSize(width, height);
  return {
      {"Width", width},
      {"Height", height},
      {"Price", position.Price.ToText()},
      {"Flugel1", SashJson(*position.Flugel1, trace)},
      {"Flugel2", position.FlugelMode == 2 ? json(nullptr) : SashJson(*position.Flugel2, trace)}};
}

std::string PositionResultTable(const TDM& dm, const TrxfConstruction& position) {
  std::int32_t width = 0, height = 0;
  position.GetSize(width, height);
  std::string out = Cp1251ToUtf8(Format("Позиция %d x %d мм"_w, width, height)) + "\n\n";
  AppendSashTable(out, dm, *position.Flugel1,
                  position.FlugelMode == 2 ? "Створка" : "Створка 1 (левая)");
  if (position.FlugelMode != 2) {
    out += "\n";
    AppendSashTable(out, dm, *position.Flugel2, "Створка 2 (правая)");
  }
  out += "\n" + Cp1251ToUtf8(Format("Цена позиции: %.2n"_w, position.Price)) + "\n";
  return out;
}

}  // namespace rxf::app
