// Calculating a position of the command line: a new position shaped, given its kits through the
// selection engine and priced in the input's currency.
#pragma once

#include <memory>

#include "app/position_json.h"
#include "catalogue/data_module.h"
#include "model/construction.h"
#include "selection/selection_context.h"

namespace rxf::app {

struct TCalculatedPosition {
  std::unique_ptr<TrxfConstruction> Position;
  std::int32_t Currency = 0;
  TCurrencyList Rates;
};

// The currency and rates the input names, or the catalogue's first currency and its rates.
void ChooseCurrency(const TDM& dm, const TPositionInput& input, TCalculatedPosition& result);

// Raises the system's Error when the calculation fails; several articles qualifying take the
// first in the documentation's order. trace, when given, receives the rows walked.
TCalculatedPosition CalculatePosition(const TDM& dm, const TPositionInput& input, TKitTrace* trace);

}  // namespace rxf::app
