// Bringing the system up and down, without windows of its own: the steps that create windows,
// data modules and the news service go through TApplicationParts, which the desktop fills and
// tests replace. Every message reaches the user through UiServices.
//
// Up: the previous run's temporary folder is deleted, the user chooses a configuration, the
// settings are loaded and the firm data checked, then (under a splash window) the data modules
// and the main window are created, the databases and catalogue tables opened and the main
// window's first actions queued. Down: the settings are saved if they were loaded (store values
// first, then the settings file), this run's temporary folder is recorded for deletion at the
// next start, and the parts are destroyed. A start that fails part-way goes straight down.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/configuration.h"
#include "foundation/setup.h"
#include "foundation/ui_services.h"
#include "foundation/user_store.h"

namespace rxf {

// The first actions of the main window, queued at start, run in this order by the main loop.
enum class TFirstAction { OpenOrderRegistry, ShowPresentation, LoadCurrencyRates, RefreshNews };

class TApplicationParts {
 public:
  virtual ~TApplicationParts() = default;

  // The firm data dialog, modal; true when the user confirms it with OK.
  virtual bool EditFirmData(TrxfSetup& setup) = 0;
  virtual void StartNews() = 0;
  virtual void StopNews() = 0;
  // The splash window: shown with its designed label "Загрузка...", then updated; closing it
  // when it is not shown does nothing.
  virtual void ShowSplash() = 0;
  virtual void SetSplashLabel(std::string_view text) = 0;
  virtual void SetSplashProgress(int percent) = 0;
  virtual void CloseSplash() = 0;
  virtual void SetTitle(std::string_view title) = 0;
  virtual void CreateReportModule() = 0;
  virtual void CreateCatalogModule() = 0;
  // Its creation also sets the process-wide formats.
  virtual void CreateMainWindow() = 0;
  // The holder of the report engine's export filters.
  virtual void CreateExportFilters() = 0;
  virtual void OpenDatabase(const TDatabaseAlias& alias) = 0;
  // Each table that fails to open is reported on its own and the next one is opened.
  virtual void OpenCatalogTables() = 0;
  virtual void SetMainWindowState(TWindowState state) = 0;
  virtual void QueueFirstAction(TFirstAction action) = 0;
  // Runs until the main window closes; the main window records its state in the settings.
  virtual void RunMainLoop() = 0;
  // Destroys what was created, whatever start-up got to; the main window closes the databases.
  virtual void DestroyParts() = 0;
};

// What a run owns and the rest of the system reads: the configuration, fixed once resolved, and
// the settings while the run is up.
struct TRunContext {
  UserStore& Store;
  UiServices& Ui;
  TConfiguration Config;
  std::unique_ptr<TrxfSetup> Setup;
};

// The warning for the first unusable firm particular (name, first telephone, e-mail), if any.
std::optional<std::string> FirmDataWarning(const TrxfSetup& setup);

// The whole run: process initialisation with params (params[0] the program), start-up, the main
// loop when start-up got through, and the way down.
void RunApplication(TRunContext& run, TApplicationParts& parts,
                    const std::vector<std::string>& params, const ConfigChooser& choose);

}  // namespace rxf
