// The one expression language of the system: catalogue filter texts, length formulas and report
// expressions. A text is parsed once into a tree and evaluated many times; the caller resolves
// identifiers and function calls.
//
//   literals     12  3.5  'text'  ('' inside quotes is one quote)
//   identifiers  FFB  FН  Color  _ORDER_NO   (Latin or Cyrillic letters, digits, "_")
//   calls        FFL(1)  NAME(a, b, c)       (one to three arguments)
//   operators    or | and | not | = <> < <= > >= | + - | * / div mod | unary -
// Keywords are recognised in any letter case; identifiers are handed over exactly as written.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace rxf {

// A value: nothing (a column that holds no value), a number, or Windows-1251 text.
using ExprValue = std::variant<std::monostate, double, std::string>;

class ExprResolver {
 public:
  virtual ~ExprResolver() = default;
  // The value of an identifier; slot is what the caller bound to it (-1 when unbound).
  virtual ExprValue Identifier(std::string_view name, int slot) const = 0;
  // The value of a call; the base has no functions and raises.
  virtual ExprValue Call(std::string_view name, std::span<const ExprValue> args) const;
};

struct ExprNode {
  enum class Kind { Number, Text, Identifier, Call, Negate, Not, Binary };
  enum class Op { Or, And, Eq, Ne, Lt, Le, Gt, Ge, Add, Sub, Mul, Div, IntDiv, Mod };

  Kind kind;
  Op op = Op::Or;
  double number = 0;
  std::string text;  // literal text, identifier or function name
  int slot = -1;     // bound by the caller to identifiers, for fast lookups
  std::vector<std::unique_ptr<ExprNode>> children;
};

class Expression {
 public:
  // Raises Error naming the text and the position of the fault.
  static Expression Parse(std::string_view text);

  ExprValue Evaluate(const ExprResolver& resolver) const;
  // The value as a number: text that reads as a number converts, nothing is 0. Raises otherwise.
  double EvaluateNumber(const ExprResolver& resolver) const;
  // The value as a condition: a non-zero number or a non-empty text is true.
  bool EvaluateCondition(const ExprResolver& resolver) const;

  const std::string& Text() const { return text_; }
  const ExprNode& Root() const { return *root_; }
  // Lets the caller give each identifier a slot (a column index, say) once, before evaluating.
  template <typename Binder>
  void BindIdentifiers(Binder&& bind) {
    BindNode(*root_, bind);
  }

 private:
  Expression(std::string text, std::unique_ptr<ExprNode> root)
      : text_(std::move(text)), root_(std::move(root)) {}

  template <typename Binder>
  static void BindNode(ExprNode& node, Binder& bind) {
    if (node.kind == ExprNode::Kind::Identifier)
      node.slot = bind(std::string_view(node.text));
    for (auto& child : node.children)
      BindNode(*child, bind);
  }

  std::string text_;
  std::unique_ptr<ExprNode> root_;
};

// Compares two values as the filter texts and conditions do: numbers by value, texts byte by
// byte, nothing equal to nothing and to the empty text. Returns <0, 0, >0, or nullopt when the
// two cannot be ordered (nothing against a number).
std::optional<int> CompareValues(const ExprValue& a, const ExprValue& b);

}  // namespace rxf
