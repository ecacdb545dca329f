#include "catalogue/currency_list.h"

#include <algorithm>
#include <optional>

namespace rxf {

namespace {

std::optional<RowRef> LocateCurrency(const TDM& dm, std::int32_t currencyId) {
  return dm.T_Currency().Locate("ID", {static_cast<double>(currencyId)});
}

}  // namespace

void LoadCurrencyList(const TDM& dm, TCurrencyList& list) {
  list.clear();
  const MemoryTable& table = dm.T_Currency().Table();
  const int id = table.ColumnIndex("ID");
  const int value = table.ColumnIndex("Value");
  for (const RowIndex row : dm.T_Currency().Rows())
    list.push_back({static_cast<std::int32_t>(table.Integer(row, id)),
                    static_cast<float>(table.Float(row, value))});
}

float GetCurrencyRate(const TCurrencyList* list, std::int32_t currencyId) {
  if (!list)
    return 0;
  const int index = IndexOfCurrency(list, currencyId);
  return index < 0 ? -1 : (*list)[index].Value;
}

int IndexOfCurrency(const TCurrencyList* list, std::int32_t currencyId) {
  if (!list)
    return -1;
  const auto found = std::find_if(list->begin(), list->end(),
                                  [currencyId](const auto& item) { return item.ID == currencyId; });
  return found == list->end() ? -1 : static_cast<int>(found - list->begin());
}

std::string GetCurrencyName(const TDM& dm, std::int32_t currencyId) {
  const auto row = LocateCurrency(dm, currencyId);
  return row ? row->Text("Name") : std::string();
}

std::int32_t GetCurrencyDec(const TDM& dm, std::int32_t currencyId) {
  const auto row = LocateCurrency(dm, currencyId);
  return row ? static_cast<std::int32_t>(row->Integer("Dec")) : 2;
}

void GetCurrencyWords(const TDM& dm, std::int32_t currencyId, TMoneyWord& words) {
  const auto row = LocateCurrency(dm, currencyId);
  if (!row)
    return;
  words.Nominative = row->Text("Nominative");
  words.Genitive = row->Text("Genitive");
  words.GenitivePlural = row->Text("GenitivePlural");
  words.Gender = static_cast<std::uint8_t>(row->Integer("Gender"));
  words.Dec = static_cast<std::int32_t>(row->Integer("Dec"));
}

}  // namespace rxf
