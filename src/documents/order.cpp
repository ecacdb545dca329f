#include "documents/order.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "documents/moment.h"
#include "foundation/cp1251.h"

namespace rxf {

TrxfOrder::TrxfOrder() : TimeStamp1(CurrentMoment()), TimeStamp2(TimeStamp1), RegDate(Today()) {}

std::size_t TrxfOrder::Add(std::unique_ptr<TrxfConstruction> position) {
  position->Order = this;
  positions_.push_back(std::move(position));
  return positions_.size() - 1;
}

void TrxfOrder::Replace(std::size_t index, std::unique_ptr<TrxfConstruction> position) {
  position->Order = this;
  positions_.at(index) = std::move(position);
}

void TrxfOrder::Delete(std::size_t index) {
  if (index >= positions_.size())
    throw std::out_of_range("TrxfOrder::Delete");
  positions_.erase(positions_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TrxfOrder::Move(std::size_t from, std::size_t to) {
  if (from >= positions_.size() || to >= positions_.size())
    throw std::out_of_range("TrxfOrder::Move");
  auto position = std::move(positions_[from]);
  positions_.erase(positions_.begin() + static_cast<std::ptrdiff_t>(from));
  positions_.insert(positions_.begin() + static_cast<std::ptrdiff_t>(to), std::move(position));
}

TrxfConstruction* TrxfOrder::FindPosition(std::string_view posNo) const {
  for (const auto& position : positions_)
    if (AnsiSameText(position->PosNo, posNo))
      return position.get();
  return nullptr;
}

int TrxfOrder::GetIncludedCount() const {
  return static_cast<int>(std::count_if(positions_.begin(), positions_.end(),
                                        [](const auto& position) { return position->Included; }));
}

TrxfConstruction* TrxfOrder::FirstIncluded() {
  includedCursor_ = 0;
  return NextIncluded();
}

TrxfConstruction* TrxfOrder::NextIncluded() {
  while (includedCursor_ < positions_.size()) {
    TrxfConstruction* position = positions_[includedCursor_++].get();
    if (position->Included)
      return position;
  }
  return nullptr;
}

Money TrxfOrder::GetCost() const {
  Money cost;
  for (const auto& position : positions_)
    if (position->Included)
      cost += position->GetCost();
  return cost;
}

Money TrxfOrder::GetNDS() const {
  if (!GetTotalNDS)
    return Money();
  return ExactAmount(GetCost()).Times(static_cast<double>(NDSTax)).DividedBy(100).Round();
}

Money TrxfOrder::GetTotalCost() const {
  return GetCost() + GetNDS();
}

void TrxfOrder::SortByPosNo() {
  std::stable_sort(positions_.begin(), positions_.end(),
                   [](const auto& a, const auto& b) { return a->PosNo < b->PosNo; });
}

void TrxfOrder::SortByName() {
  std::stable_sort(positions_.begin(), positions_.end(),
                   [](const auto& a, const auto& b) { return a->PosName < b->PosName; });
}

void TrxfOrder::BuildMatList(TMatList& list, UiServices& ui) const {
  TMatListMerger merger(list, ui);
  for (const auto& position : positions_)
    if (position->Included)
      merger.AddPositionLines(*position);
}

}  // namespace rxf
