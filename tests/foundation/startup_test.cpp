#include "foundation/startup.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/currency_load_file.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/ini_file.h"
#include "foundation/recording_ui.h"
#include "messages.h"
#include "temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

// Records every step in order, as text; a step named in failAt raises instead.
class RecordingParts : public TApplicationParts {
 public:
  std::vector<std::string> steps;
  std::string failAt;
  bool confirmFirmDialog = false;
  std::function<void(TrxfSetup&)> editFirm = [](TrxfSetup&) {};
  std::function<void()> mainLoop = [] {};

  bool EditFirmData(TrxfSetup& setup) override {
    Step("EditFirmData");
    editFirm(setup);
    return confirmFirmDialog;
  }
  void StartNews() override { Step("StartNews"); }
  void StopNews() override { Step("StopNews"); }
  void ShowSplash() override { Step("ShowSplash"); }
  void SetSplashLabel(std::string_view text) override { Step("SplashLabel " + Cp1251ToUtf8(text)); }
  void SetSplashProgress(int percent) override { Step("Progress " + std::to_string(percent)); }
  void CloseSplash() override { Step("CloseSplash"); }
  void SetTitle(std::string_view title) override { Step("Title " + std::string(title)); }
  void CreateReportModule() override { Step("CreateReportModule"); }
  void CreateCatalogModule() override { Step("CreateCatalogModule"); }
  void CreateMainWindow() override { Step("CreateMainWindow"); }
  void CreateExportFilters() override { Step("CreateExportFilters"); }
  void OpenDatabase(const TDatabaseAlias& alias) override { Step("OpenDatabase " + alias.Name); }
  void OpenCatalogTables() override { Step("OpenCatalogTables"); }
  void SetMainWindowState(TWindowState state) override {
    Step("MainWindowState " + std::to_string(static_cast<int>(state)));
  }
  void QueueFirstAction(TFirstAction action) override {
    static const char* const kNames[] = {"OpenOrderRegistry", "ShowPresentation",
                                         "LoadCurrencyRates", "RefreshNews"};
    Step(std::string("Queue ") + kNames[static_cast<int>(action)]);
  }
  void RunMainLoop() override {
    Step("RunMainLoop");
    mainLoop();
  }
  void DestroyParts() override { Step("DestroyParts"); }

 private:
  void Step(const std::string& step) {
    steps.push_back(step);
    if (step == failAt)
      throw Error(Utf8ToCp1251("Сбой: " + step));
  }
};

const std::string kValidFirm = "[Firm]\r\nName=ООО Окна\r\nPhone1=123\r\nEMail=a@b.ru\r\n";

class StartupTest : public TempHome {
 protected:
  void SetUp() override {
    oldFormats_ = ProcessFormats();
    SetProcessFormats(DesktopFormats());
    store_.Update([&](StoreKey& root) {
      WriteConfigEntry(root.CreateKey(kConfigKey).CreateKey("Main"),
                       {PathText(Home() / "cat"), PathText(Home() / "srv"),
                        PathText(Home() / "rep"), PathText(Home() / "tmp")});
    });
  }
  void TearDown() override { SetProcessFormats(oldFormats_); }

  fs::path IniPath() const { return Home() / "cat" / "RXFurniture.ini"; }
  void PutIni(const std::string& utf8) { Put(IniPath(), Utf8ToCp1251(utf8)); }

  void Run(std::vector<std::string> params = {"ramulex"},
           std::optional<std::string> pick = "Main") {
    RunApplication(run_, parts_, params,
                   [&](const std::vector<std::string>&, std::size_t) { return pick; });
  }

  std::vector<std::string> Messages() const { return MessagesOf(ui_); }
  std::string RecordedTempDir() const {
    return store_.Read().FindKey(kConfigKey)->ReadText("RXFLastTempDir").value_or("missing");
  }
  bool SettingsSaved() const {
    const StoreKey root = store_.Read();
    const StoreKey* key = root.FindKey(kSettingsKey);
    return key != nullptr && key->ValueExists("AutoReg");
  }

  UserStore store_{UserStore::DefaultFile()};
  RecordingUi ui_;
  TRunContext run_{store_, ui_, {}, nullptr};
  RecordingParts parts_;

 private:
  FormatSettings oldFormats_;
};

