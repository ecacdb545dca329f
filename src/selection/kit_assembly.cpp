#include "selection/kit_assembly.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "catalogue/comp_lookups.h"
#include "catalogue/data_module.h"
#include "catalogue/param_lookups.h"
#include "catalogue/property_check.h"
#include "catalogue/table_filter.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/numbers.h"
#include "foundation/text.h"
#include "model/construction.h"
#include "model/furn_comp.h"
#include "selection/article_query.h"
#include "selection/composite.h"

namespace rxf {

namespace {

// Messages of the kit walk; K4 to K15 name the kit and the item.
constexpr std::string_view kK1 = "Комплект фурнитуры [%s] не найден в документации!"_w;
constexpr std::string_view kK2 = "Не допускается установка комплекта [%s] на T-образную створку!"_w;
constexpr std::string_view kK3 =
    "В БД наборов фурнитуры в комплекте\r\n[%s] содержится пустой элемент!"_w;
constexpr std::string_view kK4 =
    "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\nдля "
    "которого определена ссылка на артикул смежной штульповой створки.\r\nКомплект для смежной "
    "створки еще не определен. Установите сначала комплект на соседнюю створку!"_w;
constexpr std::string_view kConditionPrefix =
    "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\nдля "
    "которого определены условия установки, зависящие от\r\n"_w;
constexpr std::string_view kPrinciplePrefix =
    "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\nкоторый "
    "использует принцип расчета, зависящий от\r\n"_w;
constexpr std::string_view kK5 =
    "длины стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях "
    "определен неверно!"_w;
constexpr std::string_view kK6 =
    "длины стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях "
    "определен неверно!"_w;
constexpr std::string_view kK7 =
    "радиуса стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны в условиях "
    "определен неверно!"_w;
constexpr std::string_view kK8 =
    "радиуса стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны в условиях "
    "определен неверно!"_w;
constexpr std::string_view kK9 =
    "параметров угла, на который он устанавливается.\r\nНомер расчетного угла в условиях "
    "определен неверно!"_w;
constexpr std::string_view kK10 =
    "длины стороны смежной створки.\r\nНомер стороны смежной створки в условиях определен "
    "неверно!"_w;
constexpr std::string_view kK11 =
    "длины стороны смежной створки.\r\nСмежная створка не установлена. Установите сначала "
    "створку."_w;
constexpr std::string_view kK12 =
    "параметров стороны, на которую он устанавливается.\r\nНомер 1-ой расчетной стороны "
    "определен неверно!"_w;
constexpr std::string_view kK13 =
    "параметров стороны, на которую он устанавливается.\r\nНомер 2-ой расчетной стороны "
    "определен неверно!"_w;
constexpr std::string_view kK14 =
    "угла, на котором он устанавливается.\r\nНомер расчетного угла определен неверно!"_w;
constexpr std::string_view kK15 =
    "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\nимеющий "
    "масштабирование и шаг равный нулю!"_w;
constexpr std::string_view kK16 =
    "В БД наборов фурнитуры в комплекте [%s]\r\nсодержится элемент фурнитуры [%s],\r\nимеющий "
    "недопустимое расчетное значение длины %.1f (Мин. допустимая длина = %d)!\r\n(Одна из "
    "возможных причин - установлена недопустимая высота ручки при расчете тяги)"_w;

// The opening type code of a T-shaped sash.
constexpr std::uint8_t kTSashOpenType = 2;
// The mullion type of a one-sash position.
constexpr std::uint8_t kSingleSashStulpType = 6;
// Profile width the article queries of kit rows use.
constexpr double kQueryProfWidth = 100;

// A skipped row's reason: the test and the values it compared.
using Skip = std::optional<std::string>;

template <typename... Args>
std::string Reason(std::string_view format, const Args&... args) {
  return FormatWith(InvariantFormats(), format, {FormatArg(args)...});
}

// Calculation principles and the measures they pass to the article query.
bool UsesSide1(std::int64_t c) {
  return c == 4 || c == 6 || c == 8 || c == 10 || c == 12 || c == 14;
}
bool UsesSide2(std::int64_t c) {
  return c == 5 || c == 6 || c == 9 || c == 10 || c == 13 || c == 14;
}
bool UsesHandle(std::int64_t c) {
  return c >= 11 && c <= 14;
}
bool UsesAngle(std::int64_t c) {
  return c == 7;
}

std::int32_t WholeMM(double tenths) {
  return RoundHalfAway(tenths / 10);
}

// One kit's walk over its composition rows.
class KitWalk {
 public:
  KitWalk(const TKitRun& run, std::string_view kitId, int kind, bool userHeight,
          std::int32_t handleHeight, bool mainKit)
      : run_(run),
        dm_(run.Context.Catalogue),
        kitId_(kitId),
        kind_(kind),
        userHeight_(userHeight),
        handleHeight_(handleHeight),
        mainKit_(mainKit) {}

