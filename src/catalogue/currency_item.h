// An exchange rate as a document keeps it: one currency and its value in the common base.
#pragma once

#include <cstdint>
#include <vector>

namespace rxf {

class TrxfCurrencyItem {
 public:
  std::int32_t ID = 0;  // Currency.ID
  float Value = 0;      // the rate, single precision as the documents hold it
};

// A document's own copy of the rates.
using TCurrencyList = std::vector<TrxfCurrencyItem>;

}  // namespace rxf