TEST_F(StartupTest, AFullRunGoesUpAndDownInOrder) {
  PutIni(kValidFirm);
  store_.Update([](StoreKey& root) {
    root.CreateKey(kSettingsKey).WriteInteger("DezeredezMainWinState", 2);
  });
  parts_.mainLoop = [&] { run_.Setup->DezeredezMainWinState = TWindowState::Minimized; };
  Run();
  EXPECT_EQ(parts_.steps, (std::vector<std::string>{"StartNews",
                                                    "ShowSplash",
                                                    "Progress 0",
                                                    "SplashLabel Загрузка системы...",
                                                    "Progress 2",
                                                    "Title Ramulex ZUZADEVOR",
                                                    "CreateReportModule",
                                                    "CreateCatalogModule",
                                                    "Progress 20",
                                                    "CreateMainWindow",
                                                    "Progress 40",
                                                    "CreateExportFilters",
                                                    "OpenDatabase VIRI_Catalog",
                                                    "OpenDatabase VIRI_Registry",
                                                    "OpenDatabase VIRI_Report",
                                                    "OpenCatalogTables",
                                                    "MainWindowState 2",
                                                    "Queue OpenOrderRegistry",
                                                    "Queue ShowPresentation",
                                                    "Queue LoadCurrencyRates",
                                                    "Queue RefreshNews",
                                                    "Progress 100",
                                                    "CloseSplash",
                                                    "RunMainLoop",
                                                    "StopNews",
                                                    "DestroyParts"}));
  EXPECT_EQ(Messages(), std::vector<std::string>{});
  EXPECT_EQ(run_.Setup, nullptr);
  EXPECT_EQ(RecordedTempDir(), run_.Config.TempDir);
  EXPECT_TRUE(fs::is_directory(DiskPath(run_.Config.TempDir)));
  EXPECT_EQ(store_.Read().FindKey(kSettingsKey)->ReadInteger("DezeredezMainWinState"), 1);
  EXPECT_EQ(ReadIniFile(IniPath()).ReadString("FTP", "ftpPort", ""), "21");
}

TEST_F(StartupTest, TheNextStartDeletesThePreviousTempFolderEvenWhenCancelled) {
  PutIni(kValidFirm);
  Run();
  const fs::path previous = DiskPath(run_.Config.TempDir);
  Put(previous / "engine.tmp", "x");
  parts_.steps.clear();
  Run({"ramulex"}, std::nullopt);
  EXPECT_FALSE(fs::exists(previous));
  EXPECT_TRUE(ui_.Entries().empty());
  EXPECT_EQ(RecordedTempDir(), "");
  EXPECT_EQ(parts_.steps, std::vector<std::string>{"DestroyParts"});
}

TEST_F(StartupTest, APreviousTempFolderWithoutANumberNameIsKept) {
  Put(Home() / "documents" / "order.rfo", "x");
  store_.Update([&](StoreKey& root) {
    root.CreateKey(kConfigKey).WriteText("RXFLastTempDir", PathText(Home() / "documents"));
  });
  Run({"ramulex"}, std::nullopt);
  EXPECT_TRUE(fs::exists(Home() / "documents" / "order.rfo"));
}

TEST_F(StartupTest, TheFirstActionsFollowTheSettingsAndTheSwitch) {
  PutIni(kValidFirm);
  store_.Update(
      [](StoreKey& root) { root.CreateKey(kSettingsKey).WriteInteger("AutoOpenReg", 0); });
  fs::create_directories(Home() / "srv");
  WriteLastCurrencyLoad(PathText(Home() / "srv" / "Ramulex.lcu"), Today());
  Run({"ramulex", "/nopresentation"});
  std::vector<std::string> queued;
  for (const std::string& step : parts_.steps)
    if (step.starts_with("Queue "))
      queued.push_back(step);
  EXPECT_EQ(queued, std::vector<std::string>{"Queue RefreshNews"});
}

TEST_F(StartupTest, AMissingSettingsFileEndsTheRunWithoutSavingAnything) {
  Run();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Не найден файл конфигурации! Переустановите "
                                                 "программу или произведите настройку вручную!"});
  EXPECT_EQ(ui_.Entries()[0].kind, RecordingUi::Kind::Warning);
  EXPECT_EQ(parts_.steps, std::vector<std::string>{"DestroyParts"});
  EXPECT_FALSE(fs::exists(IniPath()));
  EXPECT_FALSE(SettingsSaved());
  EXPECT_EQ(RecordedTempDir(), run_.Config.TempDir);
}

TEST_F(StartupTest, ATaxRateThatIsNoNumberEndsTheRunWithoutSavingAnything) {
  const std::string content = kValidFirm + "[Tax]\r\nNDSTax=много\r\n";
  PutIni(content);
  Run();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Ставка НДС «много» (ключ NDSTax раздела Tax "
                                                 "файла настроек) не является числом"});
  EXPECT_EQ(ui_.Entries()[0].kind, RecordingUi::Kind::Error);
  EXPECT_EQ(parts_.steps, std::vector<std::string>{"DestroyParts"});
  EXPECT_EQ(Cp1251ToUtf8(Get(IniPath())), content);
  EXPECT_FALSE(SettingsSaved());
}