  void Run() {
    const auto kit = FindComp(dm_, kitId_);
    if (!kit)
      throw Error(Format(kK1, kitId_));
    kitName_ = kit->Text("Name");
    if (run_.Params.OpenType == kTSashOpenType && kit->Integer("TFlugelAvailable") == 0)
      throw Error(Format(kK2, kitId_));
    const MemoryTable& table = dm_.T_FrnSet().Table();
    for (const RowIndex index : dm_.T_FrnSet().Query("ID = " + QuotedText(kitId_)))
      WalkRow(RowRef(table, index));
  }

 private:
  void WalkRow(const RowRef& row) {
    item_ = row.Text("Item");
    itemName_ = ItemName();
    if (item_.empty())
      throw Error(Format(kK3, kitName_));
    const Skip skip = SkipReason(row);
    if (skip) {
      Trace(row, false, *skip);
      return;
    }
    Trace(row, true, UseRow(row));
  }

  std::string ItemName() const {
    const auto item = dm_.T_FrnItem().Locate("ID", {item_});
    return item ? item->Text("Name") : std::string();
  }

  [[noreturn]] void Fail(std::string_view prefix, std::string_view tail) const {
    throw Error(Format(std::string(prefix) + std::string(tail), kitName_, itemName_));
  }

  const TrxfLine& CheckedSide(const TrxfFlugel& flugel, std::int64_t number,
                              std::string_view prefix, std::string_view tail) const {
    if (number < 1 || number > static_cast<std::int64_t>(flugel.Lines.size()))
      Fail(prefix, tail);
    return *flugel.Lines[static_cast<std::size_t>(number - 1)];
  }

  // Tests a measure against a row's Min and Max (a Max of 0 or less is no upper limit).
  static Skip OutOfRange(const RowRef& row, std::string_view min, std::string_view max,
                         std::string_view measure, double value) {
    const double high = row.Float(max);
    const double low = row.Float(min);
    if (high > 0 && high < value)
      return Reason("%s %.2f < %s %.2f", std::string(max), high, std::string(measure), value);
    if (low > value)
      return Reason("%s %.2f > %s %.2f", std::string(min), low, std::string(measure), value);
    return std::nullopt;
  }

  static bool Active(const RowRef& row, std::string_view min, std::string_view max) {
    return row.Float(min) != 0 || row.Float(max) != 0;
  }

  Skip SideLength(const RowRef& row, const TrxfFlugel& flugel, std::string_view prefix,
                  std::string_view n, std::string_view min, std::string_view max,
                  std::string_view tail) const {
    if (!Active(row, min, max))
      return std::nullopt;
    const TrxfLine& side = CheckedSide(flugel, row.Integer(n), prefix, tail);
    return OutOfRange(row, min, max, "L", side.Length());
  }

  Skip SideRadius(const RowRef& row, std::string_view n, std::string_view min, std::string_view max,
                  std::string_view type, std::string_view tail) const {
    const std::int64_t kinds = row.Integer(type);
    if (!Active(row, min, max) && kinds < 2)
      return std::nullopt;
    const TrxfLine& side = CheckedSide(run_.Flugel, row.Integer(n), kConditionPrefix, tail);
    if (Skip out = OutOfRange(row, min, max, "R", WholeMM(side.Radius)))
      return out;
    if (kinds == 0 || (kinds & 1) != 0)
      return std::nullopt;
    const bool fits = (side.IsFullRadius() && (kinds & 2)) ||
                      (side.IsHalfRadius() && (kinds & 4)) || (side.IsEllipse() && (kinds & 8));
    if (fits)
      return std::nullopt;
    return Reason("%s %d: side %d is not an arc of that kind", std::string(type), kinds,
                  row.Integer(n));
  }

