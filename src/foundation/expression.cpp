#include "foundation/expression.h"

#include <charconv>
#include <cmath>
#include <utility>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

using Kind = ExprNode::Kind;
using Op = ExprNode::Op;

bool IsIdentifierStart(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || byte >= 0xC0 ||
         byte == 0xA8 || byte == 0xB8;
}

bool IsIdentifierChar(char c) {
  return IsIdentifierStart(c) || (c >= '0' && c <= '9');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::unique_ptr<ExprNode> MakeNode(Kind kind) {
  auto node = std::make_unique<ExprNode>();
  node->kind = kind;
  return node;
}

std::unique_ptr<ExprNode> MakeBinary(Op op, std::unique_ptr<ExprNode> left,
                                     std::unique_ptr<ExprNode> right) {
  auto node = MakeNode(Kind::Binary);
  node->op = op;
  node->children.push_back(std::move(left));
  node->children.push_back(std::move(right));
  return node;
}

// Recursive descent over the text; positions in messages count from 1.
class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::unique_ptr<ExprNode> ParseWhole() {
    auto root = ParseOr();
    SkipBlanks();
    if (pos_ < text_.size())
      Fail("лишний текст после выражения"_w);
    return root;
  }

 private:
  std::unique_ptr<ExprNode> ParseOr() {
    auto left = ParseAnd();
    while (AcceptKeyword("OR"))
      left = MakeBinary(Op::Or, std::move(left), ParseAnd());
    return left;
  }

  std::unique_ptr<ExprNode> ParseAnd() {
    auto left = ParseNot();
    while (AcceptKeyword("AND"))
      left = MakeBinary(Op::And, std::move(left), ParseNot());
    return left;
  }

  std::unique_ptr<ExprNode> ParseNot() {
    if (!AcceptKeyword("NOT"))
      return ParseComparison();
    auto node = MakeNode(Kind::Not);
    node->children.push_back(ParseNot());
    return node;
  }

  std::unique_ptr<ExprNode> ParseComparison() {
    auto left = ParseAdditive();
    static constexpr std::pair<std::string_view, Op> kOperators[] = {{"<>", Op::Ne}, {"<=", Op::Le},
                                                                     {">=", Op::Ge}, {"=", Op::Eq},
                                                                     {"<", Op::Lt},  {">", Op::Gt}};
    SkipBlanks();
    for (const auto& [symbol, op] : kOperators) {
      if (text_.substr(pos_).starts_with(symbol)) {
        pos_ += symbol.size();
        return MakeBinary(op, std::move(left), ParseAdditive());
      }
    }
    return left;
  }

  std::unique_ptr<ExprNode> ParseAdditive() {
    auto left = ParseMultiplicative();
    for (;;) {
      if (AcceptSymbol('+'))
        left = MakeBinary(Op::Add, std::move(left), ParseMultiplicative());
      else if (AcceptSymbol('-'))
        left = MakeBinary(Op::Sub, std::move(left), ParseMultiplicative());
      else
        return left;
    }
  }

  std::unique_ptr<ExprNode> ParseMultiplicative() {
    auto left = ParseUnary();
    for (;;) {
      if (AcceptSymbol('*'))
        left = MakeBinary(Op::Mul, std::move(left), ParseUnary());
      else if (AcceptSymbol('/'))
        left = MakeBinary(Op::Div, std::move(left), ParseUnary());
      else if (AcceptKeyword("DIV"))
        left = MakeBinary(Op::IntDiv, std::move(left), ParseUnary());
      else if (AcceptKeyword("MOD"))
        left = MakeBinary(Op::Mod, std::move(left), ParseUnary());
      else
        return left;
    }
  }

  std::unique_ptr<ExprNode> ParseUnary() {
    if (AcceptSymbol('-')) {
      auto node = MakeNode(Kind::Negate);
      node->children.push_back(ParseUnary());
      return node;
    }
    if (AcceptSymbol('+'))
      return ParseUnary();
    return ParsePrimary();
  }

  std::unique_ptr<ExprNode> ParsePrimary() {
    SkipBlanks();
    if (pos_ >= text_.size())
      Fail("ожидается значение"_w);
    const char c = text_[pos_];
    if (c == '(') {
      ++pos_;
      auto inner = ParseOr();
      Expect(')');
      return inner;
    }
    if (c == '\'')
      return ParseText();
    if (IsDigit(c) || (c == '.' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1])))
      return ParseNumber();
    if (IsIdentifierStart(c))
      return ParseIdentifierOrCall();
    Fail(Format(std::string("недопустимый символ \"%s\""_w), std::string(1, c)));
  }

  std::unique_ptr<ExprNode> ParseText() {
    auto node = MakeNode(Kind::Text);
    for (++pos_;; ++pos_) {
      if (pos_ >= text_.size())
        Fail("не закрыта строка в кавычках"_w);
      if (text_[pos_] == '\'') {
        if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
          node->text += '\'';
          ++pos_;
          continue;
        }
        ++pos_;
        return node;
      }
      node->text += text_[pos_];
    }
  }

  std::unique_ptr<ExprNode> ParseNumber() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_]))
      ++pos_;
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_]))
        ++pos_;
    }
    auto node = MakeNode(Kind::Number);
    std::from_chars(text_.data() + start, text_.data() + pos_, node->number);
    return node;
  }

  std::unique_ptr<ExprNode> ParseIdentifierOrCall() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsIdentifierChar(text_[pos_]))
      ++pos_;
    std::string name(text_.substr(start, pos_ - start));
    if (!AcceptSymbol('(')) {
      auto node = MakeNode(Kind::Identifier);
      node->text = std::move(name);
      return node;
    }
    auto node = MakeNode(Kind::Call);
    node->text = std::move(name);
    do {
      if (node->children.size() == 3)
        Fail("у функции больше трёх аргументов"_w);
      node->children.push_back(ParseOr());
    } while (AcceptSymbol(','));
    Expect(')');
    return node;
  }

  void SkipBlanks() {
    while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ')
      ++pos_;
  }

  bool AcceptSymbol(char symbol) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == symbol) {
      ++pos_;
      return true;
    }
    return false;
  }

  // A keyword is a whole word in any letter case.
  bool AcceptKeyword(std::string_view keyword) {
    SkipBlanks();
    const std::size_t end = pos_ + keyword.size();
    if (end > text_.size() || !AnsiSameText(text_.substr(pos_, keyword.size()), keyword) ||
        (end < text_.size() && IsIdentifierChar(text_[end])))
      return false;
    pos_ = end;
    return true;
  }

  void Expect(char symbol) {
    if (!AcceptSymbol(symbol))
      Fail(Format(std::string("ожидается \"%s\""_w), std::string(1, symbol)));
  }

  [[noreturn]] void Fail(std::string_view reason) const {
    throw Error(Format(std::string("Ошибка в выражении \"%s\": %s (позиция %d)"_w),
                       std::string(text_), std::string(reason), pos_ + 1));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

std::optional<double> TextAsNumber(std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    return std::nullopt;
  return value;
}

// Numbers print as they would in a formula: "." and no needless zeros.
std::string NumberAsText(double value) {
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, end);
}

