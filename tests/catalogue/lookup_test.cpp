#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "catalogue/catalog_lookups.h"
#include "catalogue/comp_lookups.h"
#include "catalogue/param_lookups.h"
#include "catalogue/property_check.h"
#include "catalogue/system_lookups.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

using test::SmallCatalogue;

std::string W(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

// A raising lookup: its message, or "" when it returned.
std::string MessageOf(const std::function<void()>& lookup) {
  try {
    lookup();
  } catch (const Error& error) {
    return error.what();
  }
  return {};
}

TEST(Lookup, ProdArticleFollowsWhichAndUseArticle) {
  struct Case {
    const char* code;
    int which;
    const char* article;
  } cases[] = {
      {"A-100", 0, "PB-100"},  // UseArticle 2
      {"A-200", 0, "PA-200"},  // UseArticle 1
      {"A-300", 0, "PA-300"},  // UseArticle 0
      {"A-400", 0, "PA-400"},  // UseArticle without value
      {"A-100", 1, "PA-100"}, {"A-100", 2, "PB-100"}, {"A-100", 3, ""}, {"A-100", -1, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetProdArticle(SmallCatalogue(), c.code, c.which, false), c.article)
        << c.code << " " << c.which;
}

TEST(Lookup, CatalogEntryFields) {
  const TDM& dm = SmallCatalogue();
  const TCatalogInfo info = GetCatalogInfo(dm, "A-300", false);
  EXPECT_EQ(info.ProdArticle, "PA-300");
  EXPECT_EQ(info.ProdArticle2, "PB-300");
  EXPECT_EQ(info.Name, W("Накладка \"Люкс\""));
  EXPECT_EQ(info.Unit, W("шт"));
  EXPECT_EQ(GetCatalogName(dm, "A-600", false), W("Ножницы"));
  EXPECT_EQ(GetCatalogUnit(dm, "A-600"), W("м"));
  EXPECT_TRUE(IsVirtualArticle(dm, "A-300"));
  EXPECT_FALSE(IsVirtualArticle(dm, "A-100"));
  EXPECT_FALSE(IsVirtualArticle(dm, "missing"));
  EXPECT_FALSE(IsVirtualArticle(dm, ""));
}

TEST(Lookup, MissingCatalogCodeRaisesItsMessageOrGivesTheEmptyResult) {
  const TDM& dm = SmallCatalogue();
  const std::string code = "a-100";  // differs from A-100 in case only
  struct Case {
    const char* name;
    std::function<void()> lookup;
    std::string message;
  } cases[] = {
      {"GetProdArticle", [&] { GetProdArticle(dm, code, 1, false); },
       W("В каталоге отсутствуют данные для [a-100]!\r\n(Поиск [Артикул производителя] через "
         "[Код])")},
      {"GetProdArticle with another which", [&] { GetProdArticle(dm, code, 5, false); },
       W("В каталоге отсутствуют данные для [a-100]!\r\n(Поиск [Артикул производителя] через "
         "[Код])")},
      {"GetCatalogInfo", [&] { GetCatalogInfo(dm, code, false); },
       W("В каталоге отсутствуют данные для [a-100]!\r\n(Поиск [Артикул производителя] через "
         "[Код])")},
      {"GetCatalogUnit", [&] { GetCatalogUnit(dm, code); },
       W("В каталоге отсутствуют данные для [a-100]!\r\n(Поиск [Ед.изм] через [Код])")},
      {"GetCatalogName", [&] { GetCatalogName(dm, code, false); },
       W("В каталоге отсутствуют данные для [a-100]!\r\n(Поиск [Наименование] через [Код])")},
      {"GetCatalogValue", [&] { GetCatalogValue(dm, code, "Name", false); },
       W("В каталоге не найден материал с кодом [a-100]!")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageOf(c.lookup), c.message) << c.name;

  EXPECT_EQ(GetProdArticle(dm, code, 1, true), "");
  const TCatalogInfo info = GetCatalogInfo(dm, code, true);
  EXPECT_EQ(info.ProdArticle + info.ProdArticle2 + info.Name + info.Unit, "");
  EXPECT_EQ(GetCatalogName(dm, code, true), "");
  EXPECT_EQ(GetCatalogValue(dm, code, "Name", true), ExprValue{});
}

TEST(Lookup, CatalogValueByColumnName) {
  const TDM& dm = SmallCatalogue();
  struct Case {
    const char* name;
    std::string code;
    std::string column;
    ExprValue value;
  } cases[] = {
      {"text", "A-100", "Name", W("Петля верхняя")},
      {"letter case of the name ignored", "A-100", "pricegrp", 0.0},
      {"money", "A-300", "Price", 1.2345},
      {"extra column of the file", "A-100", W("ШТРИХКОД"), std::string("4600001")},
      {"cell without value", "A-200", W("Штрихкод"), ExprValue{}},
      {"column the catalogue lacks", "A-100", "Colour", ExprValue{}},
      {"empty code", "", "Name", ExprValue{}},
      {"empty column name", "missing", "", ExprValue{}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetCatalogValue(dm, c.code, c.column, false), c.value) << c.name;
}

TEST(Lookup, Kits) {
  const TDM& dm = SmallCatalogue();
  EXPECT_TRUE(FindComp(dm, "K1"));
  EXPECT_FALSE(FindComp(dm, "k1"));
  EXPECT_EQ(GetCompName(dm, "K1"), W("Комплект поворотно-откидной"));
  EXPECT_EQ(MessageOf([&] { GetCompName(dm, "K9"); }),
            W("В БД комплектов фурнитур отсутствуют\r\nданные для комплекта [K9]"));
  EXPECT_EQ(FindCompName(dm, "K2"), W("Комплект без печати"));
  EXPECT_EQ(FindCompName(dm, "K9"), std::nullopt);

  struct Case {
    const char* kit;
    std::int32_t group, image, scrColor;
    std::string printName;
    bool printable;
  } cases[] = {
      {"K1", 2, 3, 255, W("ПО комплект"), true},
      {"K2", 0, 0, 0, "", false},
      {"K9", 0, 0, 0xFFFFFF, "", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetCompGroup(dm, c.kit), c.group) << c.kit;
    EXPECT_EQ(GetCompImage(dm, c.kit), c.image) << c.kit;
    EXPECT_EQ(GetCompScrColor(dm, c.kit), c.scrColor) << c.kit;
    const TCompPrintInfo print = GetCompPrintInfo(dm, c.kit);
    EXPECT_EQ(print.PrintName, c.printName) << c.kit;
    EXPECT_EQ(print.Printable, c.printable) << c.kit;
  }
}

TEST(Lookup, SideHandleDirectBySideNumber) {
  struct Case {
    const char* kit;
    int side;
    std::int32_t direct;
  } cases[] = {{"K1", 1, 4}, {"K1", 3, 2}, {"K1", 2, 0}, {"K2", 1, 0}};
  for (const auto& c : cases)
    EXPECT_EQ(GetSideHandleDirect(SmallCatalogue(), c.kit, c.side), c.direct)
        << c.kit << " " << c.side;
}

TEST(Lookup, SystemsAndColours) {
  const TDM& dm = SmallCatalogue();
  EXPECT_EQ(GetSystemCommonGrp(dm, "S1", false), 100);
  EXPECT_EQ(GetSystemCommonGrp(dm, "S2", false), 0);
  EXPECT_EQ(GetSystemCommonGrp(dm, "S9", true), 0);
  EXPECT_EQ(MessageOf([&] { GetSystemCommonGrp(dm, "S9", false); }),
            W("В БД отсутствуют данные для системы [S9]!"));
  EXPECT_EQ(GetSystemName(dm, "S1"), W("Система один"));
  EXPECT_EQ(GetSystemName(dm, "S9"), "");
  EXPECT_EQ(GetSystemBaseColor(dm, "S1"), "9016");
  EXPECT_EQ(GetSystemBaseColor(dm, "S2"), "");
  EXPECT_EQ(GetSchlSysName(dm, "P1"), W("Планки стандарт"));
  EXPECT_EQ(GetSchlSysName(dm, "S1"), "");
  EXPECT_EQ(GetColorName(dm, "8017"), W("Коричневый"));
  EXPECT_EQ(GetColorName(dm, "0000"), "");
  EXPECT_EQ(GetColorName(dm, ""), "");
}

TFlugelParams Filled() {
  TFlugelParams params;
  params.FalzLuft = params.FalzSize = params.FalzPos = 77;
  params.DornMass = 77;
  params.OpenType = 77;
  return params;
}

TEST(Lookup, ParameterListsFillTheirFields) {
  const TDM& dm = SmallCatalogue();
  TFlugelParams params = Filled();
  GetFalzParams(dm, 150, params, false);
  EXPECT_EQ(params.FalzLuft, 12);
  EXPECT_EQ(params.FalzSize, 20);
  EXPECT_EQ(params.FalzPos, 9);
  GetDornMass(dm, 250, params, false);
  EXPECT_FLOAT_EQ(params.DornMass, 15.5f);
  GetOpenType(dm, 450, params, false);
  EXPECT_EQ(params.OpenType, 1);
  EXPECT_EQ(GetStulpType(dm, 350, false), 2);
  EXPECT_EQ(GetFalzName(dm, 150), W("Фальц 12/20-9"));
  EXPECT_EQ(GetDornName(dm, 250), W("Дорн 15"));
  EXPECT_EQ(GetStulpName(dm, 350), W("Штульп T"));
  EXPECT_EQ(GetOpenName(dm, 450), W("Поворотное"));
  // Each list sees only its own range.
  EXPECT_EQ(GetFalzName(dm, 250), "");
  EXPECT_EQ(GetOpenName(dm, 500), "");
}

TEST(Lookup, MissingParameterEntryClearsTheOutputThenRaises) {
  const TDM& dm = SmallCatalogue();
  struct Case {
    const char* name;
    std::function<void(TFlugelParams&, bool)> lookup;
    std::string message;
    std::function<bool(const TFlugelParams&)> cleared;
  } cases[] = {
      {"rebate", [&](TFlugelParams& p, bool quiet) { GetFalzParams(dm, 250, p, quiet); },
       W("В БД параметров фальца отсутствуют данные для кода [250]!"),
       [](const TFlugelParams& p) { return p.FalzLuft == 0 && p.FalzSize == 0 && p.FalzPos == 0; }},
      {"backset", [&](TFlugelParams& p, bool quiet) { GetDornMass(dm, 99, p, quiet); },
       W("В БД параметров дорнмасса отсутствуют данные для кода [99]!"),
       [](const TFlugelParams& p) { return p.DornMass == 0 && p.FalzLuft == 77; }},
      {"opening", [&](TFlugelParams& p, bool quiet) { GetOpenType(dm, 500, p, quiet); },
       W("В БД типов открываний створок отсутствуют данные для кода [500]!"),
       [](const TFlugelParams& p) { return p.OpenType == 0 && p.DornMass == 77; }},
  };
  for (const auto& c : cases) {
    TFlugelParams raised = Filled();
    EXPECT_EQ(MessageOf([&] { c.lookup(raised, false); }), c.message) << c.name;
    EXPECT_TRUE(c.cleared(raised)) << c.name;
    TFlugelParams quiet = Filled();
    EXPECT_EQ(MessageOf([&] { c.lookup(quiet, true); }), "") << c.name;
    EXPECT_TRUE(c.cleared(quiet)) << c.name;
  }
  EXPECT_EQ(MessageOf([&] { GetStulpType(dm, 450, false); }),
            W("В БД типов штульпа отсутствуют данные для кода [450]!"));
  EXPECT_EQ(GetStulpType(dm, 450, true), 0);
}

TEST(Lookup, PropertyRuleAdmitsListedValuesAndSilentDecades) {
  const TDM& dm = SmallCatalogue();  // FrnProp: (key 7, 1231), (key 8, 1240)
  struct Case {
    const char* name;
    std::int32_t key;
    std::vector<std::string> list;
    int kind;
    bool admitted;
  } cases[] = {
      {"key without rows", 5, {"1=1234"}, 1, true},
      {"other value of the decade listed", 7, {"1=1234"}, 1, false},
      {"only another decade listed", 8, {"1=1234"}, 1, true},
      {"value listed", 7, {"1=1231"}, 1, true},
      {"one line refused", 7, {"1=1231", "1=1234"}, 1, false},
      {"lines of another kind", 7, {"2=1234", "0=1235"}, 1, true},
      {"malformed line of another kind", 7, {"2=x"}, 1, true},
      {"empty list", 7, {}, 1, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CheckProperties(dm, c.key, c.list, c.kind), c.admitted) << c.name;
  EXPECT_EQ(MessageOf([&] { CheckProperties(dm, 7, std::vector<std::string>{"1=12x"}, 1); }),
            W("\"12x\" не является целым числом"));
}

}  // namespace
}  // namespace rxf
