// Orders and selections on the command line: an order's header, totals and positions, and the
// merged material lists of an order or a selection. Nothing here writes a file. An older order or
// selection file is converted in memory without asking; a file that cannot be read whole is
// refused with the system's message.
#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "app/commands.h"
#include "app/console.h"
#include "app/named_configuration.h"
#include "catalogue/catalog_lookups.h"
#include "catalogue/catalogue_opener.h"
#include "documents/mat_list.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "foundation/configuration.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/recording_ui.h"
#include "foundation/text.h"
#include "foundation/user_store.h"

namespace rxf::app {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct Options {
  std::string file;
  std::string format = "table";
  std::string sort;       // order matlist: "", "id" or "name"
  std::string catalogue;  // order matlist: names for the table and the name sort
  std::string config;     // selection matlist
};

int BadInput(const std::string& command, const std::string& utf8Message) {
  std::cerr << "ramulex " << command << ": " << utf8Message << '\n';
  return kExitBadInput;
}

// What the loads and lookups said, warnings and errors, on the error stream.
void PrintMessages(const RecordingUi& ui) {
  for (const auto& entry : ui.Entries())
    if (entry.kind != RecordingUi::Kind::Question)
      PrintLine(std::cerr, entry.text);
}

// The system refused: in JSON {"Error": its last message} on standard output, else every message
// on the error stream.
int Refused(const RecordingUi& ui, const Options& options) {
  if (options.format == "json" && !ui.Entries().empty())
    std::cout << json{{"Error", Cp1251ToUtf8(ui.Entries().back().text)}}.dump(2) << '\n';
  else
    PrintMessages(ui);
  return kExitRefused;
}

int Refused(const Error& error, const Options& options) {
  RecordingUi ui;
  ui.ShowError(error.what());
  return Refused(ui, options);
}

// The configuration recorded under the name (UTF-8), with its folders.
// A 32-bit float as its shortest decimal text, with the decimal separator given.
std::string FloatText(float value, char separator) {
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
  std::string text(buffer, end);
  std::replace(text.begin(), text.end(), '.', separator);
  return text;
}

json FloatJson(float value) {
  double shortest = 0;
  const std::string text = FloatText(value, '.');
  std::from_chars(text.data(), text.data() + text.size(), shortest);
  return shortest;
}

// Columns of a table for a person: Windows-1251 cells padded to their widths, printed as UTF-8. A
// column of width 0 with nothing in it is left out.
std::string Row(std::initializer_list<std::pair<std::string_view, std::size_t>> cells) {
  std::string line;
  for (const auto& [text, width] : cells) {
    if (text.empty() && width == 0)
      continue;
    line += text;
    if (text.size() < width)
      line.append(width - text.size(), ' ');
    line += ' ';
  }
  return Cp1251ToUtf8(Trim(line));
}

std::string Money2(Money amount) {
  return Format("%.2n"_w, amount);
}

// Reads the order, or says why not and gives the exit status.
std::optional<int> ReadOrder(const Options& options, RecordingUi& ui, TrxfOrder& order) {
  std::error_code error;
  if (!fs::is_regular_file(options.file, error))
    return BadInput("order", "\"" + options.file + "\" is not an order file");
  try {
    if (!ReadWhole(order.LoadFromFile(options.file, ui)))
      return Refused(ui, options);
  } catch (const Error& e) {
    return BadInput("order", Cp1251ToUtf8(ReplaceText(e.what(), "\r\n", " ", false, false)));
  }
  return std::nullopt;
}

json OrderJson(const TrxfOrder& order) {
  json positions = json::array();
  for (std::size_t i = 0; i < order.Count(); ++i) {
    const TrxfConstruction& position = order.GetPosition(i);
    std::int32_t width = 0, height = 0;
    position.GetSize(width, height);
    positions.push_back({{"PosNo", Cp1251ToUtf8(position.PosNo)},
                         {"PosName", Cp1251ToUtf8(position.PosName)},
                         {"Included", position.Included},
                         {"Width", width},
                         {"Height", height},
                         {"Number", position.Number},
                         {"Price", position.Price.ToText()},
                         {"Cost", position.GetCost().ToText()}});
  }
  return {{"OrderNo", Cp1251ToUtf8(order.OrderNo)},
          {"AltOrderNo", Cp1251ToUtf8(order.AltOrderNo)},
          {"RegDate", FormatDate("yyyy-mm-dd", order.RegDate)},
          {"Customer", Cp1251ToUtf8(order.Customer)},
          {"ObjectName", Cp1251ToUtf8(order.ObjectName)},
          {"Address", Cp1251ToUtf8(order.Address)},
          {"Phones", Cp1251ToUtf8(order.Phones)},
          {"Remark", Cp1251ToUtf8(order.Remark)},
          {"Currency", order.Currency},
          {"PriceGroupNo", order.PriceGroupNo},
          {"NDSTax", FloatJson(order.NDSTax)},
          {"GetTotalNDS", order.GetTotalNDS},
          {"Cost", order.GetCost().ToText()},
          {"NDS", order.GetNDS().ToText()},
          {"TotalCost", order.GetTotalCost().ToText()},
          {"Positions", positions}};
}

void PrintOrderTable(const TrxfOrder& order) {
  const char separator = ProcessFormats().DecimalSeparator;
  PrintLine(std::cout, Format("Заказ № %s от %s"_w, order.OrderNo, FormatShortDate(order.RegDate)));
  for (const auto& [label, value] : {std::pair{"Заказчик"_w, &order.Customer},
                                     {"Объект"_w, &order.ObjectName},
                                     {"Адрес"_w, &order.Address},
                                     {"Телефон"_w, &order.Phones},
                                     {"Примечание"_w, &order.Remark}})
    if (!value->empty())
      PrintLine(std::cout, std::string(label) + ": " + *value);
  std::cout << '\n'
            << Row({{"№"_w, 6},
                    {"Наименование"_w, 24},
                    {"Размер"_w, 12},
                    {"Кол-во"_w, 7},
                    {"Цена"_w, 12},
                    {"Сумма"_w, 0}})
            << '\n';
  for (std::size_t i = 0; i < order.Count(); ++i) {
    const TrxfConstruction& position = order.GetPosition(i);
    std::int32_t width = 0, height = 0;
    position.GetSize(width, height);
    const std::string cost =
        position.Included ? Money2(position.GetCost()) : std::string("(не включена)"_w);
    std::cout << Row({{position.PosNo, 6},
                      {position.PosName, 24},
                      {std::to_string(width) + " x " + std::to_string(height), 12},
                      {std::to_string(position.Number), 7},
                      {Money2(position.Price), 12},
                      {cost, 0}})
              << '\n';
  }
  std::cout << '\n';
  PrintLine(std::cout, Format("Сумма: %s"_w, Money2(order.GetCost())));
  if (order.GetTotalNDS)
    PrintLine(std::cout,
              Format("НДС %s%%: %s"_w, FloatText(order.NDSTax, separator), Money2(order.GetNDS())));
  PrintLine(std::cout, Format("Итого: %s"_w, Money2(order.GetTotalCost())));
}

int RunShow(const Options& options) {
  RecordingUi ui;
  ui.SetAnswer(true);
  TrxfOrder order;
  if (const auto status = ReadOrder(options, ui, order))
    return *status;
  if (options.format == "json")
    std::cout << OrderJson(order).dump(2) << '\n';
  else
    PrintOrderTable(order);
  return 0;
}

Money Total(const TMatList& list) {
  Money total;
  for (const auto& line : list)
    total += line->Cost;
  return total;
}

// The list with its total; names from the catalogue when one is given.
void PrintMatList(const TMatList& list, const TDM* dm, const Options& options) {
  const auto name = [&](const TrxfMatListItem& line) {
    return dm ? GetCatalogName(*dm, line.ID, true) : std::string();
  };
  if (options.format == "json") {
    json lines = json::array();
    for (const auto& line : list) {
      json item = {{"ID", Cp1251ToUtf8(line->ID)},
                   {"Number", FloatJson(line->Number)},
                   {"Price", line->Price.ToText()},
                   {"Cost", line->Cost.ToText()}};
      if (dm)
        item["Name"] = Cp1251ToUtf8(name(*line));
      lines.push_back(item);
    }
    std::cout << json{{"Lines", lines}, {"Total", Total(list).ToText()}}.dump(2) << '\n';
    return;
  }
  const char separator = ProcessFormats().DecimalSeparator;
  const std::size_t nameWidth = dm ? 32 : 0;
  std::cout << Row({{"Код"_w, 16},
                    {dm ? "Наименование"_w : std::string_view(), nameWidth},
                    {"Кол-во"_w, 10},
                    {"Цена"_w, 12},
                    {"Сумма"_w, 0}})
            << '\n';
  for (const auto& line : list)
    std::cout << Row({{line->ID, 16},
                      {name(*line), nameWidth},
                      {FloatText(line->Number, separator), 10},
                      {Money2(line->Price), 12},
                      {Money2(line->Cost), 0}})
              << '\n';
  PrintLine(std::cout, Format("Итого: %s"_w, Money2(Total(list))));
}

int RunOrderMatList(const Options& options) {
  if (options.sort == "name" && options.catalogue.empty())
    return BadInput("order matlist", "--sort name needs --catalogue PATH for the names");
  std::unique_ptr<TDM> dm;
  if (!options.catalogue.empty()) {
    try {
      dm = OpenCatalogue(options.catalogue);
    } catch (const Error& e) {
      return BadInput("order matlist", Cp1251ToUtf8(e.what()));
    }
  }
  RecordingUi ui;
  ui.SetAnswer(true);
  TrxfOrder order;
  if (const auto status = ReadOrder(options, ui, order))
    return *status;
  TMatList list;
  try {
    order.BuildMatList(list, ui);
    if (options.sort == "id")
      SortMatListByID(list);
    else if (options.sort == "name")
      SortMatListByName(list, *dm);
  } catch (const Error& e) {
    return Refused(e, options);
  }
  PrintMatList(list, dm.get(), options);
  return 0;
}

int RunSelectionMatList(const Options& options) {
  const auto config = ConfigurationNamed(options.config);
  if (!config)
    return BadInput("selection matlist",
                    "no configuration \"" + options.config + "\" (ramulex config list shows them)");
  std::error_code error;
  if (!fs::is_regular_file(options.file, error))
    return BadInput("selection matlist", "\"" + options.file + "\" is not a selection file");
  std::unique_ptr<TDM> dm;
  try {
    dm = OpenCatalogue(DiskPath(config->CatalogDir));
  } catch (const Error& e) {
    return BadInput("selection matlist", Cp1251ToUtf8(e.what()));
  }
  RecordingUi ui;
  ui.SetAnswer(true);
  TrxfOrderSelection selection(config->OrdersDir);
  TMatList list;
  try {
    if (!ReadWhole(selection.LoadFromFile(options.file, ui)))
      return Refused(ui, options);
    selection.BuildMatList(list, *dm, ui);
  } catch (const Error& e) {
    ui.ShowError(e.what());
    return Refused(ui, options);
  }
  PrintMessages(ui);  // orders of the selection that could not be read whole add nothing
  PrintMatList(list, dm.get(), options);
  return 0;
}

// A group of subcommands ("order", "selection") that runs whichever of its own was chosen.
Commands& AddGroup(Commands& commands, const std::string& name, const std::string& description) {
  auto inner = std::make_shared<std::unique_ptr<Commands>>();
  CLI::App* group = commands.Add(name, description, [inner] { return (*inner)->RunChosen(); });
  group->require_subcommand(1);
  *inner = std::make_unique<Commands>(*group);
  return **inner;
}

void AddFormat(CLI::App* command, Options& options) {
  command->add_option("--format", options.format, "table (default) or json")
      ->check(CLI::IsMember({"table", "json"}));
}

}  // namespace

