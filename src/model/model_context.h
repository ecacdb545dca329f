// What applying kits and pricing need from outside the model: the catalogue, the currency prices
// are shown in, and the kit calculation. The calculation lives in the selection library; this
// interface is the one place where the model calls it.
#pragma once

#include "catalogue/currency_list.h"

namespace rxf {

class TDM;
class TrxfFurnComp;

class TKitCalculator {
 public:
  virtual ~TKitCalculator() = default;
  // Fills the kit's empty item list from the catalogue; raises Error with the user's message.
  virtual void CalcFurnComp(TrxfFurnComp& kit) const = 0;
};

struct TModelContext {
  const TDM& Catalogue;
  TActiveCurrency Currency;
  const TKitCalculator& Calculator;
};

}  // namespace rxf
