#include "foundation/configuration.h"

#include <algorithm>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/paths.h"
#include "foundation/temp_folder.h"
#include "foundation/user_folders.h"

namespace rxf {

namespace {

constexpr std::string_view kCatalogDirValue = "RXFCatalogDir";
constexpr std::string_view kServerNameValue = "RXFServerName";
constexpr std::string_view kReportDirValue = "RXFReportDir";
constexpr std::string_view kTempDirValue = "RXFTempDir";
constexpr std::string_view kLastTempDirValue = "RXFLastTempDir";

std::string ReadTextOrEmpty(const StoreKey& key, std::string_view name) {
  return key.ReadText(name).value_or("");
}

const StoreKey* FindConfigKey(const StoreKey& root, std::string_view name) {
  const StoreKey* configKey = root.FindKey(kConfigKey);
  return configKey != nullptr && IsConfigName(name) ? configKey->FindKey(name) : nullptr;
}

std::size_t PreselectedIndex(const TConfigList& list) {
  const auto found = std::find(list.Names.begin(), list.Names.end(), list.DefaultConfig);
  return found != list.Names.end() ? static_cast<std::size_t>(found - list.Names.begin()) : 0;
}

// Offers the configurations recorded and takes the chosen name; false when the user cancels. With
// none recorded there is nothing to offer and the name stays empty.
bool ChooseConfiguration(TConfiguration& config, const UserStore& store,
                         const ConfigChooser& choose) {
  const TConfigList list = ListConfigurations(store);
  if (list.Names.empty())
    return true;
  const auto chosen = choose(list.Names, PreselectedIndex(list));
  if (!chosen)
    return false;
  config.ConfigName = *chosen;
  return true;
}

// Derives the folders of the chosen configuration and makes the temporary folder. Error on any
// failure.
void UseConfiguration(TConfiguration& config, const TConfigEntry& entry) {
  DeriveFolders(config, config.ConfigName, entry);
  config.TempDir = PathText(MakeTempFolder(TempFolderBase(entry)));
  config.LastTempDir = config.TempDir;
}

}  // namespace

int FindSwitch(const std::vector<std::string>& params, std::string_view switchText) {
  const std::string wanted = AnsiUpperCase(switchText);
  for (std::size_t i = 1; i < params.size(); ++i)
    if (AnsiUpperCase(params[i]).find(wanted) != std::string::npos)
      return static_cast<int>(i);
  return -1;
}

TConfiguration InitConfiguration(const std::vector<std::string>& params, UserStore& store,
                                 UiServices& ui) {
  TConfiguration config;
  config.DeveloperMode = FindSwitch(params, "/developer") >= 0;
  config.ShowPresentation = FindSwitch(params, "/nopresentation") < 0;
  const BusyCursorScope busy(ui);
  store.Update([&](StoreKey& root) {
    config.LastTempDir = ReadTextOrEmpty(root.CreateKey(kConfigKey), kLastTempDirValue);
  });
  return config;
}

void WriteLastTempDir(UserStore& store, std::string_view folder) {
  store.Update(
      [&](StoreKey& root) { root.CreateKey(kConfigKey).WriteText(kLastTempDirValue, folder); });
}

std::string RegistryReadError(std::string_view reason) {
  return Format("Ошибка чтения системного реестра!\r\n(%s)"_w, reason);
}

TConfigList ListConfigurations(const UserStore& store) {
  TConfigList list;
  const StoreKey root = store.Read();
  if (const StoreKey* configKey = root.FindKey(kConfigKey)) {
    list.Names = configKey->SubKeyNames();
    list.DefaultConfig = ReadTextOrEmpty(*configKey, kDefaultConfigValue);
  }
  return list;
}

std::optional<TConfigEntry> FindConfiguration(const UserStore& store, std::string_view name) {
  const StoreKey root = store.Read();
  const StoreKey* configuration = FindConfigKey(root, name);
  if (configuration == nullptr)
    return std::nullopt;
  return ReadConfigEntry(*configuration);
}

bool IsConfigName(std::string_view name) {
  return !name.empty() && name.find('\\') == std::string_view::npos;
}

TConfigEntry ReadConfigEntry(const StoreKey& configuration) {
  TConfigEntry entry;
  entry.CatalogDir = ReadTextOrEmpty(configuration, kCatalogDirValue);
  entry.ServerName = ReadTextOrEmpty(configuration, kServerNameValue);
  entry.ReportDir = ReadTextOrEmpty(configuration, kReportDirValue);
  entry.TempDir = ReadTextOrEmpty(configuration, kTempDirValue);
  return entry;
}

void WriteConfigEntry(StoreKey& configuration, const TConfigEntry& entry) {
  configuration.WriteText(kCatalogDirValue, entry.CatalogDir);
  configuration.WriteText(kServerNameValue, entry.ServerName);
  configuration.WriteText(kReportDirValue, entry.ReportDir);
  configuration.WriteText(kTempDirValue, entry.TempDir);
}

void DeriveFolders(TConfiguration& config, std::string_view name, const TConfigEntry& entry) {
  config.ConfigName = name;
  config.CatalogDir = TrimPath(entry.CatalogDir);
  config.ServerDir = TrimPath(entry.ServerName);
  if (config.ServerDir.empty())
    config.ServerDir = PathText(UserDataFolder());
  config.ReportDir = TrimPath(entry.ReportDir);
  config.IniFileName = config.CatalogDir + "/RXFurniture.ini";
  config.OrdersDir = config.ServerDir + "/Orders";
  config.SelectionDir = config.ServerDir + "/Selection";
  config.RecycledDir = config.ServerDir + "/Recycled";
  config.ArchiveDir = config.ServerDir + "/Archive";
  config.RegistryDir = config.ServerDir + "/Registry";
  config.ExportDir = config.ServerDir + "/Export";
}

std::filesystem::path TempFolderBase(const TConfigEntry& entry) {
  const std::string base = TrimPath(entry.TempDir);
  return base.empty() ? UserDataFolder() / "temp" : DiskPath(base);
}

bool ResolveConfiguration(TConfiguration& config, const UserStore& store, UiServices& ui,
                          const ConfigChooser& choose) {
  config.CatalogDir.clear();
  config.ServerDir.clear();
  config.ReportDir.clear();
  config.TempDir.clear();
  config.LastTempDir.clear();
  try {
    if (!ChooseConfiguration(config, store, choose))
      return false;
    if (config.ConfigName.empty()) {
      ui.ShowError(
          "В системе не установлены пути доступа к базам данных!\r\nИнсталлируйте заново программу!"_w);
      return false;
    }
    const auto entry = FindConfiguration(store, config.ConfigName);
    if (!entry) {
      ui.ShowError(Format(
          "Ошибка открытия конфигурации %s!\r\nУказанная конфигурация не числиться в списке."_w,
          config.ConfigName));
      return false;
    }
    UseConfiguration(config, *entry);
    return true;
  } catch (const Error& e) {
    ui.ShowError(RegistryReadError(e.what()));
    return false;
  }
}

std::vector<TDatabaseAlias> DatabaseAliases(const TConfiguration& config) {
  return {{"VIRI_Catalog", config.CatalogDir},
          {"VIRI_Registry", config.RegistryDir},
          {"VIRI_Report", config.ReportDir}};
}

}  // namespace rxf
