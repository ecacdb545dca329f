#include "selection/article_query.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "selection/engine_fixture.h"

namespace rxf {
namespace {

using test::EngineFixture;
using test::ErrorOf;

TItemFlags NoFlags() {
  return TItemFlags{};
}

TEST(ArticleFilter, ClausesInTheirOrderAndForms) {
  TArticleQuery example;
  example.Item = "EL1";
  example.Condition = 4;
  example.Length1 = 1400;
  example.Params.FalzLuft = 12;
  example.Color = "9016";
  TItemFlags luftAndColor = NoFlags();
  luftAndColor.HasFalzLuft = luftAndColor.HasColor = true;
  const TArticleFilters filters = BuildArticleFilters(example, luftAndColor);
  EXPECT_EQ(filters.Filter,
            "FFL1Min <= 1400 and FFL1Max >= 1400 and FalzLuft = 12 and ID='EL1' and "
            "Color = '9016' ");
  EXPECT_EQ(filters.Fallback,
            "FFL1Min <= 1400 and FFL1Max >= 1400 and FalzLuft = 12 and ID='EL1' and Color = '' ");
  EXPECT_DOUBLE_EQ(filters.PrimaryMeasure, 1400);

  struct Case {
    const char* name;
    std::function<void(TArticleQuery&, TItemFlags&)> setup;
    const char* filter;
  } cases[] = {
      {"item alone", [](TArticleQuery&, TItemFlags&) {}, "ID='EL1' "},
      {"weight first, two blanks", [](TArticleQuery&, TItemFlags& f) { f.CheckWeight = true; },
       "WeightMin <= 0.00 and  WeightMax >= 0.00 and ID='EL1' "},
      {"thickness and width after a clause start with a blank",
       [](TArticleQuery& q, TItemFlags& f) {
         q.Params.FalzSize = 20;
         q.Params.ProfThickness = 70;
         q.ProfWidth = 100;
         f.HasFalzSize = f.CheckThickness = f.CheckProfWidth = true;
       },
       "FalzSize = 20  and ThicknessMin <= 70 and ThicknessMax >= 70  and ProfWidthMin <= 100 "
       "and ProfWidthMax >= 100 and ID='EL1' "},
      {"backset with two decimals, direction, mullion",
       [](TArticleQuery& q, TItemFlags& f) {
         q.Params.DornMass = 7.5f;
         q.Direct = 2;
         q.StulpType = 6;
         f.HasDornMass = f.CheckDirect = f.CheckStulpType = true;
       },
       "DornMassMin <= 7.50 and DornMassMax >= 7.50 and StulpType = 6 and (Direct = 3 or Direct "
       "= 2) and ID='EL1' "},
      {"width and height in centimetres",
       [](TArticleQuery& q, TItemFlags&) {
         q.Condition = 3;
         q.FFB = 70;
         q.FFH = 140;
       },
       "FFBMin <= 70 and FFBMax >= 70 and FFHMin <= 140 and FFHMax >= 140 and ID='EL1' "},
      {"angle and handle",
       [](TArticleQuery& q, TItemFlags&) {
         q.Condition = 7;
         q.Angle = 45.125;
       },
       "FFAMin <= 45.13 and FFAMax >= 45.13 and ID='EL1' "},
      {"quotes are doubled",
       [](TArticleQuery& q, TItemFlags& f) {
         q.Item = "It's";
         q.ProfSys = "P'58";
         f.HasProfSys = true;
       },
       "ProfSys = 'P''58' and ID='It''s' "},
      {"colour with an empty rule colour", [](TArticleQuery&, TItemFlags& f) { f.HasColor = true; },
       "ID='EL1' and Color = '' "},
  };
  SetProcessFormats(DesktopFormats());  // the filter keeps "." whatever the user's formats
  for (const auto& c : cases) {
    TArticleQuery query;
    query.Item = "EL1";
    TItemFlags flags = NoFlags();
    c.setup(query, flags);
    EXPECT_EQ(BuildArticleFilters(query, flags).Filter, c.filter) << c.name;
  }
  SetProcessFormats(InvariantFormats());

  TItemFlags profSys = NoFlags();
  profSys.HasProfSys = true;
  TArticleQuery noProfSys;
  noProfSys.KitName = "K";
  EXPECT_EQ(ErrorOf([&] { BuildArticleFilters(noProfSys, profSys); }),
            "Для комплекта фурнитуры [K]\r\nне указана система ответных планок!");
}

class ArticleQueryTest : public ::testing::Test {
 protected:
  TArticleResult Query(const std::string& item, bool required = true,
                       const std::string& color = "9016") {
    TArticleQuery query;
    query.Item = item;
    query.Required = required;
    query.Color = color;
    query.Condition = 2;
    query.FFH = 141;
    query.DefineHandle = true;
    return QueryArticle(f.Context(), query);
  }
  EngineFixture f;
};

TEST_F(ArticleQueryTest, ColourFallbackChooserAndHandleHeight) {
  f.Item("PLAIN", {{"HasColor", "1"}});
  f.Article("PLAIN", "A-PLAIN-2");
  f.Item("WHITE", {{"HasColor", "1"}}, {{"Color", "9016"}, {"HandleHeight", "1050"}});
  f.Article("WHITE", "A-WHITE-X");
  std::vector<std::string> offered;
  f.Chooser = [&](const TArticleChoice& choice) {
    offered.push_back(Cp1251ToUtf8(choice.Caption) + "|" + choice.Column1 + "|" + choice.Column2 +
                      "|" + std::to_string(choice.Rows.size()));
    return std::size_t{1};
  };
  const TArticleResult plain = Query("PLAIN");
  EXPECT_TRUE(plain.Found);
  EXPECT_EQ(plain.Article, "A-PLAIN-2");  // both colourless articles offered, the second chosen
  EXPECT_EQ(plain.HandleHeight, 71);      // half of FFH, rounded half away from zero
  EXPECT_EQ(plain.Filter, "FFHMin <= 141 and FFHMax >= 141 and ID='PLAIN' and Color = '' ");
  ASSERT_EQ(offered.size(), 1u);
  EXPECT_EQ(offered[0], "Список артикулов|CatalogID|CatalogNameLookup|2");

  const TArticleResult white = Query("WHITE");
  EXPECT_EQ(white.Article, "A-WHITE");  // the coloured one matches: no fallback, no chooser
  EXPECT_EQ(white.HandleHeight, 1050);
  EXPECT_EQ(offered.size(), 1u);
}

TEST_F(ArticleQueryTest, MissingArticles) {
  f.Item("NARROW", {{"Name", "Угловик"}}, {{"FFHMax", "100"}});
  f.Item("ALERT", {}, {{"FFHMax", "100"}});
  f.Item("EMPTY", {}, {{"CatalogID", ""}});
  f.Add("FrnItem", {{"ID", "NOARTS"}, {"Name", "Без артикулов"}});
  f.Article("GHOST", "A-GHOST");  // articles of an item the documentation lacks
  EXPECT_EQ(ErrorOf([&] { Query("NARROW"); }),
            "В БД артикулов фурнитуры не найден подходящий\r\nартикул для элемента фурнитуры "
            "[Угловик]!\r\n\r\nИскомый запрос:\r\nFFHMin <= 141 and FFHMax >= 141 and "
            "ID='NARROW' ");
  EXPECT_FALSE(Query("NARROW", false).Found);
  EXPECT_FALSE(Query("NOARTS").Found);  // no article rows at all: quietly nothing
  EXPECT_EQ(ErrorOf([&] { Query("GHOST"); }),
            "Элемент фурнитуры [GHOST] не найден в документации!");
  EXPECT_EQ(ErrorOf([&] { Query("EMPTY"); }),
            "В БД артикулов фурнитуры найден пустой\r\nартикул для элемента фурнитуры [Элемент "
            "EMPTY]!");
  TArticleQuery alert;
  alert.Item = "ALERT";
  alert.Required = true;
  alert.Condition = 2;
  alert.FFH = 141;
  alert.AlertText = Utf8ToCp1251("Нет петли для такой высоты");
  EXPECT_EQ(ErrorOf([&] { QueryArticle(f.Context(), alert); }), "Нет петли для такой высоты");
}

}  // namespace
}  // namespace rxf
