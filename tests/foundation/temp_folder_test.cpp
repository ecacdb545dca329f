#include "foundation/temp_folder.h"

#include <gtest/gtest.h>

#include <set>

#include "foundation/recording_ui.h"
#include "temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

TEST(TempFolder, OnlyNumberNamesAreTempFolders) {
  struct Case {
    const char* path;
    bool temp;
  } cases[] = {
      {"/base/0", true},     {"/base/999999", true}, {"/base/1234567", false}, {"/base/12a", false},
      {"/home/user", false}, {"/", false},           {"/base/12/", false},     {"", false},
      {"/base/..", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsTempFolderName(c.path), c.temp) << c.path;
}

class TempFolderTest : public TempHome {};

TEST_F(TempFolderTest, EachRunGetsANewNumberFolderInsideTheBase) {
  std::set<fs::path> made;
  for (int run = 0; run < 20; ++run) {
    const fs::path folder = MakeTempFolder(Home() / "deep" / "base");
    EXPECT_EQ(folder.parent_path(), Home() / "deep" / "base");
    EXPECT_TRUE(IsTempFolderName(folder)) << folder;
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_TRUE(made.insert(folder).second) << folder << " made twice";
  }
}

TEST_F(TempFolderTest, DeletingAFolderTreeTakesItsContents) {
  Put(Home() / "123" / "sub" / "file", "x");
  RecordingUi ui;
  EXPECT_TRUE(DeleteFolderTree(Home() / "123", ui));
  EXPECT_FALSE(fs::exists(Home() / "123"));
  EXPECT_TRUE(ui.Entries().empty());
}

}  // namespace
}  // namespace rxf
