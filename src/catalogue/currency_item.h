// An exchange rate as a document keeps it: one currency and its value in the common base.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rxf {

class TSpecStream;

class TrxfCurrencyItem {
 public:
  // Record: integer ID, then real Value.
  void Save(TSpecStream& stream) const;
  void Load(TSpecStream& stream, std::string_view version);

  std::int32_t ID = 0;  // Currency.ID
  float Value = 0;      // the rate, single precision as the documents hold it
};

// A document's own copy of the rates.
using TCurrencyList = std::vector<TrxfCurrencyItem>;

}  // namespace rxf
