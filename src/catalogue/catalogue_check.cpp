#include "catalogue/catalogue_check.h"

#include <charconv>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "foundation/cp1251.h"
#include "foundation/format.h"

namespace rxf {

namespace {

using Names = std::span<const std::string_view>;

// Tables without a primary key are named by the columns that tell their rows apart for a reader.
constexpr std::string_view kFrnAbdKey[] = {"CatalogID", "Color", "AccessoryID"};
constexpr std::string_view kFrnPropKey[] = {"PropKey", "ID"};
constexpr std::string_view kFrnItoIKey[] = {"ID", "Item"};

Names KeyColumns(const TableSchema& schema) {
  if (schema.Name == "FrnAbd")
    return kFrnAbdKey;
  if (schema.Name == "FrnProp")
    return kFrnPropKey;
  if (schema.Name == "FrnItoI")
    return kFrnItoIKey;
  if (!schema.PrimaryKey.empty())
    return schema.PrimaryKey;
  return schema.WalkOrder.empty() ? schema.Indexed : schema.WalkOrder;
}

std::string CellText(const MemoryTable& table, RowIndex row, int column) {
  const ColumnType type = table.ColumnAt(column).Type();
  if (type == ColumnType::String)
    return std::string(table.Text(row, column));
  if (table.IsNull(row, column))
    return {};
  if (IsWholeNumberType(type))
    return std::to_string(table.Integer(row, column));
  if (type == ColumnType::Currency)
    return table.Currency(row, column).ToText();
  char buffer[32];
  const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, table.Float(row, column));
  return std::string(buffer, end);
}

std::vector<int> KeyIndexes(const MemoryTable& table) {
  std::vector<int> indexes;
  for (const std::string_view name : KeyColumns(table.Schema()))
    indexes.push_back(table.ColumnIndex(name));
  return indexes;
}

std::string KeyText(const MemoryTable& table, RowIndex row, const std::vector<int>& key) {
  std::string text;
  for (const int column : key)
    text += (text.empty() ? "" : "; ") + table.ColumnAt(column).Name() + "=" +
            CellText(table, row, column);
  return text;
}

std::string Joined(Names names, std::string_view separator) {
  std::string text;
  for (const std::string_view name : names)
    text += (text.empty() ? "" : std::string(separator)) + std::string(name);
  return text;
}

class Checker {
 public:
  explicit Checker(const TDM& dm) : dm_(dm) {}

  std::vector<CheckFinding> Run() && {
    CheckReferences();
    CheckSideNumbers();
    CheckArticleRanges();
    CheckRates();
    CheckDuplicateKeys();
    CheckTextLengths();
    return std::move(findings_);
  }

 private:
  void Add(const MemoryTable& table, RowIndex row, std::string column, std::string problem) {
    findings_.push_back({std::string(table.Name()), KeyText(table, row, KeyIndexes(table)),
                         std::move(column), std::move(problem)});
  }

  // Rows naming an item or catalogue code that its table does not hold.
  void CheckReferences() {
    using enum CatalogueTable;
    CheckReference(FrnSet, "Item", FrnItem, "ID");
    CheckReference(FrnItoI, "Item", FrnItem, "ID");
    CheckReference(FrnSchl, "Item", FrnItem, "ID");
    CheckReference(FrnArt, "CatalogID", Catalog, "ID");
    CheckReference(FrnDop, "AccessoryID", Catalog, "ID");
    CheckReference(FrnAbd, "AccessoryID", Catalog, "ID");
  }

  void CheckReference(CatalogueTable from, std::string_view column, CatalogueTable to,
                      std::string_view toColumn) {
    const MemoryTable& target = dm_.Table(to);
    const int targetColumn = target.ColumnIndex(toColumn);
    std::unordered_set<std::string_view> present;
    for (RowIndex row = 0; row < target.RowCount(); ++row)
      present.insert(target.Text(row, targetColumn));
    const MemoryTable& table = dm_.Table(from);
    const int index = table.ColumnIndex(column);
    for (RowIndex row = 0; row < table.RowCount(); ++row) {
      const std::string_view value = table.Text(row, index);
      if (value.empty())
        Add(table, row, std::string(column), std::string("значение не указано"_w));
      else if (!present.contains(value))
        Add(table, row, std::string(column),
            Format(std::string("значение [%s] отсутствует в таблице %s"_w), value, target.Name()));
    }
  }

