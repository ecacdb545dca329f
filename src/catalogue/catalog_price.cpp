#include "catalogue/catalog_price.h"

#include "catalogue/catalog_lookups.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

// A whole percent is 10000 ticks; the result is c × (1 + d / 100%) with d in ticks.
constexpr std::int64_t kHundredPercent = 100 * Money::kScale;

void RequireRate(const TCurrencyList* rates, std::int32_t currencyId) {
  if (rates && IndexOfCurrency(rates, currencyId) < 0)
    throw Error(Format("В списке курсов валют документа отсутствует валюта [%d]!"_w, currencyId));
}

Money RaisedByPercent(Money amount, Money percent) {
  return ExactAmount(amount)
      .Times(kHundredPercent + percent.Ticks())
      .DividedBy(kHundredPercent)
      .Round();
}

}  // namespace

Money ConvertPrice(const TCurrencyList* rates, std::int32_t currencyId, Money currentRate,
                   Money price) {
  RequireRate(rates, currencyId);
  const float rate = GetCurrencyRate(rates, currencyId);
  if (currentRate.Ticks() == 0)
    throw Error(std::string("Значение текущей валюты = 0!"_w));
  return ExactAmount(price)
      .Times(static_cast<double>(rate))
      .Times(Money::kScale)
      .DividedBy(currentRate.Ticks())
      .Round();
}

double GetPriceGroupReduce(const TDM& dm, std::int32_t groupId, int index) {
  const auto row = dm.T_PriceGrp().Locate("GroupID", {static_cast<double>(groupId)});
  if (!row)
    throw Error(Format("В каталоге ценовых групп отсутствуют данные для группы [%d]!"_w, groupId));
  return row->Float("Reduce_" + std::to_string(index + 1));
}

Money GetCatalogPrice(const TDM& dm, const TActiveCurrency& active, std::string_view code,
                      bool quiet) {
  RequireRate(active.List, active.ID);
  const Money currentRate =
      Money::FromDouble(static_cast<double>(GetCurrencyRate(active.List, active.ID)));
  const auto entry = LocateCatalog(dm, code);
  if (!entry) {
    if (!quiet)
      throw Error(MissingCatalogNameMessage(code));
    return Money();
  }
  const Money converted =
      ConvertPrice(active.List, static_cast<std::int32_t>(entry->Integer("Currency")), currentRate,
                   entry->Currency("Price"));
  const std::int64_t group = entry->Integer("PriceGrp");
  if (group == 0)
    return converted;
  const Money reduce =
      Money::FromDouble(GetPriceGroupReduce(dm, static_cast<std::int32_t>(group), 0));
  return RaisedByPercent(converted, reduce);
}

}  // namespace rxf
