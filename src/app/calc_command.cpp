// ramulex calc: the fittings of one position, selected from a catalogue, as JSON or a table.
#include <iostream>
#include <memory>
#include <string>

#include "app/calc_result.h"
#include "app/commands.h"
#include "app/position_calc.h"
#include "app/position_json.h"
#include "catalogue/catalogue_opener.h"
#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/text.h"

namespace rxf::app {

namespace {

struct CalcOptions {
  std::string catalogue;
  std::string choose = "first";
  std::string format = "json";
  bool explain = false;
  std::string position;
};

int BadInput(const std::string& cp1251Message) {
  std::cerr << "ramulex calc: "
            << Cp1251ToUtf8(ReplaceText(cp1251Message, "\r\n", " ", false, false)) << "\n";
  return kExitBadInput;
}

int RunCalc(const CalcOptions& options) {
  TPositionInput input;
  std::unique_ptr<TDM> dm;
  try {
    input = ParsePositionJson(ReadWholeFile(options.position));
    dm = OpenCatalogue(options.catalogue);
  } catch (const Error& e) {
    return BadInput(e.what());
  }
  TraceBySash trace;
  TCalculatedPosition result;
  try {
    result = CalculatePosition(*dm, input, options.explain ? &trace : nullptr);
  } catch (const Error& e) {
    std::cout << nlohmann::json{{"Error", Cp1251ToUtf8(e.what())}}.dump(2) << "\n";
    return kExitRefused;
  }
  if (options.format == "table")
    std::cout << PositionResultTable(*dm, *result.Position);
  else
    std::cout << PositionResultJson(*result.Position, options.explain ? &trace : nullptr).dump(2)
              << "\n";
  return 0;
}

}  // namespace

void AddCalcCommand(Commands& commands) {
  auto options = std::make_shared<CalcOptions>();
  CLI::App* calc = commands.Add("calc", "Select the fittings of one position from a catalogue",
                                [options] { return RunCalc(*options); });
  calc->add_option("--catalogue", options->catalogue,
                   "Catalogue file of the system, CSV folder or Paradox folder")
      ->required();
  calc->add_option("--choose", options->choose,
                   "Which article when several qualify: first (in the documentation's order)")
      ->check(CLI::IsMember({"first"}));
  calc->add_option("--format", options->format, "json (default) or table")
      ->check(CLI::IsMember({"json", "table"}));
  calc->add_flag("--explain", options->explain,
                 "Add per sash the kit rows walked and why each was used or skipped");
  calc->add_option("POSITION", options->position, "Position file (JSON)")->required();
}

}  // namespace rxf::app
