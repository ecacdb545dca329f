#include "selection/composite.h"

#include <algorithm>
#include <charconv>

#include "catalogue/data_module.h"
#include "catalogue/property_check.h"
#include "catalogue/table_filter.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "model/furn_comp.h"
#include "selection/article_query.h"

namespace rxf {

namespace {

// Filter numbers are written with "." whatever the user's formats.
template <typename... Args>
std::string FilterText(std::string_view format, const Args&... args) {
  return FormatWith(InvariantFormats(), format, {FormatArg(args)...});
}

// The rows of FrnSchl or FrnDop that hold for an item: its article, the run's mullion type or
// all, its side or all, its kit or all.
std::string FollowUpFilter(const TKitRun& run, const TrxfFurnItem& item) {
  return FilterText(
      "CatalogID = %s and (StulpType=%d or StulpType=%d) and (ItemSideNo=%d or "
      "ItemSideNo=%d) and (ItemComplectID=%s or ItemComplectID='')",
      QuotedText(item.Article), run.StulpType, 0, item.SideNo, 0, QuotedText(item.ParentComplect));
}

// The fittings system as a number; the group itself when the system is not numeric.
std::int64_t SystemNumber(const std::string& furnSys, std::int64_t group) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(furnSys.data(), furnSys.data() + furnSys.size(), value);
  return (furnSys.empty() || error != std::errc() || end != furnSys.data() + furnSys.size())
             ? group
             : value;
}

// A counter-plate item of group G fits system G exactly, or, for a group G of whole hundreds,
// every system of that hundred.
bool SystemGroupAdmits(const TKitRun& run, std::string_view item) {
  const auto row = run.Context.Catalogue.T_FrnItem().Locate("ID", {std::string(item)});
  if (!row)
    return true;
  const std::int64_t group = row->Integer("CommonGrp");
  if (group == 0)
    return true;
  const std::int64_t system = SystemNumber(run.Kit.FurnSys, group);
  return group % 100 != 0 ? system == group : (system / 100) * 100 == group;
}

void AddFollowUp(const TKitRun& run, const TrxfFurnItem& from, const std::string& article,
                 const std::string& history, std::int64_t number) {
  run.Kit.AddItem(run.Context.Catalogue, article, from.ParentComplect, history,
                  run.Context.DebugMode, 0, from.Comment,
                  static_cast<std::int32_t>(number * from.Count), from.SideNo);
}

void AddCounterPlates(const TKitRun& run, const TrxfFurnItem& item) {
  const TDM& dm = run.Context.Catalogue;
  if (!dm.T_FrnSchl().Locate("CatalogID", {item.Article}))
    return;
  const MemoryTable& table = dm.T_FrnSchl().Table();
  for (const RowIndex index : dm.T_FrnSchl().Query(FollowUpFilter(run, item))) {
    const RowRef row(table, index);
    if (!CheckProperties(dm, static_cast<std::int32_t>(row.Integer("PropKey")), run.Kit.Properties,
                         0))
      continue;
    const std::string plate = row.Text("Item");
    if (!SystemGroupAdmits(run, plate))
      continue;
    TArticleQuery query;
    query.Item = plate;
    query.KitName = std::string("Подбор ответных планок"_w);
    query.ProfSys = run.Kit.ProfSys;
    query.Required = true;
    query.Direct = run.Direct;
    query.StulpType = run.StulpType;
    query.Params = run.Params;
    const TArticleResult found = QueryArticle(run.Context, query);
    if (!found.Found)
      continue;
    AddFollowUp(run, item, found.Article,
                Format("%s -> Элемент:%s -> Артикул:%s"_w, item.History, plate, found.Article),
                row.Integer("Number"));
  }
}

void AddCovers(const TKitRun& run, const TrxfFurnItem& item) {
  const TDM& dm = run.Context.Catalogue;
  if (!dm.T_FrnAbd().Locate("CatalogID", {item.Article}))
    return;
  const auto filterFor = [&](const std::string& color) {
    return FilterText("CatalogID = %s and Color=%s and (ItemSideNo=%d or ItemSideNo=%d)",
                      QuotedText(item.Article), QuotedText(color), item.SideNo, 0);
  };
  std::vector<RowIndex> rows = dm.T_FrnAbd().Query(filterFor(run.Kit.FurnColor));
  if (rows.empty())
    rows = dm.T_FrnAbd().Query(filterFor(""));
  const MemoryTable& table = dm.T_FrnAbd().Table();
  for (const RowIndex index : rows) {
    const RowRef row(table, index);
    const std::string cover = row.Text("AccessoryID");
    AddFollowUp(run, item, cover, Format("%s -> Артикул:%s"_w, item.History, cover),
                row.Integer("Number"));
  }
}

void AddAccessories(const TKitRun& run, const TrxfFurnItem& item) {
  const TDM& dm = run.Context.Catalogue;
  if (!dm.T_FrnDop().Locate("CatalogID", {item.Article}))
    return;
  const MemoryTable& table = dm.T_FrnDop().Table();
  for (const RowIndex index : dm.T_FrnDop().Query(FollowUpFilter(run, item))) {
    const RowRef row(table, index);
    if (!CheckProperties(dm, static_cast<std::int32_t>(row.Integer("PropKey")), run.Kit.Properties,
                         0))
      continue;
    const std::string accessory = row.Text("AccessoryID");
    AddFollowUp(run, item, accessory, Format("%s -> Артикул:%s"_w, item.History, accessory),
                row.Integer("Number"));
  }
}

// Walks the items that were in the list when the pass began. The item is copied: adding may
// move the list's storage.
template <typename Pass>
void ForEachItemAtStart(const TKitRun& run, Pass&& pass) {
  const std::size_t count = run.Kit.Items.size();
  for (std::size_t i = 0; i < count; ++i) {
    const TrxfFurnItem item = *run.Kit.Items[i];
    pass(run, item);
  }
}

}  // namespace

