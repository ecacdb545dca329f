// One material line: how much of one catalogue article is needed, at what price and cost, in the
// document's currency.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "foundation/money.h"

namespace rxf {

class TDM;
class TSpecStream;
class UiServices;
struct TActiveCurrency;

class TrxfMatListItem {
 public:
  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  std::string ID;    // catalogue code
  float Number = 0;  // pieces, or metres for items cut to length
  Money BasePrice;   // always equal to Price: no discount is computed
  float ReservedReal = 0;
  Money Discount;  // always 0
  Money Price;     // per unit, after discount
  Money Cost;      // Number * Price, rounded to four decimals
};

// The line of one kit item: Number is count x length / 1000 for items cut to length (metres),
// else count; Price is the catalogue price in the active currency (raising for a missing code);
// Cost is Number x Price rounded once to four decimals.
std::unique_ptr<TrxfMatListItem> MakeMatLine(const TDM& dm, const TActiveCurrency& active,
                                             std::string_view article, std::int32_t count,
                                             float length);

// A new line equal to source, made through a stream snapshot. A failure shows
// "Ошибка копирования материала!..." and the copy keeps what was read.
std::unique_ptr<TrxfMatListItem> CopyMatLine(const TrxfMatListItem& source, UiServices& ui);

}  // namespace rxf