  // Tests 2 to 14 of a row; raises where the documentation is inconsistent.
  Skip SkipReason(const RowRef& row) const {
    const TrxfFurnComp& kit = run_.Kit;
    const auto propKey = static_cast<std::int32_t>(row.Integer("PropKey"));
    if (!CheckProperties(dm_, propKey, kit.Properties, kind_))
      return Reason("PropKey %d does not admit the chosen properties", propKey);
    if (Skip skip = AdjacentArticle(row))
      return skip;
    if (row.Integer("FFBMax") > 0 && row.Integer("FFBMax") < run_.FFB)
      return Reason("FFBMax %d < FFB %d", row.Integer("FFBMax"), run_.FFB);
    if (row.Integer("FFBMin") > run_.FFB)
      return Reason("FFBMin %d > FFB %d", row.Integer("FFBMin"), run_.FFB);
    if (row.Integer("FFHMax") > 0 && row.Integer("FFHMax") < run_.FFH)
      return Reason("FFHMax %d < FFH %d", row.Integer("FFHMax"), run_.FFH);
    if (row.Integer("FFHMin") > run_.FFH)
      return Reason("FFHMin %d > FFH %d", row.Integer("FFHMin"), run_.FFH);
    if (Skip skip =
            SideLength(row, run_.Flugel, kConditionPrefix, "FFL1No", "FFL1Min", "FFL1Max", kK5))
      return skip;
    if (Skip skip =
            SideLength(row, run_.Flugel, kConditionPrefix, "FFL2No", "FFL2Min", "FFL2Max", kK6))
      return skip;
    if (Skip skip = UserHandle(row))
      return skip;
    if (Skip skip = SideRadius(row, "FFR1No", "FFR1Min", "FFR1Max", "FFR1Type", kK7))
      return skip;
    if (Skip skip = SideRadius(row, "FFR2No", "FFR2Min", "FFR2Max", "FFR2Type", kK8))
      return skip;
    if (Skip skip = VertexAngleRange(row))
      return skip;
    if (!StulpTypeAdmits(row.Integer("StulpType"), run_.StulpType))
      return Reason("StulpType mask %d excludes mullion type %d", row.Integer("StulpType"),
                    run_.StulpType);
    if (Skip skip = AdjacentLength(row, "FFL21No", "FFL21Min", "FFL21Max"))
      return skip;
    return AdjacentLength(row, "FFL22No", "FFL22Min", "FFL22Max");
  }

  Skip AdjacentArticle(const RowRef& row) const {
    const std::string article = row.Text("UseIfArt");
    if (article.empty())
      return std::nullopt;
    const TrxfFlugel* adjacent = run_.Adjacent;
    if (!adjacent || !adjacent->FurnComp)
      Fail(kK4, "");
    if (adjacent->FurnComp->FindArticle(article) >= 0)
      return std::nullopt;
    return Reason("UseIfArt %s is not on the adjacent sash", article);
  }

  Skip UserHandle(const RowRef& row) const {
    if (!Active(row, "HandleMin", "HandleMax") || !userHeight_ || handleHeight_ == 0)
      return std::nullopt;
    return OutOfRange(row, "HandleMin", "HandleMax", "HandleHeight", handleHeight_);
  }

  Skip VertexAngleRange(const RowRef& row) const {
    if (!Active(row, "FFAMin", "FFAMax"))
      return std::nullopt;
    const std::int64_t vertex = row.Integer("FFANo");
    CheckedSide(run_.Flugel, vertex, kConditionPrefix, kK9);
    return OutOfRange(row, "FFAMin", "FFAMax", "angle",
                      run_.Flugel.GetAngle(static_cast<std::size_t>(vertex - 1)));
  }

