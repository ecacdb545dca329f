#include "app/position_calc.h"

#include "catalogue/currency_list.h"
#include "selection/kit_assembly.h"

namespace rxf::app {

void ChooseCurrency(const TDM& dm, const TPositionInput& input, TCalculatedPosition& result) {
  if (input.Currencies)
    result.Rates = *input.Currencies;
  else
    LoadCurrencyList(dm, result.Rates);
  if (input.Currency) {
    result.Currency = *input.Currency;
  } else {
    const auto rows = dm.T_Currency().Rows();
    result.Currency = rows.empty()
                          ? 0
                          : static_cast<std::int32_t>(
                                RowRef(dm.T_Currency().Table(), rows.front()).Integer("ID"));
  }
}

TCalculatedPosition CalculatePosition(const TDM& dm, const TPositionInput& input,
                                      TKitTrace* trace) {
  TCalculatedPosition result;
  ChooseCurrency(dm, input, result);
  result.Position = std::make_unique<TrxfConstruction>();
  TrxfConstruction& position = *result.Position;
  position.FlugelMode = input.FlugelMode;
  position.SetShape(input.Shape, input.Flugel1.DornType);

  const TSelectionContext selection{
      dm, {}, input.DebugMode, input.OuterProfColor, input.InnerProfColor, trace};
  const TFittingsEngine engine(selection);
  const TModelContext model{dm, {result.Currency, &result.Rates}, engine};
  position.ApplyFurn(model, input.FurnSys, input.ProfSys, input.FurnColor, input.FalzType,
                     input.StulpFalzType, input.FlugelType, input.ProfWidth, input.ProfThickness,
                     input.Flugel1, input.Flugel2);
  return result;
}

}  // namespace rxf::app
