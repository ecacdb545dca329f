#include "foundation/expression.h"

#include <gtest/gtest.h>

#include <map>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

// Identifiers from a table; FL(n) doubles its argument; anything else is unknown.
class TableResolver : public ExprResolver {
 public:
  std::map<std::string, ExprValue> values;

  ExprValue Identifier(std::string_view name, int) const override {
    const auto found = values.find(std::string(name));
    return found == values.end() ? ExprValue{} : found->second;
  }
  ExprValue Call(std::string_view name, std::span<const ExprValue> args) const override {
    if (name == "FL")
      return std::get<double>(args[0]) * 2;
    if (name == "SUM3")
      return std::get<double>(args[0]) + std::get<double>(args[1]) + std::get<double>(args[2]);
    return ExprResolver::Call(name, args);
  }
};

TableResolver Sash() {
  TableResolver resolver;
  resolver.values[std::string("FН"_w)] = 1400.0;
  resolver.values["FB"] = 700.0;
  resolver.values["Color"] = std::string("9016");
  resolver.values["Empty"] = std::string();
  resolver.values["Null"] = ExprValue{};
  return resolver;
}

TEST(Expression, ArithmeticAndPrecedence) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"1 + 2 * 3", 7},
      {"(1 + 2) * 3", 9},
      {"10 - 4 - 3", 3},
      {"-FB + 100", -600},
      {"- -5", 5},
      {"7 / 2", 3.5},
      {"7 div 2", 3},
      {"-7 mod 3", -1},
      {"2.5 * 2", 5},
      {"FL(FB - 50) / 10", 130},
      {"SUM3(1, 2, FL(3))", 9},
      {"Unknown + 1", 1},
      {".5 + 1", 1.5},
      {"FB > 600 and FB < 800", 1},
      {"not (FB = 700)", 0},
  };
  const TableResolver resolver = Sash();
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(Expression::Parse(c.text).EvaluateNumber(resolver), c.value) << c.text;
  EXPECT_DOUBLE_EQ(Expression::Parse(Utf8ToCp1251("FН - 2*FB")).EvaluateNumber(resolver), 0);
}

TEST(Expression, FilterConditions) {
  struct Case {
    const char* text;
    bool matches;
  } cases[] = {
      {"Color = '9016'", true},
      {"Color = '9016 '", false},
      {"Color <> '9016'", false},
      {"Empty = ''", true},
      {"Null = ''", true},  // a column without text equals the empty literal
      {"Color = ''", false},
      {"Color > '9000' AND Color < '9100'", true},
      {"FB >= 700 and FB <= 700", true},
      {"FB >= 700.5 or Color = 'x'", false},
      {"Null <= 80", false},  // nothing is never within a range
      {"Null <> 80", true},
      {"Color = 9016", true},  // text that reads as a number compares by value
      {"Color = 'It''s'", false},
      {"(FB = 1 or FB = 700) and not Color = ''", true},
  };
  const TableResolver resolver = Sash();
  for (const auto& c : cases)
    EXPECT_EQ(Expression::Parse(c.text).EvaluateCondition(resolver), c.matches) << c.text;
}

TEST(Expression, TextLiteralsAndConcatenation) {
  const TableResolver resolver = Sash();
  EXPECT_EQ(std::get<std::string>(Expression::Parse("'It''s' + ' ' + Color").Evaluate(resolver)),
            "It's 9016");
  EXPECT_EQ(std::get<std::string>(Expression::Parse("''''").Evaluate(resolver)), "'");
  EXPECT_EQ(std::get<std::string>(Expression::Parse("'n' + 2.5").Evaluate(resolver)), "n2.5");
}

TEST(Expression, MalformedTextNamesTheTextAndThePlace) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"FB * (2 + 1", "Ошибка в выражении \"FB * (2 + 1\": ожидается \")\" (позиция 12)"},
      {"FB +", "Ошибка в выражении \"FB +\": ожидается значение (позиция 5)"},
      {"FB # 2", "Ошибка в выражении \"FB # 2\": лишний текст после выражения (позиция 4)"},
      {"'abc", "Ошибка в выражении \"'abc\": не закрыта строка в кавычках (позиция 5)"},
      {"F(1,2,3,4)",
       "Ошибка в выражении \"F(1,2,3,4)\": у функции больше трёх аргументов (позиция 9)"},
      {"", "Ошибка в выражении \"\": ожидается значение (позиция 1)"},
  };
  for (const auto& c : cases) {
    try {
      Expression::Parse(c.text);
      ADD_FAILURE() << "parsed: " << c.text;
    } catch (const Error& e) {
      EXPECT_EQ(Cp1251ToUtf8(e.what()), c.message) << c.text;
    }
  }
}

TEST(Expression, EvaluationErrors) {
  const TableResolver resolver = Sash();
  EXPECT_THROW(Expression::Parse("FB / (FB - 700)").Evaluate(resolver), Error);
  EXPECT_THROW(Expression::Parse("FB mod 0").Evaluate(resolver), Error);
  EXPECT_THROW(Expression::Parse("Color * 2 + 'x' * 1").Evaluate(resolver), Error);
  EXPECT_THROW(Expression::Parse("NOSUCH(1)").Evaluate(resolver), Error);
}

TEST(Expression, KeywordsNeedWholeWords) {
  TableResolver resolver;
  resolver.values["ORDER"] = 5.0;
  resolver.values["android"] = 2.0;
  EXPECT_DOUBLE_EQ(Expression::Parse("ORDER + android").EvaluateNumber(resolver), 7);
}

TEST(Expression, BoundSlotsReachTheResolver) {
  struct SlotResolver : ExprResolver {
    ExprValue Identifier(std::string_view, int slot) const override { return slot * 10.0; }
  } resolver;
  Expression expression = Expression::Parse("A + B * 2");
  expression.BindIdentifiers([](std::string_view name) { return name == "A" ? 1 : 2; });
  EXPECT_DOUBLE_EQ(expression.EvaluateNumber(resolver), 50);
}

}  // namespace
}  // namespace rxf
