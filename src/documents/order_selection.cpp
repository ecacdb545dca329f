#include "documents/order_selection.h"

#include <algorithm>
#include <stdexcept>
#include <tuple>
#include <utility>

#include "documents/moment.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/paths.h"
#include "foundation/ui_services.h"

namespace rxf {

namespace fs = std::filesystem;

namespace {

// Where a stored order file is on this disk.
fs::path OrderFilePath(const std::string& ordersDir, std::string_view orderFile) {
  return ExpandStoredPath(DiskPath(ordersDir), orderFile);
}

// One order read from the items' files in turn: a file is read again only when its expanded name
// differs from the last one read, so the items of one file next to each other read it once.
class TWorkOrder {
 public:
  explicit TWorkOrder(const std::string& ordersDir) : ordersDir_(ordersDir) {}

  // Whether Read would read the file anew.
  bool ReadsAnew(std::string_view orderFile) const {
    return !loaded_ || (orderFile != stored_ && ExpandPath(ordersDir_, orderFile) != name_);
  }
  // The order of the file, or null when it did not load whole (its load has said why). A missing
  // file raises Error.
  const TrxfOrder* Read(std::string_view orderFile, UiServices& ui) {
    if (ReadsAnew(orderFile)) {
      stored_ = orderFile;
      name_ = ExpandPath(ordersDir_, orderFile);
      loaded_ = true;
      whole_ = false;
      whole_ = ReadWhole(order_.LoadFromFile(OrderFilePath(ordersDir_, orderFile), ui));
    }
    return whole_ ? &order_ : nullptr;
  }

 private:
  const std::string& ordersDir_;
  TrxfOrder order_;
  std::string stored_;  // the last file as an item stores it
  std::string name_;    // and expanded
  bool loaded_ = false;
  bool whole_ = false;
};

void FillFromPosition(TrxfOrderSelectionItem& item, const TrxfOrder& order,
                      const TrxfConstruction& position) {
  std::int32_t width = 0;
  std::int32_t height = 0;
  position.GetSize(width, height);
  item.OrderNo = order.OrderNo;
  item.PosNo = position.PosNo;
  item.Width = static_cast<float>(width);
  item.Height = static_cast<float>(height);
  item.Count = position.Number;
  item.ProductName = position.PosName;
}

}  // namespace

TrxfOrderSelection::TrxfOrderSelection(std::string ordersDir)
    : TimeStamp1(CurrentMoment()),
      TimeStamp2(TimeStamp1),
      RegDate(Today()),
      ordersDir_(std::move(ordersDir)) {}

void TrxfOrderSelection::Delete(std::size_t index) {
  if (index >= items_.size())
    throw std::out_of_range("TrxfOrderSelection::Delete");
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(index));
}

void TrxfOrderSelection::Move(std::size_t from, std::size_t to) {
  if (from >= items_.size() || to >= items_.size())
    throw std::out_of_range("TrxfOrderSelection::Move");
  auto item = std::move(items_[from]);
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(from));
  items_.insert(items_.begin() + static_cast<std::ptrdiff_t>(to), std::move(item));
}

int TrxfOrderSelection::IndexOf(std::string_view orderNo, std::string_view posNo) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (AnsiSameText(items_[i]->OrderNo, orderNo) && AnsiSameText(items_[i]->PosNo, posNo))
      return static_cast<int>(i);
  return -1;
}

int TrxfOrderSelection::GetIncludedCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const auto& item) { return item->Included; }));
}

bool TrxfOrderSelection::AddOrder(const fs::path& fileName, UiServices& ui) {
  TrxfOrder order;
  if (!ReadWhole(order.LoadFromFile(fileName, ui)))
    return false;
  const std::string orderFile =
      MakeRelativePath(ordersDir_, PathText(fs::absolute(fileName).lexically_normal()));
  for (std::size_t i = 0; i < order.Count(); ++i) {
    const TrxfConstruction& position = order.GetPosition(i);
    const int index = IndexOf(order.OrderNo, position.PosNo);
    if (index < 0)
      items_.push_back(std::make_unique<TrxfOrderSelectionItem>(this));
    TrxfOrderSelectionItem& item = index < 0 ? *items_.back() : *items_[index];
    FillFromPosition(item, order, position);
    item.OrderFile = orderFile;
  }
  return true;
}

