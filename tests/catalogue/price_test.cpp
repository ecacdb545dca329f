#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalog_price.h"
#include "catalogue/currency_list.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

using test::SmallCatalogue;

std::string W(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

Money M(std::string_view text) {
  return *Money::Parse(text);
}

// Roubles at 1, euros at 92.5; no item for currency 3.
const TCurrencyList kRates = {{1, 1.0f}, {2, 92.5f}};

TEST(LookupCurrency, LoadCurrencyListReplacesTheItemsInTableOrder) {
  TCurrencyList list = {{9, 9.0f}};
  LoadCurrencyList(SmallCatalogue(), list);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].ID, 1);
  EXPECT_EQ(list[1].ID, 2);
  EXPECT_EQ(list[1].Value, 92.5f);
  EXPECT_EQ(list[2].ID, 3);
  EXPECT_EQ(list[2].Value, 0.36f);
}

TEST(LookupCurrency, RatesAndPositions) {
  const TCurrencyList twice = {{2, 92.5f}, {2, 90.0f}};
  struct Case {
    const char* name;
    const TCurrencyList* list;
    std::int32_t id;
    float rate;
    int index;
  } cases[] = {
      {"found", &kRates, 2, 92.5f, 1},
      {"not in the list", &kRates, 3, -1.0f, -1},
      {"no list", nullptr, 1, 0.0f, -1},
      {"first of two", &twice, 2, 92.5f, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetCurrencyRate(c.list, c.id), c.rate) << c.name;
    EXPECT_EQ(IndexOfCurrency(c.list, c.id), c.index) << c.name;
  }
}

TEST(LookupCurrency, NamesDecimalsAndWords) {
  const TDM& dm = SmallCatalogue();
  EXPECT_EQ(GetCurrencyName(dm, 2), W("евр"));
  EXPECT_EQ(GetCurrencyName(dm, 9), "");
  EXPECT_EQ(GetCurrencyDec(dm, 1), 2);
  EXPECT_EQ(GetCurrencyDec(dm, 3), 0);  // Dec without value reads 0
  EXPECT_EQ(GetCurrencyDec(dm, 9), 2);

  TMoneyWord words;
  words.DecNominative = W("копейка");
  GetCurrencyWords(dm, 3, words);
  EXPECT_EQ(words.Nominative, W("гривна"));
  EXPECT_EQ(words.Genitive, W("гривны"));
  EXPECT_EQ(words.GenitivePlural, W("гривен"));
  EXPECT_EQ(words.Gender, 1);
  EXPECT_EQ(words.Dec, 0);
  EXPECT_EQ(words.DecNominative, W("копейка"));

  const TMoneyWord before = words;
  GetCurrencyWords(dm, 9, words);
  EXPECT_EQ(words.Nominative, before.Nominative);
  EXPECT_EQ(words.Gender, before.Gender);
}

TEST(LookupPrice, ConvertPriceIsExactWithTiesToEven) {
  struct Case {
    const char* name;
    std::int32_t currency;
    Money currentRate;
    Money price;
    Money result;
  } cases[] = {
      {"tie rounds to even", 2, M("1"), M("1.2345"), M("114.1912")},
      {"same currency", 1, M("1"), M("12.34"), M("12.34")},
      {"into euros", 1, M("92.5"), M("100"), M("1.0811")},
      {"negative price", 2, M("1"), M("-1.2345"), M("-114.1912")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ConvertPrice(&kRates, c.currency, c.currentRate, c.price), c.result) << c.name;
  // Without a rate list every rate is 0.
  EXPECT_EQ(ConvertPrice(nullptr, 1, M("1"), M("5")), Money());
}

TEST(LookupPrice, ConvertPriceRefusesAMissingCurrencyThenAZeroRate) {
  struct Case {
    const char* name;
    const TCurrencyList* list;
    std::int32_t currency;
    Money currentRate;
    std::string message;
  } cases[] = {
      {"currency not in the list", &kRates, 3, M("1"),
       W("В списке курсов валют документа отсутствует валюта [3]!")},
      {"missing currency comes first", &kRates, 3, Money(),
       W("В списке курсов валют документа отсутствует валюта [3]!")},
      {"zero current rate", &kRates, 1, Money(), W("Значение текущей валюты = 0!")},
      {"zero current rate without a list", nullptr, 3, Money(), W("Значение текущей валюты = 0!")},
  };
  for (const auto& c : cases) {
    try {
      ConvertPrice(c.list, c.currency, c.currentRate, M("1"));
      ADD_FAILURE() << c.name << ": converted";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), c.message) << c.name;
    }
  }
}

TEST(LookupPrice, CatalogPriceInTheActiveCurrencyWithThePriceGroup) {
  const TCurrencyList roublesAt2 = {{1, 2.0f}, {2, 92.5f}};
  struct Case {
    const char* code;
    TActiveCurrency active;
    Money price;
  } cases[] = {
      {"A-100", {1, &kRates}, M("12.34")},     // no price group, current currency
      {"A-200", {1, &kRates}, M("11.106")},    // group 1: -10 %
      {"A-600", {1, &kRates}, M("11.25")},     // group 2: +12.5 %
      {"A-300", {1, &kRates}, M("114.1912")},  // euros
      {"A-300", {2, &kRates}, M("1.2345")},     {"A-100", {1, &roublesAt2}, M("12.34")},
      {"A-100", {2, &roublesAt2}, M("0.2668")},  // 12.34 × 2 / 92.5
      {"missing", {1, &kRates}, Money()},        // quiet
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetCatalogPrice(SmallCatalogue(), c.active, c.code, true), c.price)
        << c.code << " in " << c.active.ID;
}

TEST(LookupPrice, CatalogPriceMessages) {
  struct Case {
    const char* name;
    const char* code;
    TActiveCurrency active;
    bool quiet;
    std::string message;
  } cases[] = {
      {"missing code",
       "missing",
       {1, &kRates},
       false,
       W("В каталоге отсутствуют данные для [missing]!\r\n(Поиск [Наименование] через [Код])")},
      {"active currency not in the list, before the code",
       "missing",
       {3, &kRates},
       true,
       W("В списке курсов валют документа отсутствует валюта [3]!")},
      {"article's currency not in the list",
       "A-400",
       {1, &kRates},
       true,
       W("В списке курсов валют документа отсутствует валюта [7]!")},
      {"no rate list", "A-100", {1, nullptr}, true, W("Значение текущей валюты = 0!")},
      {"price group missing",
       "A-500",
       {1, &kRates},
       true,
       W("В каталоге ценовых групп отсутствуют данные для группы [9]!")},
  };
  for (const auto& c : cases) {
    try {
      GetCatalogPrice(SmallCatalogue(), c.active, c.code, c.quiet);
      ADD_FAILURE() << c.name << ": priced";
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), c.message) << c.name;
    }
  }
}

TEST(LookupPrice, PriceGroupReduceByIndex) {
  const TDM& dm = SmallCatalogue();
  EXPECT_DOUBLE_EQ(GetPriceGroupReduce(dm, 1, 0), -10);
  EXPECT_DOUBLE_EQ(GetPriceGroupReduce(dm, 1, 1), 3);
  EXPECT_DOUBLE_EQ(GetPriceGroupReduce(dm, 2, 1), 0);   // Reduce_2 without value
  EXPECT_THROW(GetPriceGroupReduce(dm, 1, 10), Error);  // there is no Reduce_11
}

}  // namespace
}  // namespace rxf
