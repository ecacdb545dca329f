// An order: the header a window or door maker fills in (number, customer, object, the defaults new
// positions start from, the money settings) and the positions in display order, which it owns.
// Its file is described in doc/order-file.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/currency_item.h"
#include "documents/document_file.h"
#include "documents/mat_list.h"
#include "foundation/datetime.h"
#include "foundation/money.h"
#include "foundation/version.h"
#include "model/construction.h"

namespace rxf {

class TSpecStream;
class UiServices;

inline constexpr std::string_view kOrderSignature = "Ramulex Furniture Order File";

class TrxfOrder {
 public:
  // Time stamps of now, today's date, every other field empty or zero.
  TrxfOrder();
  TrxfOrder(const TrxfOrder&) = delete;
  TrxfOrder& operator=(const TrxfOrder&) = delete;

  // Positions in display order. Indexes out of range raise std::out_of_range.
  std::size_t Count() const { return positions_.size(); }
  TrxfConstruction& GetPosition(std::size_t index) const { return *positions_.at(index); }
  // Takes the position, makes this order its owner, and gives its index.
  std::size_t Add(std::unique_ptr<TrxfConstruction> position);
  // Frees the position at index and puts position in its place.
  void Replace(std::size_t index, std::unique_ptr<TrxfConstruction> position);
  void Delete(std::size_t index);
  void Clear() { positions_.clear(); }
  // Takes the position out and inserts it at index to of the shortened list.
  void Move(std::size_t from, std::size_t to);
  // The first position whose PosNo equals posNo, letter case ignored; null when none.
  TrxfConstruction* FindPosition(std::string_view posNo) const;

  int GetIncludedCount() const;
  bool HasIncluded() const { return GetIncludedCount() > 0; }
  // A walk over the included positions in list order; null at the end. The walk's place is held
  // here and saved nowhere.
  TrxfConstruction* FirstIncluded();
  TrxfConstruction* NextIncluded();

  // The costs of the included positions added up.
  Money GetCost() const;
  // GetCost x NDSTax / 100 rounded once when GetTotalNDS, else 0.
  Money GetNDS() const;
  // GetCost + GetNDS.
  Money GetTotalCost() const;

  // Byte by byte, ascending; equal keys keep their order.
  void SortByPosNo();
  void SortByName();

  // Merges the material lines of every included position into list, at the prices stored with
  // the sashes; ui shows a failed line copy.
  void BuildMatList(TMatList& list, UiServices& ui) const;

  // Writes the order to the file with Version made current. Every failure shows "Ошибка
  // сохранения заказа!..." and gives false, leaving the previous file as it was; so does a file
  // this order was only partly read from (save it under another name). An empty name gives false
  // without a message.
  bool SaveToFile(const std::filesystem::path& path, UiServices& ui);
  // Reads the order from the file, asking through ui whether to convert an older version and
  // warning about a newer one. A file that cannot be read raises Error; an empty name gives
  // Failed without a message. After Stopped or Failed the order holds only part of the file and
  // cannot be saved over it.
  TLoadOutcome LoadFromFile(const std::filesystem::path& path, UiServices& ui);
  // The order's record; raises Error.
  void Save(TSpecStream& stream) const;
  // As LoadFromFile from a stream; a failure shows "Ошибка загрузки заказа!...".
  TLoadOutcome Load(TSpecStream& stream, UiServices& ui);
  // Whether the last load from a file stopped or failed part-way (until a save under a new name).
  bool IsPartial() const { return partial_.IsPartial(); }

  std::string Version{kOrderFileVersion};  // as read until the order is saved
  std::int32_t Reserved1 = 0;
  std::int32_t Reserved2 = 0;
  TDateTime TimeStamp1 = 0;
  TDateTime TimeStamp2 = 0;
  std::int32_t Reserved3 = 0;
  std::string OrderNo;
  std::string AltOrderNo;
  std::string Customer;
  std::string ObjectName;
  std::string Address;
  std::string Phones;
  std::string Remark;
  TDateTime RegDate = 0;
  bool RegDateChecked = true;
  std::string ProfSys;  // counter-plate system code of the profile
  std::string InnerProfColor;
  std::string OuterProfColor;
  std::string FurnSys;
  std::string FurnColor;
  std::string Handle;
  std::int32_t Falz = 0;
  std::int32_t Dorn = 0;
  std::int32_t StulpType = 0;
  std::int32_t OpenType = 0;
  std::int32_t Material = 0;  // held in memory only
  std::int32_t PriceGroupNo = 0;
  float NDSTax = 0;  // percent
  bool GetTotalNDS = false;
  bool ShowIncludingNDS = false;
  TCurrencyList Currencies;
  std::int32_t Currency = 0;
  std::vector<std::string> Note;

 private:
  TLoadOutcome ReadRecord(TSpecStream& stream, UiServices& ui);
  // Asks or warns about a file version other than the current one; false when reading stops.
  bool PassVersionGates(UiServices& ui, bool& converted) const;
  void ReadHeader(TSpecStream& stream);
  void ReadLists(TSpecStream& stream);

  std::vector<std::unique_ptr<TrxfConstruction>> positions_;
  std::size_t includedCursor_ = 0;
  TPartialSource partial_;
};

}  // namespace rxf
