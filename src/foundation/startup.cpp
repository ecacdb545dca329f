#include "foundation/startup.h"

#include <filesystem>
#include <system_error>

#include "foundation/cp1251.h"
#include "foundation/currency_load_file.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/temp_folder.h"

namespace rxf {

namespace {

void DeletePreviousTempFolder(TRunContext& run) {
  const std::filesystem::path folder = DiskPath(run.Config.LastTempDir);
  std::error_code ignored;
  if (!run.Config.LastTempDir.empty() && IsTempFolderName(folder) &&
      std::filesystem::exists(folder, ignored))
    DeleteFolderTree(folder, run.Ui);
}

bool CreateSetup(TRunContext& run) {
  try {
    run.Setup = std::make_unique<TrxfSetup>(run.Config, run.Store, run.Ui);
    return true;
  } catch (const Error& e) {
    run.Ui.ShowError(e.what());
    return false;
  }
}

// The settings stay for the way down, which saves them with the firm data just entered.
bool CheckFirmData(TRunContext& run, TApplicationParts& parts) {
  const auto warning = FirmDataWarning(*run.Setup);
  if (!warning)
    return true;
  run.Ui.ShowWarning(*warning);
  if (parts.EditFirmData(*run.Setup))
    run.Ui.ShowWarning("Необходимо перезапустить программу!"_w);
  return false;
}

void QueueFirstActions(const TRunContext& run, TApplicationParts& parts) {
  if (run.Setup->AutoOpenReg)
    parts.QueueFirstAction(TFirstAction::OpenOrderRegistry);
  if (run.Config.ShowPresentation)
    parts.QueueFirstAction(TFirstAction::ShowPresentation);
  if (run.Setup->AutoLoadCurrency && CurrencyLoadDue(LastCurrencyLoadFile(run.Config), Today()))
    parts.QueueFirstAction(TFirstAction::LoadCurrencyRates);
  parts.QueueFirstAction(TFirstAction::RefreshNews);
}

void CreateParts(const TRunContext& run, TApplicationParts& parts) {
  parts.ShowSplash();
  parts.SetSplashProgress(0);
  parts.SetSplashLabel("Загрузка системы..."_w);
  parts.SetSplashProgress(2);
  parts.SetTitle("Ramulex ZUZADEVOR");
  parts.CreateReportModule();
  parts.CreateCatalogModule();
  parts.SetSplashProgress(20);
  parts.CreateMainWindow();
  parts.SetSplashProgress(40);
  parts.CreateExportFilters();
  for (const TDatabaseAlias& alias : DatabaseAliases(run.Config))
    parts.OpenDatabase(alias);
  parts.OpenCatalogTables();
  parts.SetMainWindowState(run.Setup->DezeredezMainWinState);
  QueueFirstActions(run, parts);
  parts.SetSplashProgress(100);
}

// A failure here still lets the main loop run with whatever was created. The splash goes before
// the message, so that the message is not left under it.
void BringUpParts(TRunContext& run, TApplicationParts& parts) {
  std::optional<std::string> failure;
  try {
    CreateParts(run, parts);
  } catch (const Error& e) {
    failure = e.what();
  }
  parts.CloseSplash();
  if (failure)
    run.Ui.ShowError(*failure);
}

// True when the main loop is to run.
bool StartUp(TRunContext& run, TApplicationParts& parts, const ConfigChooser& choose) {
  DeletePreviousTempFolder(run);
  if (!ResolveConfiguration(run.Config, run.Store, run.Ui, choose) || !CreateSetup(run))
    return false;
  if (!run.Setup->Loaded) {
    run.Ui.ShowWarning(
        "Не найден файл конфигурации! Переустановите программу или произведите настройку вручную!"_w);
    run.Setup.reset();
    return false;
  }
  if (!CheckFirmData(run, parts))
    return false;
  parts.StartNews();
  BringUpParts(run, parts);
  return true;
}

void SaveSettings(TRunContext& run) {
  if (run.Setup) {
    try {
      run.Setup->Save();
    } catch (const Error& e) {
      run.Ui.ShowError(e.what());
    }
  }
  run.Setup.reset();
}

void RecordTempFolder(TRunContext& run) {
  const BusyCursorScope busy(run.Ui);
  try {
    WriteLastTempDir(run.Store, run.Config.LastTempDir);
  } catch (const Error& e) {
    run.Ui.ShowError(e.what());
  }
}

void ShutDown(TRunContext& run, TApplicationParts& parts) {
  SaveSettings(run);
  RecordTempFolder(run);
  parts.DestroyParts();
}

}  // namespace

std::optional<std::string> FirmDataWarning(const TrxfSetup& setup) {
  if (setup.Name.empty() || AnsiSameText(setup.Name, "Наименование Вашей организации"_w))
    return std::string("Пропишите корректно наименование Вашей организации!"_w);
  if (setup.Phone1.empty() || AnsiSameText(setup.Phone1, "Телефон"_w))
    return std::string("Пропишите корректно как минимум один контактный номер для связи!"_w);
  if (setup.EMail.empty())
    return std::string("Пропишите корректно адрес электронной почты!"_w);
  return std::nullopt;
}

void RunApplication(TRunContext& run, TApplicationParts& parts,
                    const std::vector<std::string>& params, const ConfigChooser& choose) {
  try {
    run.Config = InitConfiguration(params, run.Store, run.Ui);
  } catch (const Error& e) {
    // Without a readable store there is nothing to start and nothing to record on the way down.
    run.Ui.ShowError(RegistryReadError(e.what()));
    return;
  }
  if (StartUp(run, parts, choose)) {
    parts.RunMainLoop();
    parts.StopNews();
  }
  ShutDown(run, parts);
}

}  // namespace rxf
