// Prices of catalogue entries in the active currency, with the price-group surcharge. Money is
// evaluated exactly and rounded to the ten-thousandth with ties to even.
#pragma once

#include <cstdint>
#include <string_view>

#include "catalogue/currency_list.h"
#include "catalogue/data_module.h"
#include "foundation/money.h"

namespace rxf {

// price (in the currency currencyId) in the currency whose rate is currentRate:
// price × rate of currencyId in rates / currentRate. Raises "В списке курсов валют документа
// отсутствует валюта [currencyId]!" when rates lacks the currency, then "Значение текущей
// валюты = 0!" when currentRate is 0. A null rates list makes the rate 0.
Money ConvertPrice(const TCurrencyList* rates, std::int32_t currencyId, Money currentRate,
                   Money price);

// The percent in column "Reduce_<index + 1>" of the price group; raises "В каталоге ценовых
// групп отсутствуют данные для группы [groupId]!" when the group is missing.
double GetPriceGroupReduce(const TDM& dm, std::int32_t groupId, int index);

// The entry's price converted to the active currency and raised by its price group's Reduce_1
// percent (a negative percent lowers it). Raises for an active currency missing from a present
// rate list before anything else; for a missing code raises the name search's message unless
// quiet, which gives 0.
Money GetCatalogPrice(const TDM& dm, const TActiveCurrency& active, std::string_view code,
                      bool quiet);

}  // namespace rxf