void ExpandComposite(const TKitRun& run, std::string_view item, std::string_view kitId,
                     std::int32_t count, double profWidth, double weight, int kind,
                     std::int32_t sideNo) {
  const TDM& dm = run.Context.Catalogue;
  const std::string itemId(item);
  if (!dm.T_FrnItoI().Locate("ID", {itemId}))
    return;
  const auto composite = dm.T_FrnItem().Locate("ID", {itemId});
  if (!composite)
    throw Error(Format("Элемент фурнитуры [%s] не найден в документации!"_w, itemId));
  const std::string compName = composite->Text("Name");
  const MemoryTable& table = dm.T_FrnItoI().Table();
  for (const RowIndex index : dm.T_FrnItoI().Query("ID = " + QuotedText(itemId))) {
    const RowRef row(table, index);
    const std::string sub = row.Text("Item");
    if (sub.empty())
      throw Error(
          Format("В составе составного элемента [%s] содержится пустой элемент!"_w, compName));
    const auto rowSide = static_cast<std::int32_t>(row.Integer("ItemSideNo"));
    const std::int32_t side = rowSide != 0 ? rowSide : sideNo;
    if (!CheckProperties(dm, static_cast<std::int32_t>(row.Integer("PropKey")), run.Kit.Properties,
                         kind))
      continue;
    if (!StulpTypeAdmits(row.Integer("StulpType"), run.StulpType))
      continue;
    TArticleQuery query;
    query.Item = sub;
    query.KitName = compName;
    query.ProfSys = run.Kit.ProfSys;
    query.AlertText = row.Text("AlertIfNoArt");
    query.Required = row.Integer("Required") == 1;
    query.Direct = run.Direct;
    query.StulpType = run.StulpType;
    query.ProfWidth = profWidth;
    query.Color = run.ColorFor(row.Integer("ColorCondition"));
    query.Weight = weight;
    query.Params = run.Params;
    const TArticleResult found = QueryArticle(run.Context, query);
    if (!found.Found)
      continue;
    run.Kit.AddItem(dm, found.Article, kitId,
                    Format("Комплект:%s -> Элемент:%s -> Элемент:%s -> Артикул:%s"_w,
                           std::string(kitId), itemId, sub, found.Article),
                    run.Context.DebugMode, 0, row.Text("Note"),
                    static_cast<std::int32_t>(row.Integer("Number") * count), side);
  }
}

void AddFollowUps(const TKitRun& run) {
  ForEachItemAtStart(run, AddCounterPlates);
  ForEachItemAtStart(run, AddCovers);
  ForEachItemAtStart(run, AddAccessories);
  auto& items = run.Kit.Items;
  std::erase_if(items, [](const auto& item) { return item->Count == 0; });
  std::stable_sort(items.begin(), items.end(),
                   [](const auto& a, const auto& b) { return a->Article < b->Article; });
}

}  // namespace rxf
