// Currencies: the rate lists that documents keep, and the Currency table's names, decimals and
// word forms.
#pragma once

#include <cstdint>
#include <string>

#include "catalogue/currency_item.h"
#include "catalogue/data_module.h"
#include "foundation/money_words.h"

namespace rxf {

// The currency that prices are shown in and the rates they are converted at: those of the
// active document. List may be null (no document), which makes every rate 0.
struct TActiveCurrency {
  std::int32_t ID = 0;
  const TCurrencyList* List = nullptr;
};

// Replaces list's items by one item per Currency row, in table order, with its ID and Value.
void LoadCurrencyList(const TDM& dm, TCurrencyList& list);

// The Value of the first item with the ID; 0 when list is null; -1 when no item has the ID.
float GetCurrencyRate(const TCurrencyList* list, std::int32_t currencyId);
// The position of the first item with the ID; -1 when list is null or no item has it.
int IndexOfCurrency(const TCurrencyList* list, std::int32_t currencyId);

// Currency.Name; empty when the currency is missing.
std::string GetCurrencyName(const TDM& dm, std::int32_t currencyId);
// Currency.Dec; 2 when the currency is missing.
std::int32_t GetCurrencyDec(const TDM& dm, std::int32_t currencyId);
// Sets words' Nominative, Genitive, GenitivePlural, Gender and Dec from the currency; leaves
// words as they are when the currency is missing.
void GetCurrencyWords(const TDM& dm, std::int32_t currencyId, TMoneyWord& words);

}  // namespace rxf
