#include "documents/mat_list.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "catalogue/catalog_lookups.h"
#include "catalogue/catalog_price.h"
#include "foundation/money.h"
#include "model/construction.h"

namespace rxf {

namespace {

void RecomputeCost(TrxfMatListItem& line) {
  line.Cost = ExactAmount(line.Price).Times(static_cast<double>(line.Number)).Round();
}

}  // namespace

TrxfMatListItem* FindMatLine(const TMatList& list, std::string_view id) {
  for (const auto& line : list)
    if (line->ID == id)
      return line.get();
  return nullptr;
}

TMatListMerger::TMatListMerger(TMatList& list, UiServices& ui) : list_(list), ui_(ui) {
  for (const auto& line : list_)
    byId_.emplace(line->ID, line.get());
}

void TMatListMerger::MergeSashLines(const TMatList& lines, std::int32_t count) {
  for (const auto& line : lines) {
    const auto found = byId_.find(line->ID);
    if (found != byId_.end()) {
      TrxfMatListItem& merged = *found->second;
      // The sum is taken in extended precision and stored as the line's single.
      merged.Number = static_cast<float>(static_cast<long double>(merged.Number) +
                                         static_cast<long double>(line->Number) * count);
      RecomputeCost(merged);
      continue;
    }
    auto copy = CopyMatLine(*line, ui_);
    copy->Number = static_cast<float>(static_cast<long double>(copy->Number) * count);
    RecomputeCost(*copy);
    byId_.emplace(copy->ID, copy.get());
    list_.push_back(std::move(copy));
  }
}

void TMatListMerger::AddPositionLines(const TrxfConstruction& position) {
  MergeSashLines(position.Flugel1->MatList, position.Number);
  MergeSashLines(position.Flugel2->MatList, position.Number);
}

void RepriceMatList(TMatList& list, const TDM& dm, const TActiveCurrency& active) {
  for (const auto& line : list) {
    line->BasePrice = GetCatalogPrice(dm, active, line->ID, false);
    line->Price = line->BasePrice;
    RecomputeCost(*line);
  }
}

bool CompareByID(const TrxfMatListItem& a, const TrxfMatListItem& b) {
  return a.ID < b.ID;
}

bool CompareByName(const TDM& dm, const TrxfMatListItem& a, const TrxfMatListItem& b) {
  return GetCatalogName(dm, a.ID, false) < GetCatalogName(dm, b.ID, false);
}

void SortMatListByID(TMatList& list) {
  std::stable_sort(list.begin(), list.end(),
                   [](const auto& a, const auto& b) { return CompareByID(*a, *b); });
}

void SortMatListByName(TMatList& list, const TDM& dm) {
  // Every lookup comes first: a missing code raises while the list is still untouched.
  std::vector<std::string> names;
  names.reserve(list.size());
  for (const auto& line : list)
    names.push_back(GetCatalogName(dm, line->ID, false));
  std::vector<std::size_t> order(list.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return names[a] < names[b]; });
  TMatList sorted;
  sorted.reserve(list.size());
  for (const std::size_t index : order)
    sorted.push_back(std::move(list[index]));
  list = std::move(sorted);
}

}  // namespace rxf