std::string ValueAsText(const ExprValue& value) {
  if (const auto* text = std::get_if<std::string>(&value))
    return *text;
  if (const auto* number = std::get_if<double>(&value))
    return NumberAsText(*number);
  return {};
}

class Evaluator {
 public:
  Evaluator(const Expression& expression, const ExprResolver& resolver)
      : expression_(expression), resolver_(resolver) {}

  ExprValue Eval(const ExprNode& node) const {
    switch (node.kind) {
      case Kind::Number:
        return node.number;
      case Kind::Text:
        return node.text;
      case Kind::Identifier:
        return resolver_.Identifier(node.text, node.slot);
      case Kind::Call:
        return EvalCall(node);
      case Kind::Negate:
        return -Number(Eval(*node.children[0]));
      case Kind::Not:
        return Condition(Eval(*node.children[0])) ? 0.0 : 1.0;
      case Kind::Binary:
        return EvalBinary(node);
    }
    return {};
  }

  double Number(const ExprValue& value) const {
    if (const auto* number = std::get_if<double>(&value))
      return *number;
    if (std::holds_alternative<std::monostate>(value))
      return 0;
    const auto& text = std::get<std::string>(value);
    if (const auto number = TextAsNumber(text))
      return *number;
    Fail(Format(std::string("\"%s\" не является числом"_w), text));
  }