  Skip AdjacentLength(const RowRef& row, std::string_view n, std::string_view min,
                      std::string_view max) const {
    if (!Active(row, min, max))
      return std::nullopt;
    if (!run_.Adjacent)
      Fail(kConditionPrefix, kK11);
    return SideLength(row, *run_.Adjacent, kConditionPrefix, n, min, max, kK10);
  }

  struct Measures {
    double Length1 = 0, Length2 = 0, Radius1 = 0, Radius2 = 0, Handle = 0, Angle = 0;
  };

  Measures MeasuresOf(const RowRef& row, std::int64_t condition) const {
    Measures m;
    if (UsesSide1(condition)) {
      const TrxfLine& side =
          CheckedSide(run_.Flugel, row.Integer("Side1No"), kPrinciplePrefix, kK12);
      m.Length1 = side.Length();
      m.Radius1 = WholeMM(side.Radius);
    }
    if (UsesSide2(condition)) {
      const TrxfLine& side =
          CheckedSide(run_.Flugel, row.Integer("Side2No"), kPrinciplePrefix, kK13);
      m.Length2 = side.Length();
      m.Radius2 = WholeMM(side.Radius);
    }
    if (UsesHandle(condition))
      m.Handle = handleHeight_;
    if (UsesAngle(condition)) {
      const std::int64_t vertex = row.Integer("AngleNo");
      CheckedSide(run_.Flugel, vertex, kPrinciplePrefix, kK14);
      m.Angle = run_.Flugel.GetAngle(static_cast<std::size_t>(vertex - 1));
    }
    return m;
  }

  std::int32_t Quantity(const RowRef& row) const {
    const std::int64_t number = row.Integer("Number");
    const std::int64_t scaleCondition = row.Integer("ScaleCondition");
    double value = 0;
    switch (scaleCondition) {
      case 1:
        value = run_.FFB;
        break;
      case 2:
        value = run_.FFH;
        break;
      case 3:
        value = CheckedSide(run_.Flugel, row.Integer("Side1No"), kPrinciplePrefix, kK12).Length();
        break;
      case 4:
        value = CheckedSide(run_.Flugel, row.Integer("Side2No"), kPrinciplePrefix, kK13).Length();
        break;
      default:
        return static_cast<std::int32_t>(number);
    }
    const std::int64_t scaleNum = row.Integer("ScaleNum");
    const std::string scheme = row.Text("ScaleScheme");
    if (!scheme.empty())
      return static_cast<std::int32_t>(CountScaleSteps(scheme, value) * scaleNum + number);
    const std::int64_t step = row.Integer("ScaleStep");
    const std::int64_t start = row.Integer("ScaleStart");
    if (step < 1)
      throw Error(Format(kK15, kitName_, itemName_));
    if (value < static_cast<double>(start))
      return static_cast<std::int32_t>(number);
    const std::int64_t over = RoundHalfAway(value - static_cast<double>(start));
    return static_cast<std::int32_t>((over / step + number + 1) * scaleNum);
  }

  float CutLength(const RowRef& row) const {
    const std::string formula = row.Text("LenFormula");
    if (row.Integer("UseLen") != 1 || formula.empty())
      return 0;
    const auto length = static_cast<float>(run_.Flugel.CalcLength(formula));
    const std::int64_t minLength = row.Integer("MinLen");
    if (static_cast<double>(minLength) > length)
      throw Error(Format(kK16, kitName_, itemName_, static_cast<double>(length), minLength));
    return length;
  }