  // Side and vertex numbers that no sash can have; kit rows only where their test is used.
  void CheckSideNumbers() {
    const MemoryTable& sides = dm_.Table(CatalogueTable::FrnSide);
    const int side = sides.ColumnIndex("Side");
    for (RowIndex row = 0; row < sides.RowCount(); ++row)
      CheckSideNumber(sides, row, side, false);

    const MemoryTable& set = dm_.Table(CatalogueTable::FrnSet);
    const UseColumns columns(set);
    for (RowIndex row = 0; row < set.RowCount(); ++row)
      for (std::size_t use = 0; use < std::size(kSideNumberUses); ++use)
        if (columns.IsUsed(row, use))
          CheckSideNumber(set, row, columns.number[use], kSideNumberUses[use].vertex);
  }

  // A number column of FrnSet and when the kit assembly tests it: when one of the range columns
  // is not 0 (or the arc-kind mask is 2 or more), or under one of the calculation principles
  // (bit n of conditions for principle n) or the quantity rule scaleCondition.
  struct SideNumberUse {
    std::string_view number;
    bool vertex;
    std::string_view min, max, arcKind;
    unsigned conditions;
    int scaleCondition;
  };
  static constexpr SideNumberUse kSideNumberUses[] = {
      {"FFL1No", false, "FFL1Min", "FFL1Max", "", 0, 0},
      {"FFL2No", false, "FFL2Min", "FFL2Max", "", 0, 0},
      {"FFR1No", false, "FFR1Min", "FFR1Max", "FFR1Type", 0, 0},
      {"FFR2No", false, "FFR2Min", "FFR2Max", "FFR2Type", 0, 0},
      {"FFANo", true, "FFAMin", "FFAMax", "", 0, 0},
      {"FFL21No", false, "FFL21Min", "FFL21Max", "", 0, 0},
      {"FFL22No", false, "FFL22Min", "FFL22Max", "", 0, 0},
      {"Side1No", false, "", "", "", 1u << 4 | 1u << 6 | 1u << 8 | 1u << 10 | 1u << 12 | 1u << 14,
       3},
      {"Side2No", false, "", "", "", 1u << 5 | 1u << 6 | 1u << 9 | 1u << 10 | 1u << 13 | 1u << 14,
       4},
      {"AngleNo", true, "", "", "", 1u << 7, 0},
  };

  // The columns of kSideNumberUses in FrnSet, resolved once for the walk over every row.
  struct UseColumns {
    explicit UseColumns(const MemoryTable& set)
        : set(set),
          condition(set.ColumnIndex("Condition")),
          scaleCondition(set.ColumnIndex("ScaleCondition")) {
      const auto index = [&set](std::string_view name) {
        return name.empty() ? -1 : set.ColumnIndex(name);
      };
      for (const SideNumberUse& use : kSideNumberUses) {
        number.push_back(index(use.number));
        min.push_back(index(use.min));
        max.push_back(index(use.max));
        arcKind.push_back(index(use.arcKind));
      }
    }

    bool IsUsed(RowIndex row, std::size_t use) const {
      const auto value = [&](int column) { return column < 0 ? 0.0 : set.Float(row, column); };
      if (min[use] >= 0)
        return value(min[use]) != 0 || value(max[use]) != 0 || value(arcKind[use]) >= 2;
      const SideNumberUse& rule = kSideNumberUses[use];
      const std::int64_t principle = set.Integer(row, condition);
      const bool byPrinciple =
          principle >= 0 && principle < 32 && (rule.conditions >> principle & 1u) != 0;
      return byPrinciple ||
             (rule.scaleCondition != 0 && set.Integer(row, scaleCondition) == rule.scaleCondition);
    }

    const MemoryTable& set;
    int condition;
    int scaleCondition;
    std::vector<int> number, min, max, arcKind;
  };

