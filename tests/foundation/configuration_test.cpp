#include "foundation/configuration.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/recording_ui.h"
#include "foundation/temp_folder.h"
#include "messages.h"
#include "temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

TEST(Configuration, FindSwitchMatchesASubstringOfAnyParameterIgnoringCase) {
  struct Case {
    const char* name;
    std::vector<std::string> params;
    int index;
  } cases[] = {
      {"exact", {"ramulex", "/developer"}, 1},
      {"inside another case", {"ramulex", "x/DEVELOPERx"}, 1},
      {"second parameter", {"ramulex", "/nopresentation", "/Developer"}, 2},
      {"the first that matches", {"ramulex", "/developer", "/developer"}, 1},
      {"the program does not count", {"/developer"}, -1},
      {"absent", {"ramulex", "/develop"}, -1},
      {"no parameters", {}, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindSwitch(c.params, "/developer"), c.index) << c.name;
}

TEST(Configuration, FoldersAreTrimmedAndJoined) {
  TConfiguration config;
  DeriveFolders(config, "Main", {"  /data/cat/  ", "/srv/x//", "/rep\\", "/tmp/t"});
  EXPECT_EQ(config.ConfigName, "Main");
  EXPECT_EQ(config.CatalogDir, "/data/cat");
  EXPECT_EQ(config.IniFileName, "/data/cat/RXFurniture.ini");
  EXPECT_EQ(config.ServerDir, "/srv/x/");
  EXPECT_EQ(config.ReportDir, "/rep");
  EXPECT_EQ(config.OrdersDir, "/srv/x//Orders");
  EXPECT_EQ(config.SelectionDir, "/srv/x//Selection");
  EXPECT_EQ(config.RecycledDir, "/srv/x//Recycled");
  EXPECT_EQ(config.ArchiveDir, "/srv/x//Archive");
  EXPECT_EQ(config.RegistryDir, "/srv/x//Registry");
  EXPECT_EQ(config.ExportDir, "/srv/x//Export");
}

TEST(Configuration, DatabasesAreOpenedCatalogueRegistryReport) {
  TConfiguration config;
  DeriveFolders(config, "Main", {"/cat", "/srv", "/rep", ""});
  const auto aliases = DatabaseAliases(config);
  ASSERT_EQ(aliases.size(), 3u);
  EXPECT_EQ(aliases[0].Name, "VIRI_Catalog");
  EXPECT_EQ(aliases[0].Folder, "/cat");
  EXPECT_EQ(aliases[1].Name, "VIRI_Registry");
  EXPECT_EQ(aliases[1].Folder, "/srv/Registry");
  EXPECT_EQ(aliases[2].Name, "VIRI_Report");
  EXPECT_EQ(aliases[2].Folder, "/rep");
}

class ConfigurationTest : public TempHome {
 protected:
  void Record(const std::string& name, const TConfigEntry& entry) {
    store_.Update([&](StoreKey& root) {
      WriteConfigEntry(root.CreateKey(kConfigKey).CreateKey(name), entry);
    });
  }
  void RecordDefault(const std::string& name) {
    store_.Update(
        [&](StoreKey& root) { root.CreateKey(kConfigKey).WriteText("DefaultConfig", name); });
  }
  TConfigEntry EntryIn(const fs::path& base) const {
    return {PathText(base / "cat"), PathText(base / "srv"), PathText(base / "rep"),
            PathText(base / "tmp")};
  }
  // Resolves with a chooser that records what it was shown and picks pick (nullopt: cancel).
  bool Resolve(std::optional<std::string> pick) {
    return ResolveConfiguration(
        config_, store_, ui_, [&](const std::vector<std::string>& names, std::size_t preselected) {
          shownNames_ = names;
          shownPreselected_ = preselected;
          ++chooserShown_;
          return pick;
        });
  }
  std::vector<std::string> Messages() const { return MessagesOf(ui_); }

  UserStore store_{UserStore::DefaultFile()};
  RecordingUi ui_;
  TConfiguration config_;
  std::vector<std::string> shownNames_;
  std::size_t shownPreselected_ = 99;
  int chooserShown_ = 0;
};

TEST_F(ConfigurationTest, InitialisationReadsTheSwitchesAndThePreviousTempFolder) {
  store_.Update([](StoreKey& root) {
    root.CreateKey(kConfigKey).WriteText("RXFLastTempDir", "/tmp/old/123");
  });
  const TConfiguration config =
      InitConfiguration({"ramulex", "/NOPRESENTATION", "/developer"}, store_, ui_);
  EXPECT_TRUE(config.DeveloperMode);
  EXPECT_FALSE(config.ShowPresentation);
  EXPECT_EQ(config.LastTempDir, "/tmp/old/123");
}

TEST_F(ConfigurationTest, InitialisationCreatesTheConfigurationKey) {
  const TConfiguration config = InitConfiguration({"ramulex"}, store_, ui_);
  EXPECT_FALSE(config.DeveloperMode);
  EXPECT_TRUE(config.ShowPresentation);
  EXPECT_EQ(config.LastTempDir, "");
  EXPECT_NE(store_.Read().FindKey(kConfigKey), nullptr);
}

TEST_F(ConfigurationTest, NoConfigurationIsAnError) {
  EXPECT_FALSE(Resolve("never asked"));
  EXPECT_EQ(chooserShown_, 0);
  EXPECT_EQ(Messages(), std::vector<std::string>{"В системе не установлены пути доступа к базам "
                                                 "данных!\r\nИнсталлируйте заново программу!"});
}

TEST_F(ConfigurationTest, OneConfigurationIsStillOfferedAndResolvesEveryFolder) {
  Record("Main", EntryIn(Home()));
  config_.LastTempDir = "/previous/5";
  ASSERT_TRUE(Resolve("Main"));
  EXPECT_EQ(chooserShown_, 1);
  EXPECT_EQ(shownNames_, std::vector<std::string>{"Main"});
  EXPECT_EQ(config_.ConfigName, "Main");
  EXPECT_EQ(config_.CatalogDir, PathText(Home() / "cat"));
  EXPECT_EQ(config_.IniFileName, PathText(Home() / "cat" / "RXFurniture.ini"));
  EXPECT_EQ(config_.ExportDir, PathText(Home() / "srv" / "Export"));
  const fs::path temp = DiskPath(config_.TempDir);
  EXPECT_EQ(temp.parent_path(), Home() / "tmp");
  EXPECT_TRUE(IsTempFolderName(temp)) << temp;
  EXPECT_TRUE(fs::is_directory(temp));
  EXPECT_EQ(config_.LastTempDir, config_.TempDir);
  EXPECT_TRUE(ui_.Entries().empty());
}

TEST_F(ConfigurationTest, TheDefaultConfigurationIsPreselectedWhenItExists) {
  for (const char* name : {"Beta", "alpha", "Gamma"})
    Record(name, EntryIn(Home()));
  struct Case {
    const char* name;
    std::string defaultConfig;
    std::size_t preselected;
  } cases[] = {
      {"exact name", "Beta", 1},
      {"another case is no match", "beta", 0},
      {"absent configuration", "Delta", 0},
  };
  for (const auto& c : cases) {
    RecordDefault(c.defaultConfig);
    EXPECT_TRUE(Resolve("Gamma")) << c.name;
    EXPECT_EQ(shownNames_, (std::vector<std::string>{"alpha", "Beta", "Gamma"})) << c.name;
    EXPECT_EQ(shownPreselected_, c.preselected) << c.name;
    EXPECT_EQ(config_.ConfigName, "Gamma") << c.name;
  }
}

TEST_F(ConfigurationTest, CancellingEndsSilentlyAndClearsThePreviousTempFolder) {
  Record("Main", EntryIn(Home()));
  config_.LastTempDir = "/previous/5";
  EXPECT_FALSE(Resolve(std::nullopt));
  EXPECT_TRUE(ui_.Entries().empty());
  EXPECT_EQ(config_.LastTempDir, "");
  EXPECT_FALSE(fs::exists(Home() / "tmp"));
}

TEST_F(ConfigurationTest, AChosenConfigurationThatVanishedIsAnError) {
  Record("Main", EntryIn(Home()));
  EXPECT_FALSE(Resolve("Other"));
  EXPECT_EQ(Messages(), std::vector<std::string>{"Ошибка открытия конфигурации Other!\r\nУказанная "
                                                 "конфигурация не числиться в списке."});
}

TEST_F(ConfigurationTest, AValueOfAnotherTypeIsARegistryReadError) {
  Record("Main", EntryIn(Home()));
  store_.Update([](StoreKey& root) {
    root.FindKey(kConfigKey)->FindKey("Main")->WriteInteger("RXFReportDir", 1);
  });
  EXPECT_FALSE(Resolve("Main"));
  EXPECT_EQ(Messages(), std::vector<std::string>{
                            "Ошибка чтения системного реестра!\r\n(Значение «RXFReportDir» "
                            "раздела «Main» хранится с другим типом данных)"});
}

TEST_F(ConfigurationTest, ATempFolderThatCannotBeMadeIsARegistryReadError) {
  Put(Home() / "file", "not a folder");
  TConfigEntry entry = EntryIn(Home());
  entry.TempDir = PathText(Home() / "file");
  Record("Main", entry);
  EXPECT_FALSE(Resolve("Main"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(
      Messages()[0].starts_with("Ошибка чтения системного реестра!\r\n(Не удалось создать "
                                "папку «" +
                                (Home() / "file").string()))
      << Messages()[0];
}

TEST_F(ConfigurationTest, EmptyServerAndTempFoldersUseTheUserDataFolder) {
  Record("Main", {PathText(Home() / "cat"), "  ", PathText(Home() / "rep"), ""});
  ASSERT_TRUE(Resolve("Main"));
  const fs::path data = Home() / "data" / "ramulex";
  EXPECT_EQ(config_.ServerDir, PathText(data));
  EXPECT_EQ(config_.OrdersDir, PathText(data / "Orders"));
  EXPECT_EQ(DiskPath(config_.TempDir).parent_path(), data / "temp");
}

TEST_F(ConfigurationTest, ADamagedStoreIsARegistryReadError) {
  Put(store_.File(), "{");
  EXPECT_FALSE(Resolve("Main"));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with(
      "Ошибка чтения системного реестра!\r\n(Файл настроек пользователя повреждён"))
      << Messages()[0];
}

TEST_F(ConfigurationTest, ConfigurationsAreFoundIgnoringCase) {
  Record("Main", EntryIn(Home()));
  RecordDefault("Main");
  const TConfigList list = ListConfigurations(store_);
  EXPECT_EQ(list.Names, std::vector<std::string>{"Main"});
  EXPECT_EQ(list.DefaultConfig, "Main");
  EXPECT_EQ(FindConfiguration(store_, "MAIN")->CatalogDir, PathText(Home() / "cat"));
  EXPECT_FALSE(FindConfiguration(store_, "Other").has_value());
  EXPECT_FALSE(FindConfiguration(store_, "").has_value());
}

}  // namespace
}  // namespace rxf
