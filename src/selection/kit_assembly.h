// The kit calculation: walks each chosen kit's composition rows, keeps the rows whose
// installation conditions hold for the sash, computes quantities and cut lengths, resolves each
// item to an article, places the handle, and completes the list with composite items,
// counter-plates, covers and accessories.
#pragma once

#include <cstdint>
#include <string_view>

#include "model/model_context.h"
#include "selection/kit_run.h"

namespace rxf {

class TrxfFlugel;
class TrxfFurnComp;

// The whole calculation for the kit of one sash; the kit's item list must be empty. Raises Error
// with the user's message when the documentation does not allow it.
void CalcFurnComp(const TSelectionContext& context, TrxfFurnComp& kit);

// One kit of the choice. kind is the kind of kit (0 main, 1 handle ... 6 latches; additional
// kits count as 0); userHeight and handleHeight are the kit's own for the main kit and false
// and 0 for every other.
void AssembleKit(const TKitRun& run, std::string_view kitId, int kind, bool userHeight,
                 std::int32_t handleHeight, bool mainKit);

// Whether the kit's side table fits the sash: one row per side, each side within its ranges.
bool CompFitsFlugel(const TDM& dm, const TrxfFlugel* flugel, std::string_view kitId);

// The number of thresholds of a scheme "600;900; 1200" that value reaches (fields that are not
// whole numbers, and -1, do not count).
int CountScaleSteps(std::string_view scheme, double value);

// The kit calculation as the model calls it when a choice is applied.
class TFittingsEngine : public TKitCalculator {
 public:
  explicit TFittingsEngine(const TSelectionContext& context) : context_(context) {}
  void CalcFurnComp(TrxfFurnComp& kit) const override;

 private:
  const TSelectionContext& context_;
};

}  // namespace rxf
