#include "selection/article_query.h"

#include <optional>

#include "catalogue/data_module.h"
#include "catalogue/table_filter.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/numbers.h"

namespace rxf {

namespace {

// Filter numbers are written with "." whatever the user's formats.
template <typename... Args>
std::string Clause(std::string_view format, const Args&... args) {
  return FormatWith(InvariantFormats(), format, {FormatArg(args)...});
}

struct RangeClause {
  std::string Text;
  double PrimaryMeasure = 0;
};

RangeClause RangeClauseOf(const TArticleQuery& q) {
  const double l1 = q.Length1, l2 = q.Length2, h = q.Handle, r1 = q.Radius1, r2 = q.Radius2;
  switch (q.Condition) {
    case 1:
      return {Clause("FFBMin <= %d and FFBMax >= %d ", q.FFB, q.FFB), double(q.FFB)};
    case 2:
      return {Clause("FFHMin <= %d and FFHMax >= %d ", q.FFH, q.FFH), double(q.FFH)};
    case 3:
      return {Clause("FFBMin <= %d and FFBMax >= %d and FFHMin <= %d and FFHMax >= %d ", q.FFB,
                     q.FFB, q.FFH, q.FFH)};
    case 4:
      return {Clause("FFL1Min <= %.0f and FFL1Max >= %.0f ", l1, l1), l1};
    case 5:
      return {Clause("FFL2Min <= %.0f and FFL2Max >= %.0f ", l2, l2), l2};
    case 6:
      return {Clause("FFL1Min <= %.0f and FFL1Max >= %.0f and FFL2Min <= %.0f and FFL2Max >= %.0f ",
                     l1, l1, l2, l2),
              l1};
    case 7:
      return {Clause("FFAMin <= %.2f and FFAMax >= %.2f ", q.Angle, q.Angle)};
    case 8:
      return {Clause("FFR1Min <= %.0f and FFR1Max >= %.0f ", r1, r1)};
    case 9:
      return {Clause("FFR2Min <= %.0f and FFR2Max >= %.0f ", r2, r2)};
    case 10:
      return {Clause("FFR1Min <= %.0f and FFR1Max >= %.0f and FFR2Min <= %.0f and FFR2Max >= %.0f ",
                     r1, r1, r2, r2)};
    case 11:
      return {Clause("HandleMin <= %.0f and HandleMax >= %.0f ", h, h)};
    case 12:
      return {
          Clause("FFL1Min <= %.0f and FFL1Max >= %.0f and HandleMin <= %.0f and HandleMax >= %.0f ",
                 l1, l1, h, h),
          l1};
    case 13:
      return {
          Clause("FFL2Min <= %.0f and FFL2Max >= %.0f and HandleMin <= %.0f and HandleMax >= %.0f ",
                 l2, l2, h, h),
          l2};
    case 14:
      return {
          Clause("FFL1Min <= %.0f and FFL1Max >= %.0f and FFL2Min <= %.0f and FFL2Max >= %.0f and "
                 "HandleMin <= %.0f and HandleMax >= %.0f ",
                 l1, l1, l2, l2, h, h),
          l1};
    default:
      return {};
  }
}

// Appends a clause in its plain form to an empty filter, in its "and" form otherwise.
void Append(std::string& filter, const std::string& plain, const std::string& andForm) {
  filter += filter.empty() ? plain : andForm;
}

void AppendAttributeClauses(std::string& f, const TArticleQuery& q, const TItemFlags& flags) {
  const TFlugelParams& p = q.Params;
  if (flags.HasFalzLuft)
    Append(f, Clause("FalzLuft = %d ", p.FalzLuft), Clause("and FalzLuft = %d ", p.FalzLuft));
  if (flags.HasFalzSize)
    Append(f, Clause("FalzSize = %d ", p.FalzSize), Clause("and FalzSize = %d ", p.FalzSize));
  if (flags.HasFalzPos)
    Append(f, Clause("FalzPos = %d ", p.FalzPos), Clause("and FalzPos = %d ", p.FalzPos));
  if (flags.CheckWeight)
    Append(f, Clause("WeightMin <= %.2f and  WeightMax >= %.2f ", q.Weight, q.Weight),
           Clause("and WeightMin <= %.2f and  WeightMax >= %.2f ", q.Weight, q.Weight));
  if (flags.HasDornMass)
    Append(f, Clause("DornMassMin <= %.2f and DornMassMax >= %.2f ", p.DornMass, p.DornMass),
           Clause("and DornMassMin <= %.2f and DornMassMax >= %.2f ", p.DornMass, p.DornMass));
  if (flags.CheckThickness)
    Append(
        f,
        Clause("ThicknessMin <= %.0f and ThicknessMax >= %.0f ", p.ProfThickness, p.ProfThickness),
        Clause(" and ThicknessMin <= %.0f and ThicknessMax >= %.0f ", p.ProfThickness,
               p.ProfThickness));
  if (flags.CheckProfWidth)
    Append(f, Clause("ProfWidthMin <= %.0f and ProfWidthMax >= %.0f ", q.ProfWidth, q.ProfWidth),
           Clause(" and ProfWidthMin <= %.0f and ProfWidthMax >= %.0f ", q.ProfWidth, q.ProfWidth));
  if (flags.HasProfSys) {
    if (q.ProfSys.empty())
      throw Error(Format("Для комплекта фурнитуры [%s]\r\nне указана система ответных планок!"_w,
                         q.KitName));
    const std::string value = QuotedText(q.ProfSys);
    Append(f, "ProfSys = " + value + " ", "and ProfSys = " + value + " ");
  }
  if (flags.CheckStulpType)
    Append(f, Clause("StulpType = %d ", q.StulpType), Clause("and StulpType = %d ", q.StulpType));
  if (flags.CheckDirect)
    Append(f, Clause("(Direct = %d or Direct = %d) ", 3, q.Direct),
           Clause("and (Direct = %d or Direct = %d) ", 3, q.Direct));
}

TItemFlags FlagsOf(const RowRef& item) {
  const auto flag = [&](std::string_view column) { return item.Integer(column) == 1; };
  return {flag("HasFalzLuft"),    flag("HasFalzSize"), flag("HasFalzPos"),
          flag("CheckWeight"),    flag("HasDornMass"), flag("CheckThickness"),
          flag("CheckProfWidth"), flag("HasProfSys"),  flag("CheckStulpType"),
          flag("CheckDirect"),    flag("HasColor")};
}

std::size_t ChooseRow(const TSelectionContext& context, std::span<const RowIndex> rows) {
  if (rows.size() < 2 || !context.Chooser)
    return 0;
  const std::size_t chosen = context.Chooser(
      {std::string("Список артикулов"_w),
       std::string("В документации присутствует несколько альтернативных вариантов. Выберите "
                   "нужный элемент."_w),
       "CatalogID", "CatalogNameLookup", rows});
  return chosen < rows.size() ? chosen : 0;
}

}  // namespace

TArticleFilters BuildArticleFilters(const TArticleQuery& query, const TItemFlags& flags) {
  const RangeClause range = RangeClauseOf(query);
  TArticleFilters filters;
  filters.PrimaryMeasure = range.PrimaryMeasure;
  std::string& f = filters.Filter;
  f = range.Text;
  AppendAttributeClauses(f, query, flags);
  const std::string item = QuotedText(query.Item);
  Append(f, "ID=" + item + " ", "and ID=" + item + " ");
  if (flags.HasColor) {
    filters.Fallback = f + (f.empty() ? "Color = '' " : "and Color = '' ");
    const std::string color = QuotedText(query.Color);
    Append(f, "Color = " + color + " ", "and Color = " + color + " ");
  }
  return filters;
}

TArticleResult QueryArticle(const TSelectionContext& context, const TArticleQuery& query) {
  TArticleResult result;
  const TDM& dm = context.Catalogue;
  if (!dm.T_FrnArt().Locate("ID", {query.Item}))
    return result;
  const auto item = dm.T_FrnItem().Locate("ID", {query.Item});
  if (!item)
    throw Error(Format("Элемент фурнитуры [%s] не найден в документации!"_w, query.Item));
  const std::string itemName = item->Text("Name");
  const TItemFlags flags = FlagsOf(*item);

  const TArticleFilters filters = BuildArticleFilters(query, flags);
  result.Filter = filters.Filter;
  std::vector<RowIndex> rows = dm.T_FrnArt().Query(filters.Filter);
  if (rows.empty() && flags.HasColor) {
    result.Filter = filters.Fallback;
    rows = dm.T_FrnArt().Query(filters.Fallback);
  }

  if (rows.empty()) {
    if (!query.Required)
      return result;
    if (!query.AlertText.empty())
      throw Error(query.AlertText);
    throw Error(
        Format("В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента "
               "фурнитуры [%s]!\r\n\r\nИскомый запрос:\r\n%s"_w,
               itemName, filters.Filter));
  }
  const RowRef chosen(dm.T_FrnArt().Table(), rows[ChooseRow(context, rows)]);
  result.Article = chosen.Text("CatalogID");
  if (result.Article.empty())
    throw Error(
        Format("В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [%s]!"_w,
               itemName));
  const auto rowHeight = static_cast<std::int32_t>(chosen.Integer("HandleHeight"));
  result.Found = true;
  if (query.DefineHandle)
    result.HandleHeight = rowHeight != 0 ? rowHeight : RoundHalfAway(filters.PrimaryMeasure / 2);
  return result;
}

}  // namespace rxf