  void CheckSideNumber(const MemoryTable& table, RowIndex row, int column, bool vertex) {
    const std::int64_t number = table.Integer(row, column);
    if (number >= 1 && number <= 255)
      return;
    Add(table, row, table.ColumnAt(column).Name(),
        Format(vertex ? std::string("номер угла %d вне 1..255"_w)
                      : std::string("номер стороны %d вне 1..255"_w),
               number));
  }

  // Range columns of articles without values: a query naming them can never match the row.
  void CheckArticleRanges() {
    static constexpr std::string_view kRanges[] = {
        "FFBMin",    "FFBMax",    "FFHMin",       "FFHMax",       "FFL1Min",      "FFL1Max",
        "FFL2Min",   "FFL2Max",   "FFAMin",       "FFAMax",       "FFR1Min",      "FFR1Max",
        "FFR2Min",   "FFR2Max",   "HandleMin",    "HandleMax",    "DornMassMin",  "DornMassMax",
        "WeightMin", "WeightMax", "ThicknessMin", "ThicknessMax", "ProfWidthMin", "ProfWidthMax"};
    const MemoryTable& articles = dm_.Table(CatalogueTable::FrnArt);
    std::vector<int> columns;
    for (const std::string_view name : kRanges)
      columns.push_back(articles.ColumnIndex(name));
    for (RowIndex row = 0; row < articles.RowCount(); ++row) {
      std::vector<std::string_view> empty;
      for (std::size_t range = 0; range < columns.size(); ++range)
        if (articles.IsNull(row, columns[range]))
          empty.push_back(kRanges[range]);
      if (!empty.empty())
        Add(articles, row, Joined(empty, ", "), std::string("граница диапазона без значения"_w));
    }
  }

  void CheckRates() {
    const MemoryTable& currencies = dm_.Table(CatalogueTable::Currency);
    const int value = currencies.ColumnIndex("Value");
    for (RowIndex row = 0; row < currencies.RowCount(); ++row)
      if (currencies.Float(row, value) == 0)
        Add(currencies, row, "Value", std::string("курс валюты равен 0"_w));
  }

  void CheckDuplicateKeys() {
    for (const MemoryTable& table : dm_.Tables()) {
      const Names key = table.Schema().PrimaryKey;
      if (key.empty())
        continue;
      const std::vector<int> columns = KeyIndexes(table);
      std::unordered_map<std::string, int> counts;
      for (RowIndex row = 0; row < table.RowCount(); ++row)
        ++counts[KeyText(table, row, columns)];
      for (RowIndex row = 0; row < table.RowCount(); ++row) {
        const auto found = counts.find(KeyText(table, row, columns));
        if (found->second > 1)
          Add(table, row, Joined(key, ";"),
              Format(std::string("ключ повторяется, строк: %d"_w), found->second));
        found->second = 0;  // one finding per key, at its first row
      }
    }
  }

  void CheckTextLengths() {
    for (const MemoryTable& table : dm_.Tables())
      for (int column = 0; column < static_cast<int>(table.Schema().Columns.size()); ++column)
        CheckTextLength(table, column);
  }

  void CheckTextLength(const MemoryTable& table, int column) {
    const Column& def = table.ColumnAt(column);
    if (def.Type() != ColumnType::String || def.Size() <= 0)
      return;
    for (RowIndex row = 0; row < table.RowCount(); ++row) {
      const std::size_t length = table.Text(row, column).size();
      if (length > static_cast<std::size_t>(def.Size()))
        Add(table, row, def.Name(),
            Format(std::string("длина текста %d больше размера столбца %d"_w), length, def.Size()));
    }
  }

  const TDM& dm_;
  std::vector<CheckFinding> findings_;
};

}  // namespace

std::vector<CheckFinding> CheckCatalogue(const TDM& dm) {
  return Checker(dm).Run();
}

std::string FindingText(const CheckFinding& finding) {
  return Format(std::string("%s [%s] %s: %s"_w), finding.Table, finding.Key, finding.Column,
                finding.Problem);
}

}  // namespace rxf
