#include "foundation/installed_configs.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "messages.h"
#include "temp_home.h"

namespace rxf {
namespace {

class InstalledConfigs : public TempHome {
 protected:
  UserStore store_{UserStore::DefaultFile()};
  const TConfigEntry entry_{"/cat", "/srv", "/rep", ""};
};

TEST_F(InstalledConfigs, AddedConfigurationsAreListedAndRead) {
  AddInstalledConfig(store_, "Demo", entry_, false);
  AddInstalledConfig(store_, "Склад"_w, {"/c2", "/s2", "/r2", "/t2"}, true);
  const TConfigList list = ListConfigurations(store_);
  EXPECT_EQ(list.Names, (std::vector<std::string>{"Demo", std::string("Склад"_w)}));
  EXPECT_EQ(list.DefaultConfig, std::string("Склад"_w));
  const auto read = FindConfiguration(store_, "склад"_w);
  ASSERT_TRUE(read.has_value());
  EXPECT_EQ(read->CatalogDir, "/c2");
  EXPECT_EQ(read->ServerName, "/s2");
  EXPECT_EQ(read->ReportDir, "/r2");
  EXPECT_EQ(read->TempDir, "/t2");
}

TEST_F(InstalledConfigs, AddingRefusesAnExistingOrUnusableName) {
  AddInstalledConfig(store_, "Demo", entry_, false);
  EXPECT_EQ(ErrorText([&] { AddInstalledConfig(store_, "DEMO", entry_, false); }),
            "Конфигурация DEMO уже существует");
  for (const char* name : {"", "a\\b"})
    EXPECT_NE(ErrorText([&] { AddInstalledConfig(store_, name, entry_, false); }), "no error")
        << name;
  EXPECT_EQ(ListConfigurations(store_).Names, std::vector<std::string>{"Demo"});
}

TEST_F(InstalledConfigs, RemovingTakesTheDefaultThatNamedIt) {
  AddInstalledConfig(store_, "Demo", entry_, true);
  AddInstalledConfig(store_, "Main", entry_, false);
  EXPECT_FALSE(RemoveInstalledConfig(store_, "Other"));
  EXPECT_TRUE(RemoveInstalledConfig(store_, "demo"));
  const TConfigList list = ListConfigurations(store_);
  EXPECT_EQ(list.Names, std::vector<std::string>{"Main"});
  EXPECT_EQ(list.DefaultConfig, "");
  EXPECT_FALSE(RemoveInstalledConfig(store_, "Demo"));
}

}  // namespace
}  // namespace rxf