void TrxfOrderSelection::Update(bool copyIncluded, UiServices& ui) {
  const BusyCursorScope busy(ui);
  TWorkOrder work(ordersDir_);
  for (const auto& item : items_) {
    const TrxfOrder* order = work.Read(item->OrderFile, ui);
    const TrxfConstruction* position = order ? order->FindPosition(item->PosNo) : nullptr;
    if (!position)
      continue;
    if (copyIncluded)
      item->Included = position->Included;
    FillFromPosition(*item, *order, *position);
  }
}

std::string TrxfOrderSelection::GetOrderListText(UiServices& ui) const {
  TWorkOrder work(ordersDir_);
  std::string text;
  for (const auto& item : items_) {
    if (!work.ReadsAnew(item->OrderFile))
      continue;
    const TrxfOrder* order = work.Read(item->OrderFile, ui);
    if (!text.empty())
      text += ',';
    // An order that did not load whole has no number to give: the item's copy stands in.
    text += order ? order->OrderNo : item->OrderNo;
  }
  return text;
}

std::optional<TItemPosition> TrxfOrderSelection::GetItemPosition(const TrxfOrderSelectionItem& item,
                                                                 UiServices& ui) const {
  const fs::path path = OrderFilePath(ordersDir_, item.OrderFile);
  std::error_code error;
  if (!fs::is_regular_file(path, error))
    return std::nullopt;
  auto order = std::make_unique<TrxfOrder>();
  if (!ReadWhole(order->LoadFromFile(path, ui)))
    return std::nullopt;
  TrxfConstruction* position = order->FindPosition(item.PosNo);
  if (!position)
    return std::nullopt;
  return TItemPosition{std::move(order), position};
}

template <typename Less>
void TrxfOrderSelection::SortItems(Less less) {
  std::stable_sort(items_.begin(), items_.end(),
                   [&](const auto& a, const auto& b) { return less(*a, *b); });
}

void TrxfOrderSelection::SortByOrder() {
  SortItems([](const TrxfOrderSelectionItem& a, const TrxfOrderSelectionItem& b) {
    return std::tie(a.OrderNo, a.PosNo) < std::tie(b.OrderNo, b.PosNo);
  });
}

void TrxfOrderSelection::SortByPos() {
  SortItems([](const TrxfOrderSelectionItem& a, const TrxfOrderSelectionItem& b) {
    return std::tie(a.PosNo, a.OrderNo) < std::tie(b.PosNo, b.OrderNo);
  });
}

void TrxfOrderSelection::SortByName() {
  SortItems([](const TrxfOrderSelectionItem& a, const TrxfOrderSelectionItem& b) {
    return std::tie(a.ProductName, a.OrderNo, a.PosNo) <
           std::tie(b.ProductName, b.OrderNo, b.PosNo);
  });
}

void TrxfOrderSelection::SortByFile() {
  SortItems([](const TrxfOrderSelectionItem& a, const TrxfOrderSelectionItem& b) {
    return std::tie(a.OrderFile, a.OrderNo, a.PosNo) < std::tie(b.OrderFile, b.OrderNo, b.PosNo);
  });
}

void TrxfOrderSelection::BuildMatList(TMatList& list, const TDM& dm, UiServices& ui) const {
  const BusyCursorScope busy(ui);
  TWorkOrder work(ordersDir_);
  TMatListMerger merger(list, ui);
  for (const auto& item : items_) {
    if (!item->Included)
      continue;
    const TrxfOrder* order = work.Read(item->OrderFile, ui);
    if (const TrxfConstruction* position = order ? order->FindPosition(item->PosNo) : nullptr)
      merger.AddPositionLines(*position);
  }
  SortMatListByID(list);
  RepriceMatList(list, dm, TActiveCurrency{Currency, &Currencies});
}

}  // namespace rxf
