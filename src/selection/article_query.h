// Resolves an item of the documentation to one manufacturer article: a filter over FrnArt built
// from the item's flags and the sash's measures, a colourless fallback, a chooser when several
// articles qualify, and the missing-article messages.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/flugel_params.h"
#include "selection/selection_context.h"

namespace rxf {

struct TArticleQuery {
  std::string Item;
  std::string KitName;
  std::string ProfSys;
  std::string AlertText;  // raised as it stands when a required article is missing
  bool Required = false;
  std::uint8_t Direct = 0;
  std::uint8_t StulpType = 0;
  bool DefineHandle = false;
  double ProfWidth = 0;
  std::string Color;  // empty: colourless articles only
  double Weight = 0;
  TFlugelParams Params;
  double Handle = 0;  // mm
  double Angle = 0;   // degrees
  double Radius1 = 0;
  double Radius2 = 0;
  double Length1 = 0;
  double Length2 = 0;
  std::int32_t FFB = 0;  // cm
  std::int32_t FFH = 0;
  std::uint8_t Condition = 0;
};

struct TArticleResult {
  bool Found = false;
  std::string Article;
  std::int32_t HandleHeight = 0;
  std::string Filter;  // the filter text the query used, for traces
};

TArticleResult QueryArticle(const TSelectionContext& context, const TArticleQuery& query);

// The filter texts of a query: F, and the colourless fallback F0 (empty without HasColor).
struct TArticleFilters {
  std::string Filter;
  std::string Fallback;
  double PrimaryMeasure = 0;  // half of it is the default handle height
};

struct TItemFlags {
  bool HasFalzLuft, HasFalzSize, HasFalzPos, CheckWeight, HasDornMass, CheckThickness,
      CheckProfWidth, HasProfSys, CheckStulpType, CheckDirect, HasColor;
};

// Numbers are written with "." whatever the process's formats; raises for HasProfSys without a
// counter-plate system.
TArticleFilters BuildArticleFilters(const TArticleQuery& query, const TItemFlags& flags);

}  // namespace rxf
