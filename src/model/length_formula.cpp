#include "model/length_formula.h"

#include <charconv>
#include <cmath>
#include <optional>

#include "foundation/cp1251.h"
#include "foundation/expression.h"
#include "model/flugel.h"

namespace rxf {

namespace {

// Side numbers of the catalogue never exceed this.
constexpr int kMaxSideNumber = 255;

std::optional<int> SideNumber(const ExprValue& argument) {
  double value = 0;
  if (const auto* number = std::get_if<double>(&argument)) {
    value = *number;
  } else if (const auto* text = std::get_if<std::string>(&argument)) {
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (text->empty() || error != std::errc() || end != text->data() + text->size())
      return std::nullopt;
  } else {
    return std::nullopt;
  }
  if (!std::isfinite(value) || std::fabs(value) > kMaxSideNumber + 1)
    return std::nullopt;
  return static_cast<int>(std::nearbyint(value));
}

class SashResolver : public ExprResolver {
 public:
  explicit SashResolver(const TrxfFlugel& flugel) : flugel_(flugel) {
    flugel.GetSize(width_, height_);
  }

  ExprValue Identifier(std::string_view name, int) const override {
    if (name == "FН"_w || name == "FFН"_w || name == "FRH")
      return static_cast<double>(height_);
    if (name == "FB" || name == "FFB" || name == "FRB")
      return static_cast<double>(width_);
    return 0.0;
  }

  ExprValue Call(std::string_view name, std::span<const ExprValue> args) const override {
    const std::string upper = AnsiUpperCase(name);
    if (args.size() != 1)
      return 0.0;
    if (upper == "FFL" || upper == "FL")
      return SideValue(flugel_, args[0], &TrxfLine::Length);
    if (upper == "FFG" || upper == "FG")
      return HandleHeight(flugel_, args[0]);
    if (upper == "FFGA" || upper == "FGA")
      return HandleHeight(flugel_.OtherFlugel(), args[0]);
    return 0.0;
  }

 private:
  static const TrxfLine* Side(const TrxfFlugel& flugel, const ExprValue& argument) {
    const std::optional<int> n = SideNumber(argument);
    if (!n || *n < 1 || *n > kMaxSideNumber || static_cast<std::size_t>(*n) > flugel.Lines.size())
      return nullptr;
    return flugel.Lines[static_cast<std::size_t>(*n - 1)].get();
  }

  static double SideValue(const TrxfFlugel& flugel, const ExprValue& argument,
                          float (TrxfLine::*measure)() const) {
    const TrxfLine* side = Side(flugel, argument);
    return side ? static_cast<double>((side->*measure)()) : 0.0;
  }

  static double HandleHeight(const TrxfFlugel& flugel, const ExprValue& argument) {
    const TrxfLine* side = Side(flugel, argument);
    return side ? static_cast<double>(side->HandleHeight) : 0.0;
  }

  const TrxfFlugel& flugel_;
  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
};

}  // namespace

double EvaluateLengthFormula(const TrxfFlugel& flugel, std::string_view formula) {
  return Expression::Parse(formula).EvaluateNumber(SashResolver(flugel));
}

}  // namespace rxf