  static bool Condition(const ExprValue& value) {
    if (const auto* number = std::get_if<double>(&value))
      return *number != 0;
    if (const auto* text = std::get_if<std::string>(&value))
      return !text->empty();
    return false;
  }

  [[noreturn]] void Fail(std::string_view reason) const {
    throw Error(Format(std::string("Ошибка вычисления выражения \"%s\": %s"_w), expression_.Text(),
                       std::string(reason)));
  }

 private:
  ExprValue EvalCall(const ExprNode& node) const {
    std::vector<ExprValue> args;
    args.reserve(node.children.size());
    for (const auto& child : node.children)
      args.push_back(Eval(*child));
    return resolver_.Call(node.text, args);
  }

  ExprValue EvalBinary(const ExprNode& node) const {
    const ExprNode& left = *node.children[0];
    const ExprNode& right = *node.children[1];
    switch (node.op) {
      case Op::Or:
        return Condition(Eval(left)) || Condition(Eval(right)) ? 1.0 : 0.0;
      case Op::And:
        return Condition(Eval(left)) && Condition(Eval(right)) ? 1.0 : 0.0;
      case Op::Eq:
      case Op::Ne:
      case Op::Lt:
      case Op::Le:
      case Op::Gt:
      case Op::Ge:
        return Compare(node.op, Eval(left), Eval(right)) ? 1.0 : 0.0;
      default:
        return Arithmetic(node.op, Eval(left), Eval(right));
    }
  }

  static bool Compare(Op op, const ExprValue& a, const ExprValue& b) {
    const std::optional<int> order = CompareValues(a, b);
    if (!order)
      return op == Op::Ne;
    switch (op) {
      case Op::Eq:
        return *order == 0;
      case Op::Ne:
        return *order != 0;
      case Op::Lt:
        return *order < 0;
      case Op::Le:
        return *order <= 0;
      case Op::Gt:
        return *order > 0;
      default:
        return *order >= 0;
    }
  }

  ExprValue Arithmetic(Op op, const ExprValue& a, const ExprValue& b) const {
    if (op == Op::Add &&
        (std::holds_alternative<std::string>(a) || std::holds_alternative<std::string>(b)))
      return ValueAsText(a) + ValueAsText(b);
    const double x = Number(a);
    const double y = Number(b);
    switch (op) {
      case Op::Add:
        return x + y;
      case Op::Sub:
        return x - y;
      case Op::Mul:
        return x * y;
      default:
        break;
    }
    if (y == 0)
      Fail("деление на ноль"_w);
    if (op == Op::Div)
      return x / y;
    const double whole = std::trunc(x / y);
    return op == Op::IntDiv ? whole : x - whole * y;
  }

  const Expression& expression_;
  const ExprResolver& resolver_;
};

}  // namespace

ExprValue ExprResolver::Call(std::string_view name, std::span<const ExprValue>) const {
  throw Error(Format(std::string("Неизвестная функция \"%s\""_w), std::string(name)));
}

Expression Expression::Parse(std::string_view text) {
  return Expression(std::string(text), Parser(text).ParseWhole());
}

ExprValue Expression::Evaluate(const ExprResolver& resolver) const {
  return Evaluator(*this, resolver).Eval(*root_);
}

double Expression::EvaluateNumber(const ExprResolver& resolver) const {
  const Evaluator evaluator(*this, resolver);
  return evaluator.Number(evaluator.Eval(*root_));
}

bool Expression::EvaluateCondition(const ExprResolver& resolver) const {
  return Evaluator::Condition(Evaluate(resolver));
}

std::optional<int> CompareValues(const ExprValue& a, const ExprValue& b) {
  const auto* x = std::get_if<double>(&a);
  const auto* y = std::get_if<double>(&b);
  if (x && y)
    return *x < *y ? -1 : (*x > *y ? 1 : 0);
  if (x || y) {
    // A number against text that reads as a number compares by value; against nothing, never.
    const ExprValue& other = x ? b : a;
    const auto* text = std::get_if<std::string>(&other);
    const auto converted = text ? TextAsNumber(*text) : std::nullopt;
    if (!converted)
      return std::nullopt;
    return x ? CompareValues(a, *converted) : CompareValues(*converted, b);
  }
  const std::string left = ValueAsText(a);
  const std::string right = ValueAsText(b);
  return left.compare(right) < 0 ? -1 : (left == right ? 0 : 1);
}

}  // namespace rxf
