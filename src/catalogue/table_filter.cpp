#include "catalogue/table_filter.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

namespace {

class RowResolver : public ExprResolver {
 public:
  RowResolver(const MemoryTable& table, RowIndex row) : table_(table), row_(row) {}

  ExprValue Identifier(std::string_view, int slot) const override {
    return table_.Value(row_, slot);
  }

 private:
  const MemoryTable& table_;
  RowIndex row_;
};

bool IsLiteral(const ExprNode& node) {
  return node.kind == ExprNode::Kind::Number || node.kind == ExprNode::Kind::Text;
}

ExprValue LiteralValue(const ExprNode& node) {
  if (node.kind == ExprNode::Kind::Number)
    return node.number;
  return node.text;
}

}  // namespace

TableFilter::TableFilter(const MemoryTable& table, std::string_view text)
    : table_(&table), expression_(Expression::Parse(text)) {
  expression_.BindIdentifiers([&table, text](std::string_view name) {
    const auto column = table.FindColumn(name);
    if (!column)
      throw Error(Format(std::string("Ошибка в фильтре \"%s\": %s"_w), text,
                         MissingColumnMessage(table.Name(), name)));
    return *column;
  });
  candidates_ = PinnedRows(expression_.Root());
}

bool TableFilter::Matches(RowIndex row) const {
  return expression_.EvaluateCondition(RowResolver(*table_, row));
}

// Follows the "and" chain; of several pinned equalities the one with the fewest rows wins.
std::optional<std::span<const RowIndex>> TableFilter::PinnedRows(const ExprNode& node) const {
  if (node.kind != ExprNode::Kind::Binary)
    return std::nullopt;
  if (node.op == ExprNode::Op::And) {
    const auto left = PinnedRows(*node.children[0]);
    const auto right = PinnedRows(*node.children[1]);
    if (left && right)
      return left->size() <= right->size() ? left : right;
    return left ? left : right;
  }
  if (node.op != ExprNode::Op::Eq)
    return std::nullopt;
  const ExprNode* column = node.children[0].get();
  const ExprNode* literal = node.children[1].get();
  if (column->kind != ExprNode::Kind::Identifier)
    std::swap(column, literal);
  if (column->kind != ExprNode::Kind::Identifier || !IsLiteral(*literal))
    return std::nullopt;
  const KeyIndex* index = table_->IndexOn(column->slot);
  if (!index)
    return std::nullopt;
  return index->Find(table_->ColumnAt(column->slot), LiteralValue(*literal));
}

std::string QuotedText(std::string_view value) {
  std::string quoted = "'";
  for (const char c : value) {
    quoted += c;
    if (c == '\'')
      quoted += '\'';
  }
  quoted += '\'';
  return quoted;
}

}  // namespace rxf