TEST(Startup, OnlyTheFirstUnusableFirmParticularIsReported) {
  struct Case {
    const char* name;
    std::string firmName, phone1, email;
    std::optional<std::string> warning;
  } cases[] = {
      {"all usable", "ООО Окна", "123", "a@b", std::nullopt},
      {"empty name", "", "", "", "Пропишите корректно наименование Вашей организации!"},
      {"placeholder name in capitals", "НАИМЕНОВАНИЕ ВАШЕЙ ОРГАНИЗАЦИИ", "123", "a@b",
       "Пропишите корректно наименование Вашей организации!"},
      {"empty phone", "ООО", "", "",
       "Пропишите корректно как минимум один контактный номер для связи!"},
      {"placeholder phone", "ООО", "телефон", "a@b",
       "Пропишите корректно как минимум один контактный номер для связи!"},
      {"empty e-mail", "ООО", "123", "", "Пропишите корректно адрес электронной почты!"},
  };
  TConfiguration noFile;
  UserStore store("/nonexistent/user-store.json");
  RecordingUi ui;
  for (const auto& c : cases) {
    TrxfSetup setup(noFile, store, ui);
    setup.Name = Utf8ToCp1251(c.firmName);
    setup.Phone1 = Utf8ToCp1251(c.phone1);
    setup.EMail = c.email;
    const auto warning = FirmDataWarning(setup);
    EXPECT_EQ(warning ? std::optional(Cp1251ToUtf8(*warning)) : std::nullopt, c.warning) << c.name;
  }
}

TEST_F(StartupTest, FirmDataConfirmedAtStartAreSavedAndTheRunEnds) {
  PutIni("[Firm]\r\nName=Наименование Вашей организации\r\n");
  parts_.confirmFirmDialog = true;
  parts_.editFirm = [](TrxfSetup& setup) {
    setup.Name = "ООО Окна"_w;
    setup.Phone1 = "123";
    setup.EMail = "a@b.ru";
  };
  Run();
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{"Пропишите корректно наименование Вашей организации!",
                                      "Необходимо перезапустить программу!"}));
  EXPECT_EQ(parts_.steps, (std::vector<std::string>{"EditFirmData", "DestroyParts"}));
  const IniFile ini = ReadIniFile(IniPath());
  EXPECT_EQ(Cp1251ToUtf8(ini.ReadString("Firm", "Name", "")), "ООО Окна");
  EXPECT_EQ(ini.ReadString("Firm", "EMail", ""), "a@b.ru");
  EXPECT_TRUE(SettingsSaved());
}

TEST_F(StartupTest, ACancelledFirmDialogEndsTheRunWithoutTheRestartWarning) {
  PutIni("[Firm]\r\nName=ООО Окна\r\n");
  Run();
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Пропишите корректно как минимум один контактный номер для связи!"});
  EXPECT_EQ(parts_.steps, (std::vector<std::string>{"EditFirmData", "DestroyParts"}));
}

TEST_F(StartupTest, AFailureWhileCreatingThePartsIsShownAndTheMainLoopStillRuns) {
  PutIni(kValidFirm);
  parts_.failAt = "CreateMainWindow";
  Run();
  EXPECT_EQ(Messages(), std::vector<std::string>{"Сбой: CreateMainWindow"});
  EXPECT_EQ(std::vector<std::string>(parts_.steps.end() - 6, parts_.steps.end()),
            (std::vector<std::string>{"Progress 20", "CreateMainWindow", "CloseSplash",
                                      "RunMainLoop", "StopNews", "DestroyParts"}));
  EXPECT_TRUE(SettingsSaved());
}

TEST_F(StartupTest, ASettingsFileThatCannotBeWrittenAtExitIsShownAndTheExitGoesOn) {
  PutIni(kValidFirm);
  parts_.mainLoop = [&] {
    fs::remove(IniPath());
    fs::create_directory(IniPath());
  };
  Run();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Не удалось прочитать файл «" + IniPath().string()))
      << Messages()[0];
  EXPECT_EQ(RecordedTempDir(), run_.Config.TempDir);
  EXPECT_EQ(parts_.steps.back(), "DestroyParts");
}

TEST_F(StartupTest, ADamagedStoreStopsTheRunBeforeAnythingStarts) {
  Put(store_.File(), "{");
  Run();
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Ошибка чтения системного реестра!\r\n(")) << Messages()[0];
  EXPECT_TRUE(parts_.steps.empty());
  EXPECT_EQ(Get(store_.File()), "{");
}

TEST_F(StartupTest, TheBundledDemoSettingsPassTheFirmCheck) {
  Put(IniPath(), Utf8ToCp1251(Get(fs::path(RXF_TEST_DATA) / ".." / ".." / "data" / "demo" /
                                  "RXFurniture.ini")));
  run_.Config.IniFileName = PathText(IniPath());
  const TrxfSetup setup(run_.Config, store_, ui_);
  EXPECT_TRUE(setup.Loaded);
  EXPECT_EQ(FirmDataWarning(setup), std::nullopt);
  EXPECT_TRUE(ui_.Entries().empty());
}

}  // namespace
}  // namespace rxf
