// ramulex order new: an order of calculated positions, saved atomically and, when asked,
// registered in a configuration's order registry.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/console.h"
#include "app/named_configuration.h"
#include "app/position_calc.h"
#include "app/position_json.h"
#include "catalogue/catalogue_opener.h"
#include "documents/order.h"
#include "documents/order_registry.h"
#include "foundation/atomic_file.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/recording_ui.h"
#include "foundation/text.h"

namespace rxf::app {

namespace {

namespace fs = std::filesystem;

struct NewOrderOptions {
  std::string catalogue;
  std::string out;
  std::string orderNo;
  std::string customer;
  std::string object;
  std::string address;
  std::string phone;
  std::string registerIn;  // configuration name
  bool replace = false;
  std::vector<std::string> positions;
};

int BadInput(const std::string& cp1251Message) {
  std::cerr << "ramulex order new: "
            << Cp1251ToUtf8(ReplaceText(cp1251Message, "\r\n", " ", false, false)) << '\n';
  return kExitBadInput;
}

int Refused(const std::string& what, const RecordingUi& ui) {
  std::cerr << "ramulex order new: " << what << '\n';
  for (const auto& entry : ui.Entries())
    PrintLine(std::cerr, entry.text);
  return kExitRefused;
}

// Header texts typed on the command line (UTF-8) in the documents' code page.
void FillHeader(TrxfOrder& order, const NewOrderOptions& options, const TPositionInput& first,
                const TCalculatedPosition& money) {
  order.OrderNo = Utf8ToCp1251(options.orderNo.empty() ? fs::path(options.out).stem().string()
                                                       : options.orderNo);
  order.Customer = Utf8ToCp1251(options.customer);
  order.ObjectName = Utf8ToCp1251(options.object);
  order.Address = Utf8ToCp1251(options.address);
  order.Phones = Utf8ToCp1251(options.phone);
  order.ProfSys = first.ProfSys;
  order.FurnSys = first.FurnSys;
  order.FurnColor = first.FurnColor;
  order.OuterProfColor = first.OuterProfColor;
  order.InnerProfColor = first.InnerProfColor;
  order.Falz = first.FalzType;
  order.Dorn = first.Flugel1.DornType;
  order.StulpType = first.StulpFalzType;
  order.OpenType = first.FlugelType;
  order.Currency = money.Currency;
  order.Currencies = money.Rates;
}

int RunNewOrder(const NewOrderOptions& options) {
  std::vector<TPositionInput> inputs;
  std::unique_ptr<TDM> dm;
  std::optional<TConfiguration> config;
  try {
    for (const std::string& file : options.positions)
      inputs.push_back(ParsePositionJson(ReadWholeFile(file)));
    if (!options.replace && fs::exists(options.out))
      return BadInput(Utf8ToCp1251(options.out + " exists (--replace writes over it)"));
    if (!options.registerIn.empty() && !(config = ConfigurationNamed(options.registerIn)))
      return BadInput(Utf8ToCp1251("no configuration \"" + options.registerIn + "\""));
    dm = OpenCatalogue(options.catalogue);
  } catch (const Error& e) {
    return BadInput(e.what());
  }

  // One currency for the whole order: the first position's.
  TCalculatedPosition money;
  ChooseCurrency(*dm, inputs.front(), money);
  TrxfOrder order;
  FillHeader(order, options, inputs.front(), money);
  RecordingUi ui;
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    TPositionInput input = inputs[i];
    input.Currency = money.Currency;
    input.Currencies = money.Rates;
    try {
      TCalculatedPosition calculated = CalculatePosition(*dm, input, nullptr);
      calculated.Position->PosNo = Format("%.3d", static_cast<int>(i + 1));
      calculated.Position->PosName = Utf8ToCp1251(fs::path(options.positions[i]).stem().string());
      calculated.Position->Number = 1;
      order.Add(std::move(calculated.Position));
    } catch (const Error& e) {
      ui.ShowError(e.what());
      return Refused(options.positions[i] + ": the calculation failed", ui);
    }
  }
  if (!order.SaveToFile(options.out, ui))
    return Refused("the order was not saved", ui);
  if (config) {
    TOrderRegistry registry(*config, ui);
    if (!registry.RegisterOrder(order, options.out, "", true))
      return Refused("the order was saved but not registered", ui);
  }
  PrintLine(std::cout,
            Format("Заказ %s: позиций %d, сумма %.2n, с НДС %.2n"_w, order.OrderNo,
                   static_cast<int>(order.Count()), order.GetCost(), order.GetTotalCost()));
  return 0;
}

}  // namespace

void AddOrderNewCommand(Commands& order) {
  auto options = std::make_shared<NewOrderOptions>();
  CLI::App* command =
      order.Add("new", "An order of calculated positions (position JSON files), saved to a file",
                [options] { return RunNewOrder(*options); });
  command
      ->add_option("--catalogue", options->catalogue,
                   "Catalogue file of the system, CSV folder or Paradox folder")
      ->required();
  command->add_option("--out", options->out, "Order file to write (.rfo370)")->required();
  command->add_option("--no", options->orderNo, "Order number (default: the file's name)");
  command->add_option("--customer", options->customer, "Customer");
  command->add_option("--object", options->object, "Object name");
  command->add_option("--address", options->address, "Object address");
  command->add_option("--phone", options->phone, "Contact phone");
  command->add_option("--register", options->registerIn,
                      "Configuration whose order registry records the order");
  command->add_flag("--replace", options->replace, "Write over an existing file");
  command->add_option("POSITION", options->positions, "Position files (JSON)")->required();
}

}  // namespace rxf::app
