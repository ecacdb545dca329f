#include "catalogue/catalog_lookups.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

std::string MissingProdArticleMessage(std::string_view code) {
  return Format(
      "В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Артикул производителя] через [Код])"_w,
      code);
}

// The entry, or Error(message) unless quiet.
template <typename Message>
std::optional<RowRef> LocateOrRaise(const TDM& dm, std::string_view code, bool quiet,
                                    Message message) {
  auto row = LocateCatalog(dm, code);
  if (!row && !quiet)
    throw Error(message(code));
  return row;
}

}  // namespace

std::optional<RowRef> LocateCatalog(const TDM& dm, std::string_view code) {
  return dm.T_Catalog().Locate("ID", {std::string(code)});
}

std::string GetProdArticle(const TDM& dm, std::string_view code, int which, bool quiet) {
  const auto row = LocateOrRaise(dm, code, quiet, MissingProdArticleMessage);
  if (!row)
    return {};
  switch (which) {
    case 0:
      return row->Text(row->Integer("UseArticle") == 2 ? "ProdArticle2" : "ProdArticle");
    case 1:
      return row->Text("ProdArticle");
    case 2:
      return row->Text("ProdArticle2");
    default:
      return {};
  }
}

TCatalogInfo GetCatalogInfo(const TDM& dm, std::string_view code, bool quiet) {
  const auto row = LocateOrRaise(dm, code, quiet, MissingProdArticleMessage);
  if (!row)
    return {};
  return {row->Text("ProdArticle"), row->Text("ProdArticle2"), row->Text("Name"),
          row->Text("Unit")};
}

std::string GetCatalogUnit(const TDM& dm, std::string_view code) {
  const auto row = LocateOrRaise(dm, code, false, [](std::string_view missing) {
    return Format("В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Ед.изм] через [Код])"_w,
                  missing);
  });
  return row->Text("Unit");
}

std::string GetCatalogName(const TDM& dm, std::string_view code, bool quiet) {
  const auto row = LocateOrRaise(dm, code, quiet, MissingCatalogNameMessage);
  return row ? row->Text("Name") : std::string();
}

ExprValue GetCatalogValue(const TDM& dm, std::string_view code, std::string_view columnName,
                          bool quiet) {
  if (code.empty() || columnName.empty())
    return std::monostate{};
  const auto row = LocateOrRaise(dm, code, quiet, [](std::string_view missing) {
    return Format("В каталоге не найден материал с кодом [%s]!"_w, missing);
  });
  if (!row)
    return std::monostate{};
  const auto column = row->Table().FindColumn(columnName);
  if (!column)
    return std::monostate{};
  return row->Table().Value(row->Index(), *column);
}

bool IsVirtualArticle(const TDM& dm, std::string_view code) {
  if (code.empty())
    return false;
  const auto row = LocateCatalog(dm, code);
  return row && row->Integer("Virtual") == 1;
}

std::string MissingCatalogNameMessage(std::string_view code) {
  return Format("В каталоге отсутствуют данные для [%s]!\r\n(Поиск [Наименование] через [Код])"_w,
                code);
}

}  // namespace rxf
