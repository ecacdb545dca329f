// The database configurations. This platform has no installer to record them, so these commands
// add, list, show and remove them in the per-user store, where start-up reads them.
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <tuple>

#include "app/commands.h"
#include "app/console.h"
#include "foundation/configuration.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/installed_configs.h"
#include "foundation/temp_folder.h"
#include "foundation/user_store.h"

namespace rxf::app {

namespace {

namespace fs = std::filesystem;

struct AddOptions {
  std::string name;
  std::string catalogue;
  std::string server;
  std::string reports;
  std::string temp;
  bool asDefault = false;
};

// One line on the error stream, naming the command: the whole message for bad input.
int BadInput(const std::string& command, const std::string& message) {
  std::cerr << "ramulex config " << command << ": " << message << '\n';
  return kExitBadInput;
}

// The configuration name as the store keeps it; nullopt when it cannot be one.
std::optional<std::string> StoredName(const std::string& name) {
  if (!IsCp1251Representable(name) || !IsConfigName(Utf8ToCp1251(name)))
    return std::nullopt;
  return Utf8ToCp1251(name);
}

// An existing folder as an absolute path in Windows-1251 text, so that it names the same folder
// from wherever the system starts; nullopt when it is no folder or cannot be named so.
std::optional<std::string> StoredFolder(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error))
    return std::nullopt;
  fs::path absolute = fs::absolute(folder, error).lexically_normal();
  if (!absolute.has_filename() && absolute != absolute.root_path())
    absolute = absolute.parent_path();
  if (!IsCp1251Representable(absolute.string()))
    return std::nullopt;
  return PathText(absolute);
}

UserStore CurrentUserStore() {
  return UserStore(UserStore::DefaultFile());
}

int RunList() {
  const TConfigList list = ListConfigurations(CurrentUserStore());
  for (const std::string& name : list.Names)
    PrintLine(std::cout, name == list.DefaultConfig ? name + " (default)" : name);
  return 0;
}

int RunAdd(const AddOptions& options) {
  const auto name = StoredName(options.name);
  if (!name)
    return BadInput("add", "\"" + options.name +
                               "\" cannot name a configuration (empty, a \\ or a character "
                               "without a Windows-1251 form)");
  TConfigEntry entry;
  for (const auto& [option, value, stored] :
       {std::tuple{"--catalogue", &options.catalogue, &entry.CatalogDir},
        std::tuple{"--server", &options.server, &entry.ServerName},
        std::tuple{"--reports", &options.reports, &entry.ReportDir},
        std::tuple{"--temp", &options.temp, &entry.TempDir}}) {
    if (value->empty())
      continue;
    const auto folder = StoredFolder(*value);
    if (!folder)
      return BadInput("add", std::string(option) + " \"" + *value +
                                 "\" is not an existing folder that Windows-1251 can name");
    *stored = *folder;
  }
  UserStore store = CurrentUserStore();
  if (FindConfiguration(store, *name))
    return BadInput("add", "configuration \"" + options.name +
                               "\" exists already (ramulex config remove it first)");
  AddInstalledConfig(store, *name, entry, options.asDefault);
  return 0;
}

int RunRemove(const std::string& name) {
  UserStore store = CurrentUserStore();
  const auto stored = StoredName(name);
  if (!stored || !RemoveInstalledConfig(store, *stored))
    return BadInput("remove", "no configuration \"" + name + "\" (ramulex config list shows them)");
  return 0;
}

void PrintFolder(std::string_view label, const std::string& folder) {
  std::string line(label);
  line.resize(14, ' ');
  PrintLine(std::cout, line + folder);
}

// The name as the store spells it; the store finds it in any case.
std::string RecordedSpelling(const UserStore& store, const std::string& name) {
  for (const std::string& recorded : ListConfigurations(store).Names)
    if (AnsiSameText(recorded, name))
      return recorded;
  return name;
}

int RunShow(const std::string& name) {
  const UserStore store = CurrentUserStore();
  const auto stored = StoredName(name);
  const auto entry = stored ? FindConfiguration(store, *stored) : std::nullopt;
  if (!entry)
    return BadInput("show", "no configuration \"" + name + "\" (ramulex config list shows them)");
  TConfiguration config;
  DeriveFolders(config, RecordedSpelling(store, *stored), *entry);
  std::error_code error;
  const bool iniFound = fs::is_regular_file(DiskPath(config.IniFileName), error);
  PrintFolder("ConfigName", config.ConfigName);
  PrintFolder("CatalogDir", config.CatalogDir);
  PrintFolder("IniFileName", config.IniFileName + (iniFound ? " (found)" : " (missing)"));
  PrintFolder("ReportDir", config.ReportDir);
  PrintFolder("ServerDir", config.ServerDir);
  PrintFolder("OrdersDir", config.OrdersDir);
  PrintFolder("SelectionDir", config.SelectionDir);
  PrintFolder("RecycledDir", config.RecycledDir);
  PrintFolder("ArchiveDir", config.ArchiveDir);
  PrintFolder("RegistryDir", config.RegistryDir);
  PrintFolder("ExportDir", config.ExportDir);
  PrintFolder("TempDir", PathText(TempFolderBase(*entry)) + "/<a number per run>");
  return 0;
}

}  // namespace

void AddConfigCommands(Commands& commands) {
  // "config" runs whichever of its own subcommands was chosen.
  auto inner = std::make_shared<std::unique_ptr<Commands>>();
  CLI::App* config =
      commands.Add("config", "Database configurations: list, add, show and remove them",
                   [inner] { return (*inner)->RunChosen(); });
  config->require_subcommand(1);
  *inner = std::make_unique<Commands>(*config);
  Commands& sub = **inner;

  sub.Add("list", "List the configurations; the preselected one is marked (default)", RunList);

  auto add = std::make_shared<AddOptions>();
  CLI::App* addCommand = sub.Add("add", "Record a configuration", [add] { return RunAdd(*add); });
  addCommand->add_option("NAME", add->name, "Configuration name")->required();
  addCommand->add_option("--catalogue", add->catalogue, "Catalogue folder (holds RXFurniture.ini)")
      ->required();
  addCommand->add_option("--server", add->server, "Server folder: orders, selections, exports")
      ->required();
  addCommand->add_option("--reports", add->reports, "Report folder")->required();
  addCommand->add_option("--temp", add->temp, "Base folder of the per-run temporary folders");
  addCommand->add_flag("--default", add->asDefault, "Preselect it at start");

  auto removeName = std::make_shared<std::string>();
  sub.Add("remove", "Remove a configuration (its folders stay)",
          [removeName] { return RunRemove(*removeName); })
      ->add_option("NAME", *removeName)
      ->required();

  auto showName = std::make_shared<std::string>();
  sub.Add("show", "Show a configuration's folders as the system resolves them",
          [showName] { return RunShow(*showName); })
      ->add_option("NAME", *showName)
      ->required();
}

}  // namespace rxf::app