  // Steps 15 to 21 of a row that holds; returns what the row gave, for traces.
  std::string UseRow(const RowRef& row) {
    const std::int64_t condition = row.Integer("Condition");
    const Measures m = MeasuresOf(row, condition);
    const std::string& color = run_.ColorFor(row.Integer("ColorCondition"));
    const std::int32_t quantity = Quantity(row);
    const float length = CutLength(row);
    const auto itemRow = dm_.T_FrnItem().Locate("ID", {item_});
    const bool isVirtual = itemRow && itemRow->Integer("Virtual") == 1;
    const auto sideNo = static_cast<std::int32_t>(row.Integer("ItemSideNo"));
    std::string outcome = "virtual item";
    if (!isVirtual) {
      TArticleQuery query;
      query.Item = item_;
      query.KitName = kitName_;
      query.ProfSys = run_.Kit.ProfSys;
      query.AlertText = row.Text("AlertIfNoArt");
      query.Required = row.Integer("Required") == 1;
      query.Direct = run_.Direct;
      query.StulpType = run_.StulpType;
      query.DefineHandle = row.Integer("DefineHandleHeight") == 1;
      query.ProfWidth = kQueryProfWidth;
      query.Color = color;
      query.Params = run_.Params;
      query.Handle = m.Handle;
      query.Angle = m.Angle;
      query.Radius1 = m.Radius1;
      query.Radius2 = m.Radius2;
      query.Length1 = m.Length1;
      query.Length2 = m.Length2;
      query.FFB = run_.FFB;
      query.FFH = run_.FFH;
      query.Condition = static_cast<std::uint8_t>(condition);
      const TArticleResult found = QueryArticle(run_.Context, query);
      if (found.Found) {
        PlaceHandle(row, found.HandleHeight);
        run_.Kit.AddItem(
            dm_, found.Article, kitId_,
            Format("Комплект:%s -> Элемент:%s -> Артикул:%s"_w, kitId_, item_, found.Article),
            run_.Context.DebugMode, length, row.Text("Note"), quantity, sideNo);
        outcome = "article " + found.Article;
      } else {
        outcome = "no matching article: " + found.Filter;
      }
    }
    ExpandComposite(run_, item_, kitId_, quantity, kQueryProfWidth, 0, kind_, sideNo);
    return outcome;
  }

  // An article that fixes the handle height moves the handle, unless the user typed a height.
  void PlaceHandle(const RowRef& row, std::int32_t height) const {
    const TrxfFurnComp& kit = run_.Kit;
    const bool userTyped = mainKit_ ? userHeight_ : (kit.UserDefineHeight && kit.HandleHeight != 0);
    if (userTyped || height == 0)
      return;
    TrxfFlugel& flugel = run_.Flugel;
    std::int64_t index = row.Integer("HandleSideNo") - 1;
    if (index < 0 || index >= static_cast<std::int64_t>(flugel.Lines.size()))
      index = flugel.HandleLineIndex();
    if (index < 0)
      return;
    flugel.Lines[static_cast<std::size_t>(index)]->SetHandle(
        height, GetSideHandleDirect(dm_, kitId_, static_cast<int>(index) + 1));
  }

  void Trace(const RowRef& row, bool used, std::string reason) const {
    if (!run_.Context.Trace)
      return;
    run_.Context.Trace->Record(
        run_.Flugel, {std::string(kitId_), item_, row.Integer("Key"), used, std::move(reason)});
  }

