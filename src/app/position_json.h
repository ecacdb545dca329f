// The position file of the command line: one position as UTF-8 JSON, every member optional, the
// defaults those of a new position.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "catalogue/currency_item.h"
#include "model/kit_choice.h"
#include "model/shape_params.h"

namespace rxf::app {

struct TPositionInput {
  TShapeParams Shape;
  std::uint8_t FlugelMode = 2;
  std::string FurnSys;  // Windows-1251, like every text below
  std::string ProfSys;
  std::string FurnColor;
  std::int32_t FalzType = 0;
  std::int32_t StulpFalzType = 0;
  std::int32_t FlugelType = 0;
  float ProfWidth = 0;
  float ProfThickness = 0;
  std::string OuterProfColor;
  std::string InnerProfColor;
  std::optional<std::int32_t> Currency;     // default: the first currency of the catalogue
  std::optional<TCurrencyList> Currencies;  // default: the catalogue's rates
  bool DebugMode = false;
  TKitChoice Flugel1;
  TKitChoice Flugel2;  // its DornType defaults to Flugel1's
};

// Raises Error with a one-line explanation (in Windows-1251) for malformed JSON, a member of the
// wrong type, or a text without a Windows-1251 form.
TPositionInput ParsePositionJson(std::string_view utf8);

}  // namespace rxf::app