void AddOrderCommands(Commands& commands) {
  Commands& order =
      AddGroup(commands, "order", "Order files: make, show them and their material lists");
  AddOrderNewCommand(order);
  auto show = std::make_shared<Options>();
  CLI::App* showCommand = order.Add("show", "Header, positions and totals of an order file",
                                    [show] { return RunShow(*show); });
  showCommand->add_option("FILE", show->file, "Order file (.rfo370)")->required();
  AddFormat(showCommand, *show);

  auto matlist = std::make_shared<Options>();
  CLI::App* matlistCommand =
      order.Add("matlist", "The merged material list of the included positions",
                [matlist] { return RunOrderMatList(*matlist); });
  matlistCommand->add_option("FILE", matlist->file, "Order file (.rfo370)")->required();
  matlistCommand->add_option("--sort", matlist->sort, "id (article code) or name (catalogue name)")
      ->check(CLI::IsMember({"id", "name"}));
  matlistCommand->add_option("--catalogue", matlist->catalogue,
                             "Catalogue for the article names: file, CSV or Paradox folder");
  AddFormat(matlistCommand, *matlist);

  Commands& selection = AddGroup(commands, "selection", "Selection files: their material lists");
  auto selectionList = std::make_shared<Options>();
  CLI::App* selectionCommand = selection.Add(
      "matlist", "The merged material list of the included items, priced from the catalogue",
      [selectionList] { return RunSelectionMatList(*selectionList); });
  selectionCommand->add_option("FILE", selectionList->file, "Selection file (.rfs370)")->required();
  selectionCommand
      ->add_option("--config", selectionList->config,
                   "Configuration: its orders folder and catalogue")
      ->required();
  AddFormat(selectionCommand, *selectionList);
}

}  // namespace rxf::app