  const TKitRun& run_;
  const TDM& dm_;
  const std::string kitId_;
  const int kind_;
  const bool userHeight_;
  const std::int32_t handleHeight_;
  const bool mainKit_;
  std::string kitName_;
  std::string item_;
  std::string itemName_;
};

TFlugelParams RunParams(const TDM& dm, const TrxfConstruction& position, const TrxfFlugel& sash) {
  TFlugelParams params;
  params.ProfWidth = position.ProfWidth;
  params.ProfThickness = position.ProfThickness;
  GetFalzParams(dm, position.FalzType, params, false);
  GetDornMass(dm, sash.DornType, params, false);
  GetOpenType(dm, position.FlugelType, params, false);
  if (!(params.DornMass > 0))
    throw Error(std::string("Не определена величина 'Дормасс'!"_w));
  if (params.FalzLuft < 1 || params.FalzSize < 1 || params.FalzPos < 1)
    throw Error(Format("В документации не установлены\r\nпараметры фальца %d/%d-%d!"_w,
                       params.FalzLuft, params.FalzSize, params.FalzPos));
  return params;
}

}  // namespace

void AssembleKit(const TKitRun& run, std::string_view kitId, int kind, bool userHeight,
                 std::int32_t handleHeight, bool mainKit) {
  KitWalk(run, kitId, kind, userHeight, handleHeight, mainKit).Run();
}

void CalcFurnComp(const TSelectionContext& context, TrxfFurnComp& kit) {
  const TDM& dm = context.Catalogue;
  TrxfFlugel& sash = *kit.Flugel;
  const TrxfConstruction& position = *sash.Construction;
  const TFlugelParams params = RunParams(dm, position, sash);
  const auto mainKit = FindComp(dm, kit.ComplectID);
  if (!mainKit)
    throw Error(Format(kK1, kit.ComplectID));
  const bool oneSash = position.FlugelMode == 2;
  std::int32_t width = 0, height = 0;
  sash.GetSize(width, height);
  const TKitRun run{
      context,
      sash,
      kit,
      oneSash ? nullptr : &sash.OtherFlugel(),
      params,
      oneSash ? kSingleSashStulpType : GetStulpType(dm, position.StulpFalzType, false),
      static_cast<std::uint8_t>(mainKit->Integer("Direct")),
      RoundHalfAway(width / 10.0),
      RoundHalfAway(height / 10.0),
      context.OuterProfColor,
      context.InnerProfColor,
      kit.FurnColor,
  };

  AssembleKit(run, kit.ComplectID, kMainKit, kit.UserDefineHeight, kit.HandleHeight, true);
  const std::pair<const std::string*, int> others[] = {
      {&kit.HandleID, kHandleKit},     {&kit.HingeID, kHingeKit}, {&kit.LockID, kLockKit},
      {&kit.CylinderID, kCylinderKit}, {&kit.DriveID, kDriveKit}, {&kit.LatchID, kLatchKit}};
  for (const auto& [id, kind] : others)
    if (!id->empty())
      AssembleKit(run, *id, kind, false, 0, false);
  for (const std::string& additional : std::vector<std::string>(kit.AddComplects))
    if (!additional.empty())
      AssembleKit(run, additional, kMainKit, false, 0, false);
  AddFollowUps(run);
}

bool CompFitsFlugel(const TDM& dm, const TrxfFlugel* flugel, std::string_view kitId) {
  if (!flugel)
    return false;
  const TableView& sides = dm.T_FrnSide();
  const std::vector<RowIndex> rows = sides.Query("ID=" + QuotedText(kitId));
  if (rows.size() != flugel->Lines.size())
    return false;
  for (const RowIndex index : rows) {
    const RowRef row(sides.Table(), index);
    const std::int64_t i = row.Integer("Side") - 1;
    if (i < 0 || i >= static_cast<std::int64_t>(flugel->Lines.size()))
      return false;
    const TrxfLine& side = *flugel->Lines[static_cast<std::size_t>(i)];
    const std::int32_t length = RoundHalfAway(side.ChordLength() / 10);
    const std::int32_t radius = WholeMM(side.Radius);
    const double angle = flugel->GetAngle(static_cast<std::size_t>(i));
    if (row.Integer("MinSize") > length || row.Integer("MaxSize") < length ||
        row.Float("MinAngle") > angle || row.Float("MaxAngle") < angle ||
        row.Integer("MinRadius") > radius || row.Integer("MaxRadius") < radius)
      return false;
    if ((side.IsFullRadius() && row.Integer("FullRadius") == 0) ||
        (side.IsHalfRadius() && row.Integer("HalfRadius") == 0) ||
        (side.IsEllipse() && row.Integer("EllipseRadius") == 0))
      return false;
  }
  return true;
}

int CountScaleSteps(std::string_view scheme, double value) {
  int steps = 0;
  const int fields = CountTokens(scheme, ";");
  for (int i = 1; i <= fields; ++i) {
    const std::string field = GetToken(scheme, i, ";", true);
    std::int32_t threshold = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), threshold);
    if (field.empty() || error != std::errc() || end != field.data() + field.size())
      continue;
    if (threshold != -1 && threshold <= value)
      ++steps;
  }
  return steps;
}

void TFittingsEngine::CalcFurnComp(TrxfFurnComp& kit) const {
  rxf::CalcFurnComp(context_, kit);
}

}  // namespace rxf
