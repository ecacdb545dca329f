// Questions about one catalogue entry: the Catalog row whose ID equals the code exactly (letter
// case counts). Raising forms raise Error with the system's message naming the code; quiet
// forms return the cleared result instead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "catalogue/data_module.h"

namespace rxf {

std::optional<RowRef> LocateCatalog(const TDM& dm, std::string_view code);

// The manufacturer article: which 1 ProdArticle, 2 ProdArticle2, 0 ProdArticle2 when the
// entry's UseArticle is 2 and ProdArticle otherwise; any other which gives "".
std::string GetProdArticle(const TDM& dm, std::string_view code, int which, bool quiet);

struct TCatalogInfo {
  std::string ProdArticle;
  std::string ProdArticle2;
  std::string Name;
  std::string Unit;
};
TCatalogInfo GetCatalogInfo(const TDM& dm, std::string_view code, bool quiet);

// Always raises when the code is missing.
std::string GetCatalogUnit(const TDM& dm, std::string_view code);
std::string GetCatalogName(const TDM& dm, std::string_view code, bool quiet);

// The named column of the entry (letter case ignored, extra columns included). Nothing (null)
// for an empty code or name, a column the catalogue lacks, a cell without value, or a missing
// code when quiet.
ExprValue GetCatalogValue(const TDM& dm, std::string_view code, std::string_view columnName,
                          bool quiet);

// Whether the code is not empty, the entry exists and its Virtual is 1.
bool IsVirtualArticle(const TDM& dm, std::string_view code);

// "В каталоге отсутствуют данные для [code]!\r\n(Поиск [Наименование] через [Код])": the name
// search's message, which the price lookup shares.
std::string MissingCatalogNameMessage(std::string_view code);

}  // namespace rxf
