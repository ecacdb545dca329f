// The order registry of a configuration on the command line: list it, register order files,
// refresh, delete, archive and clear rows. The user's command is the answer to the registry's
// questions; its messages go to the error stream. Bad input (an unknown configuration, file or
// number) changes nothing.
#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "app/console.h"
#include "app/named_configuration.h"
#include "documents/order_registry.h"
#include "foundation/configuration.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/format.h"
#include "foundation/recording_ui.h"
#include "foundation/setup.h"
#include "foundation/user_store.h"

namespace rxf::app {

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

enum class Operation { List, Register, Refresh, Delete, Archive, Clear };

struct Options {
  std::string config;
  std::vector<std::string> args;  // files or order numbers
  std::string index = "No";
  std::string format = "table";
};

int BadInput(const std::string& utf8Message) {
  std::cerr << "ramulex registry: " << utf8Message << '\n';
  return kExitBadInput;
}

// The configuration recorded under the name (UTF-8), with its folders.
// The exit status of an operation, after its messages.
int Finish(const RecordingUi& ui, bool done) {
  for (const auto& entry : ui.Entries())
    if (entry.kind != RecordingUi::Kind::Question)
      PrintLine(std::cerr, entry.text);
  return done ? 0 : kExitRefused;
}

TRegistryIndex IndexNamed(const std::string& name) {
  if (name == "Date")
    return TRegistryIndex::Date;
  if (name == "CustName")
    return TRegistryIndex::CustName;
  if (name == "ObjName")
    return TRegistryIndex::ObjName;
  return TRegistryIndex::Primary;
}

int List(TOrderRegistry& registry, const Options& options) {
  const auto rows = registry.List(IndexNamed(options.index));
  if (options.format == "json") {
    json list = json::array();
    for (const TRegistryRow& row : rows)
      list.push_back({{"No", Cp1251ToUtf8(row.No)},
                      {"RegDate", FormatDate("yyyy-mm-dd", row.RegDate)},
                      {"Customer", Cp1251ToUtf8(row.Customer)},
                      {"Object", Cp1251ToUtf8(row.Object)},
                      {"Address", Cp1251ToUtf8(row.Address)},
                      {"Phone", Cp1251ToUtf8(row.Phone)},
                      {"Cost", row.Cost.ToText()},
                      {"Currency", row.Currency},
                      {"OrderFile", Cp1251ToUtf8(row.OrderFile)},
                      {"Note", Cp1251ToUtf8(row.Note)}});
    std::cout << list.dump(2) << '\n';
    return 0;
  }
  for (const TRegistryRow& row : rows)
    PrintLine(std::cout, Format("%-30s %s %-40s %15.2n %s"_w, row.No, FormatShortDate(row.RegDate),
                                row.Customer, row.Cost, row.OrderFile));
  return 0;
}

// Numbers in Windows-1251, when each one can be and names a row of the registry.
std::optional<std::vector<std::string>> RegisteredNumbers(const TConfiguration& config,
                                                          const std::vector<std::string>& args,
                                                          UiServices& ui) {
  std::error_code error;
  if (!fs::exists(DiskPath(config.RegistryDir) / kRegistryFileName, error)) {
    BadInput("the registry of this configuration holds no orders yet");
    return std::nullopt;
  }
  TOrderRegistry registry(config, ui);
  std::vector<std::string> numbers;
  for (const std::string& arg : args) {
    if (!IsCp1251Representable(arg) || !registry.Find(Utf8ToCp1251(arg))) {
      BadInput("no order \"" + arg + "\" in the registry (ramulex registry list shows them)");
      return std::nullopt;
    }
    numbers.push_back(Utf8ToCp1251(arg));
  }
  return numbers;
}

int Run(Operation operation, const Options& options) {
  const auto config = ConfigurationNamed(options.config);
  if (!config)
    return BadInput("no configuration \"" + options.config + "\" (ramulex config list shows them)");
  RecordingUi ui;
  ui.SetAnswer(true);
  if (operation == Operation::Register) {
    std::vector<fs::path> files;
    for (const std::string& arg : options.args) {
      std::error_code error;
      if (!fs::is_regular_file(arg, error))
        return BadInput("\"" + arg + "\" is not an order file");
      files.emplace_back(arg);
    }
    TOrderRegistry registry(*config, ui);
    return Finish(ui, registry.RegisterOrderFiles(files));
  }
  if (operation == Operation::List || operation == Operation::Clear) {
    TOrderRegistry registry(*config, ui);
    if (operation == Operation::List)
      return List(registry, options);
    return Finish(ui, registry.List(TRegistryIndex::Primary).empty() || registry.ClearRegistry());
  }
  const auto numbers = RegisteredNumbers(*config, options.args, ui);
  if (!numbers)
    return kExitBadInput;
  TOrderRegistry registry(*config, ui);
  switch (operation) {
    case Operation::Refresh:
      return Finish(ui, registry.RefreshEntry(numbers->front()));
    case Operation::Delete: {
      UserStore store(UserStore::DefaultFile());
      const TrxfSetup setup(*config, store, ui);
      return Finish(ui, registry.DeleteEntries(*numbers, false, setup.MoveToRecycled));
    }
    default:
      return Finish(ui, registry.ArchiveEntries(*numbers, false));
  }
}

}  // namespace

void AddRegistryCommands(Commands& commands) {
  auto inner = std::make_shared<std::unique_ptr<Commands>>();
  CLI::App* group = commands.Add("registry", "The order registry of a configuration",
                                 [inner] { return (*inner)->RunChosen(); });
  group->require_subcommand(1);
  *inner = std::make_unique<Commands>(*group);
  Commands& sub = **inner;

  struct Entry {
    const char* name;
    const char* description;
    Operation operation;
    const char* args;  // the positional arguments, or null
    bool several;
  };
  for (const Entry& entry : {
           Entry{"list", "List the rows", Operation::List, nullptr, false},
           Entry{"register", "Add a row for each order file whose number is new",
                 Operation::Register, "FILE", true},
           Entry{"refresh", "Update a row from its order file", Operation::Refresh, "NO", false},
           Entry{"delete",
                 "Remove rows; their files go to the recycle folder when the settings say so",
                 Operation::Delete, "NO", true},
           Entry{"archive", "Remove rows and move their files into the archive folder",
                 Operation::Archive, "NO", true},
           Entry{"clear", "Remove every row; no order file moves", Operation::Clear, nullptr,
                 false},
       }) {
    auto options = std::make_shared<Options>();
    const Operation operation = entry.operation;
    CLI::App* command = sub.Add(entry.name, entry.description,
                                [options, operation] { return Run(operation, *options); });
    command->add_option("--config", options->config, "Configuration name")->required();
    if (entry.args) {
      CLI::Option* args = command->add_option(entry.args, options->args)->required();
      if (!entry.several)
        args->expected(1);
    }
    if (entry.operation == Operation::List) {
      command
          ->add_option("--index", options->index,
                       "Row order: No (default), Date, CustName "
                       "or ObjName")
          ->check(CLI::IsMember({"No", "Date", "CustName", "ObjName"}));
      command->add_option("--format", options->format, "table (default) or json")
          ->check(CLI::IsMember({"table", "json"}));
    }
  }
}

}  // namespace rxf::app
