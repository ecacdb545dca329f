// Material lists: how much of each catalogue article a set of positions needs, at what price and
// cost. A list is built on demand by merging the material lines of sashes; a merged list holds each
// article code at most once, and the first line of a code decides its price.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/currency_list.h"
#include "model/mat_list_item.h"

namespace rxf {

class TDM;
class TrxfConstruction;
class UiServices;

using TMatList = std::vector<std::unique_ptr<TrxfMatListItem>>;

// The first line whose ID equals id byte for byte; null when there is none.
TrxfMatListItem* FindMatLine(const TMatList& list, std::string_view id);

// Merges material lines into a list. It finds the line of a code through an index, so that
// merging the lines of many orders stays linear; the list must change only through it meanwhile.
class TMatListMerger {
 public:
  // Indexes the lines the list holds already; ui shows a failed line copy.
  TMatListMerger(TMatList& list, UiServices& ui);

  // Adds count times each line: to the quantity of the list's line of that code, whose cost is
  // then recomputed, or as a copy appended at the end.
  void MergeSashLines(const TMatList& lines, std::int32_t count);
  // The lines of Flugel1, then of Flugel2, times the position's Number.
  void AddPositionLines(const TrxfConstruction& position);

 private:
  TMatList& list_;
  UiServices& ui_;
  std::unordered_map<std::string, TrxfMatListItem*> byId_;
};

// Every line priced anew from the catalogue in the active currency: BasePrice and Price the
// catalogue price, Cost = Number x Price rounded once. A code missing from the catalogue raises
// the lookup's error, and the lines before it keep their new prices.
void RepriceMatList(TMatList& list, const TDM& dm, const TActiveCurrency& active);

// Sort orders: by article code, byte by byte; by catalogue name, byte by byte, which raises for a
// code missing from the catalogue.
bool CompareByID(const TrxfMatListItem& a, const TrxfMatListItem& b);
bool CompareByName(const TDM& dm, const TrxfMatListItem& a, const TrxfMatListItem& b);
void SortMatListByID(TMatList& list);
// Looks every name up once, so that a long list does not repeat the lookups while it sorts.
void SortMatListByName(TMatList& list, const TDM& dm);

}  // namespace rxf
