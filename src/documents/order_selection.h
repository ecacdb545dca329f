// A selection: positions of many orders gathered so that their material needs add up. It copies
// no position: each item names an order file and a position number, plus a few values copied for
// display, and the positions are read from the order files whenever they are needed. Its file is
// described in doc/selection-file.md.
//
// Order files are named as the documents store them: upper-cased, and "%" + the rest when they lie
// in the orders folder given at creation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/currency_item.h"
#include "documents/document_file.h"
#include "documents/mat_list.h"
#include "documents/order.h"
#include "foundation/datetime.h"
#include "foundation/version.h"

namespace rxf {

class TDM;
class TSpecStream;
class TrxfOrderSelection;
class UiServices;

inline constexpr std::string_view kSelectionSignature = "Ramulex Furniture Selection File";

class TrxfOrderSelectionItem {
 public:
  explicit TrxfOrderSelectionItem(TrxfOrderSelection* selection) : Selection(selection) {}

  // Record: Included, OrderNo, PosNo, Width, Height, Count, ProductName, OrderFile.
  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream);

  bool Included = true;
  std::string OrderNo;
  std::string PosNo;  // finds the position in its order, letter case ignored
  float Width = 0;    // mm, copied for display
  float Height = 0;
  std::int32_t Count = 0;         // the position's Number
  std::string ProductName;        // the position's PosName
  std::string OrderFile;          // stored form
  TrxfOrderSelection* Selection;  // owner, not owned
};

// A position read from its order file, with the order that owns it.
struct TItemPosition {
  std::unique_ptr<TrxfOrder> Order;
  TrxfConstruction* Position;
};

class TrxfOrderSelection {
 public:
  // ordersDir: the orders folder (Windows-1251 text) that order files are stored relative to.
  explicit TrxfOrderSelection(std::string ordersDir);
  TrxfOrderSelection(const TrxfOrderSelection&) = delete;
  TrxfOrderSelection& operator=(const TrxfOrderSelection&) = delete;

  std::size_t Count() const { return items_.size(); }
  TrxfOrderSelectionItem& GetItem(std::size_t index) const { return *items_.at(index); }
  void Delete(std::size_t index);
  // Takes the item out and inserts it at index to of the shortened list.
  void Move(std::size_t from, std::size_t to);
  // The first item of that order and position number, letter case ignored; -1 when none.
  int IndexOf(std::string_view orderNo, std::string_view posNo) const;
  int GetIncludedCount() const;
  bool HasIncluded() const { return GetIncludedCount() > 0; }

  // Adds an item for every position of the order file, or refreshes the item the selection has
  // for it (keeping its Included). An order that does not load whole adds nothing: false then.
  // A file that cannot be read raises Error.
  bool AddOrder(const std::filesystem::path& fileName, UiServices& ui);
  // Refreshes every item from its order file; copyIncluded takes the positions' Included too.
  // Items whose order does not load whole or whose position is gone stay as they are. A missing
  // order file raises Error and ends the walk.
  void Update(bool copyIncluded, UiServices& ui);
  // The order numbers of runs of items from one file, joined by ",".
  std::string GetOrderListText(UiServices& ui) const;
  // The item's position read from its order file; nullopt when the file is missing, does not
  // load whole, or lacks the position.
  std::optional<TItemPosition> GetItemPosition(const TrxfOrderSelectionItem& item,
                                               UiServices& ui) const;

  // Byte by byte, ascending, by the keys named, then order and position numbers.
  void SortByOrder();
  void SortByPos();
  void SortByName();
  void SortByFile();

  // Merges the lines of the positions of the included items into list, sorts it by article code
  // and prices it anew from the catalogue in the selection's currency at its rates. Items whose
  // order does not load whole, or whose position is gone, add nothing. A missing order file or a
  // price lookup raises Error and ends the building.
  void BuildMatList(TMatList& list, const TDM& dm, UiServices& ui) const;

  // As TrxfOrder's, with "Ошибка сохранения выборки!..." and "Ошибка загрузки выборки!...". A
  // file that is no selection file shows "Данный файл не является файлом Korvat Tessarin!" and
  // gives Stopped, the selection unchanged.
  bool SaveToFile(const std::filesystem::path& path, UiServices& ui);
  TLoadOutcome LoadFromFile(const std::filesystem::path& path, UiServices& ui);
  void Save(TSpecStream& stream) const;
  TLoadOutcome Load(TSpecStream& stream, UiServices& ui);
  bool IsPartial() const { return partial_.IsPartial(); }

  std::string Version{kSelectionFileVersion};
  std::int32_t Reserved1 = 0;
  std::int32_t Reserved2 = 0;
  TDateTime TimeStamp1 = 0;
  TDateTime TimeStamp2 = 0;
  std::int32_t Reserved3 = 0;
  std::string SelectionNo;
  TDateTime RegDate = 0;
  std::string Name;
  TCurrencyList Currencies;
  std::int32_t Currency = 0;
  std::int32_t PriceGroupNo = 0;  // stored and printed only
  float NDSTax = 0;               // percent; stored and printed only
  std::uint8_t RoundMode = 0;     // stored only
  std::vector<std::string> Note;

 private:
  TLoadOutcome ReadRecord(TSpecStream& stream, UiServices& ui);
  bool PassVersionGates(UiServices& ui, bool& converted) const;
  template <typename Less>
  void SortItems(Less less);

  std::string ordersDir_;
  std::vector<std::unique_ptr<TrxfOrderSelectionItem>> items_;
  TPartialSource partial_;
};

}  // namespace rxf
