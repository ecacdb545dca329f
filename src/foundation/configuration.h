// The configuration of a run: which database configuration the user chose and every folder
// derived from it. The configurations are recorded in the per-user store under kConfigKey, one
// subkey per configuration, named by it, with the folder values "RXFCatalogDir",
// "RXFServerName", "RXFReportDir" and "RXFTempDir".
//
// Folders are texts (Windows-1251) joined with "/". Where the server folder is empty the per-user
// data folder takes its place: joining an empty folder would put the documents at the root of
// the file system.
#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/store_key.h"
#include "foundation/ui_services.h"
#include "foundation/user_store.h"

namespace rxf {

inline constexpr std::string_view kConfigKey =
    "\\SoftWare\\Korvat\\Ramulex\\Vavavozur380\\DBConfig\\VIRI";
// The text value of kConfigKey naming the configuration to preselect.
inline constexpr std::string_view kDefaultConfigValue = "DefaultConfig";

// The published values: set once during start-up, read-only afterwards. All folders are empty
// until ResolveConfiguration succeeds.
struct TConfiguration {
  std::string ConfigName;
  std::string CatalogDir;
  std::string ServerDir;
  std::string ReportDir;
  std::string IniFileName;   // CatalogDir + "/RXFurniture.ini"
  std::string OrdersDir;     // ServerDir + "/Orders"
  std::string SelectionDir;  // ServerDir + "/Selection"
  std::string RecycledDir;   // ServerDir + "/Recycled"
  std::string ArchiveDir;    // ServerDir + "/Archive"
  std::string RegistryDir;   // ServerDir + "/Registry"
  std::string ExportDir;     // ServerDir + "/Export"
  std::string TempDir;       // this run's temporary folder
  std::string LastTempDir;   // the previous run's at start; TempDir once resolved
  bool DeveloperMode = false;
  bool ShowPresentation = true;
};

// The four values one configuration records, as stored.
struct TConfigEntry {
  std::string CatalogDir;  // "RXFCatalogDir"
  std::string ServerName;  // "RXFServerName"
  std::string ReportDir;   // "RXFReportDir"
  std::string TempDir;     // "RXFTempDir", may be empty
};

// The index (from 1) of the first parameter that contains switchText, both upper-cased; params[0]
// is the program. -1 when none does.
int FindSwitch(const std::vector<std::string>& params, std::string_view switchText);

// Process initialisation: the switches "/developer" and "/nopresentation", and LastTempDir from
// "RXFLastTempDir" of the configuration key, which is created when missing. Error from the store
// passes through.
TConfiguration InitConfiguration(const std::vector<std::string>& params, UserStore& store,
                                 UiServices& ui);

// Records this run's temporary folder as "RXFLastTempDir", for deletion at the next start. Error
// from the store passes through.
void WriteLastTempDir(UserStore& store, std::string_view folder);

// "Ошибка чтения системного реестра!" with the reason: a configuration that cannot be read.
std::string RegistryReadError(std::string_view reason);

// The configurations recorded, as the store lists them, and the one to preselect.
struct TConfigList {
  std::vector<std::string> Names;
  std::string DefaultConfig;  // "DefaultConfig", empty when not recorded
};
TConfigList ListConfigurations(const UserStore& store);

// The recorded values of the configuration called name (case ignored); nullopt when there is none.
std::optional<TConfigEntry> FindConfiguration(const UserStore& store, std::string_view name);

// Whether name can name a configuration: not empty, no "\" (which separates keys).
bool IsConfigName(std::string_view name);

// A missing value reads as empty text; a value of another type raises Error.
TConfigEntry ReadConfigEntry(const StoreKey& configuration);
void WriteConfigEntry(StoreKey& configuration, const TConfigEntry& entry);

// Sets ConfigName and the folders from CatalogDir to ExportDir; each stored folder is trimmed and
// loses one closing separator.
void DeriveFolders(TConfiguration& config, std::string_view name, const TConfigEntry& entry);

// Where this configuration's per-run temporary folders go: "RXFTempDir", or the "temp" folder of
// the per-user data folder when it is empty (the program's own folder is not writable here).
std::filesystem::path TempFolderBase(const TConfigEntry& entry);

// Shows the configurations and returns the one chosen, nullopt when the user cancels. names are
// listed as the store lists them; preselected is an index into them.
using ConfigChooser = std::function<std::optional<std::string>(
    const std::vector<std::string>& names, std::size_t preselected)>;

// Lets the user choose a configuration and fills the published values, making this run's
// temporary folder. Every failure is shown through ui with the system's message; false then, and
// false without a message when the user cancels.
bool ResolveConfiguration(TConfiguration& config, const UserStore& store, UiServices& ui,
                          const ConfigChooser& choose);

// The three table databases and their folders, in the order they are opened.
struct TDatabaseAlias {
  std::string Name;
  std::string Folder;
};
std::vector<TDatabaseAlias> DatabaseAliases(const TConfiguration& config);

}  // namespace rxf
