#include "foundation/paths.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>

#include "foundation/cp1251.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

TEST(Path, ExtractFilePartCombinesTheChosenParts) {
  struct Case {
    const char* name;
    std::string fileName;
    bool withPath, withName, withExt;
    std::string part;
  } cases[] = {
      {"everything", "C:\\Data\\a.b.rfo", true, true, true, "C:\\Data\\a.b.rfo"},
      {"without extension", "C:\\Data\\a.b.rfo", true, true, false, "C:\\Data\\a.b"},
      {"folder", "C:\\Data\\a.b.rfo", true, false, false, "C:\\Data\\"},
      {"folder and extension", "C:\\Data\\a.b.rfo", true, false, true, ""},
      {"name and extension", "C:\\Data\\a.b.rfo", false, true, true, "a.b.rfo"},
      {"name", "C:\\Data\\a.b.rfo", false, true, false, "a.b"},
      {"extension", "C:\\Data\\a.b.rfo", false, false, true, ".rfo"},
      {"nothing", "C:\\Data\\a.b.rfo", false, false, false, ""},
      {"slash separators", "/home/u/x.rfo", true, false, false, "/home/u/"},
      {"mixed separators", "C:\\Data/sub\\x.rfo", false, true, false, "x"},
      {"full stop in a folder only", "C:\\v1.2\\readme", false, true, true, "readme"},
      {"no extension", "C:\\v1.2\\readme", false, false, true, ""},
      {"no folder", "x.rfo", true, true, false, "x"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExtractFilePart(c.fileName, c.withPath, c.withName, c.withExt), c.part) << c.name;
}

TEST(Path, TrimPathDropsBlanksAndOneClosingSeparator) {
  EXPECT_EQ(TrimPath(" C:\\Data\\ "), "C:\\Data");
  EXPECT_EQ(TrimPath("/home/u//"), "/home/u/");
  EXPECT_EQ(TrimPath("/home/u"), "/home/u");
  EXPECT_EQ(TrimPath(""), "");
}

TEST(Path, RelativeFormRoundTripsThroughExpandPath) {
  struct Case {
    const char* name;
    std::string base, path, stored, expanded;
  } cases[] = {
      {"under the base", "C:\\Data\\Orders", "c:\\data\\orders\\sub\\x.rfo370", "%SUB\\X.RFO370",
       "C:\\DATA\\ORDERS\\SUB\\X.RFO370"},
      {"another drive", "C:\\Data\\Orders", "d:\\data\\orders\\x.rfo370",
       "D:\\DATA\\ORDERS\\X.RFO370", "D:\\DATA\\ORDERS\\X.RFO370"},
      {"sibling with a longer name", "C:\\Data\\Orders", "C:\\Data\\Orders2\\x.rfo370",
       "C:\\DATA\\ORDERS2\\X.RFO370", "C:\\DATA\\ORDERS2\\X.RFO370"},
      {"already relative", "C:\\Data\\Orders", "%sub\\x.rfo370", "%SUB\\X.RFO370",
       "C:\\DATA\\ORDERS\\SUB\\X.RFO370"},
      {"Cyrillic names", std::string("C:\\Данные"_w), std::string("c:\\данные\\Заказ.rfo370"_w),
       std::string("%ЗАКАЗ.RFO370"_w), std::string("C:\\ДАННЫЕ\\ЗАКАЗ.RFO370"_w)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MakeRelativePath(c.base, c.path), c.stored) << c.name;
    EXPECT_EQ(ExpandPath(c.base, c.stored), c.expanded) << c.name;
  }
}

TEST(Path, MakeRelativePathTakesEitherSeparator) {
  struct Case {
    const char* name;
    std::string base, path, stored;
  } cases[] = {
      {"slash base and path", "/home/u/Orders", "/home/u/Orders/sub/x.rfo370", "%SUB/X.RFO370"},
      {"slash base, backslash path", "/home/u/Orders", "\\home\\u\\Orders\\sub\\x", "%SUB\\X"},
      {"backslash base, slash path", "C:\\Data", "C:/Data/sub/x", "%SUB/X"},
      {"base with closing separator", "C:\\Data\\", "C:\\Data\\x", "%X"},
      {"the base itself", "C:\\Data", "C:\\Data", "C:\\DATA"},
      {"empty base", "", "/home/u/x", "/HOME/U/X"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MakeRelativePath(c.base, c.path), c.stored) << c.name;
}

TEST(Path, ExpandPathKeepsTheStoredTextForm) {
  EXPECT_EQ(ExpandPath("/home/u/Orders", "%sub/x"), "/HOME/U/ORDERS\\SUB/X");
  EXPECT_EQ(ExpandPath("C:\\Data", "d:\\x"), "D:\\X");
}

// A folder of files named in mixed case, removed afterwards.
class PathOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("rxf_paths_" + std::to_string(getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "Sub");
    Touch(root_ / "Sub" / "x.rfo370");
    Touch(root_ / "Заказ.rfo370");
  }
  void TearDown() override { fs::remove_all(root_); }

  static void Touch(const fs::path& file) { std::ofstream(file) << "x"; }
  // The folder as stored text: its UTF-8 name in Windows-1251.
  std::string StoredRoot() const { return Utf8ToCp1251(root_.string()); }

  fs::path root_;
};

TEST_F(PathOnDisk, LocateFileMatchesEveryComponentIgnoringCase) {
  struct Case {
    const char* name;
    std::string path;
    fs::path found;
  } cases[] = {
      {"exact", StoredRoot() + "/Sub/x.rfo370", root_ / "Sub" / "x.rfo370"},
      {"upper-cased, backslashes", AnsiUpperCase(StoredRoot() + "\\SUB\\X.RFO370"),
       root_ / "Sub" / "x.rfo370"},
      {"Cyrillic name", StoredRoot() + std::string("/ЗАКАЗ.RFO370"_w), root_ / "Заказ.rfo370"},
      {"folder with closing separator", StoredRoot() + "/sub/", root_ / "Sub"},
  };
  for (const auto& c : cases) {
    const std::optional<fs::path> found = LocateFile(c.path);
    ASSERT_TRUE(found.has_value()) << c.name;
    EXPECT_EQ(*found, c.found) << c.name;
  }
}

TEST_F(PathOnDisk, LocateFileFindsNothingForMissingNames) {
  EXPECT_FALSE(LocateFile(StoredRoot() + "/SUB/Y.RFO370"));
  EXPECT_FALSE(LocateFile(StoredRoot() + "/NONE/X.RFO370"));
  EXPECT_FALSE(LocateFile(StoredRoot() + "/SUB/X.RFO370/MORE"));
  EXPECT_FALSE(LocateFile(""));
}

TEST_F(PathOnDisk, LocateFilePrefersTheExactNameAmongCaseVariants) {
  Touch(root_ / "Sub" / "X.rfo370");
  Touch(root_ / "Sub" / "X.RFO370");
  EXPECT_EQ(LocateFile(StoredRoot() + "/Sub/x.rfo370"), root_ / "Sub" / "x.rfo370");
  EXPECT_EQ(LocateFile(StoredRoot() + "/Sub/X.RFO370"), root_ / "Sub" / "X.RFO370");
  // No exact name: the first in name order, whatever the directory's order.
  EXPECT_EQ(LocateFile(StoredRoot() + "/Sub/x.Rfo370"), root_ / "Sub" / "X.RFO370");
}

TEST_F(PathOnDisk, ExpandStoredPathFindsTheFileUnderTheBase) {
  struct Case {
    const char* name;
    std::string stored;
    fs::path expanded;
  } cases[] = {
      {"relative", "%SUB\\X.RFO370", root_ / "Sub" / "x.rfo370"},
      {"relative Cyrillic", std::string("%ЗАКАЗ.RFO370"_w), root_ / "Заказ.rfo370"},
      {"absolute", AnsiUpperCase(StoredRoot() + "\\SUB\\X.RFO370"), root_ / "Sub" / "x.rfo370"},
      {"missing, relative", "%SUB\\NEW.RFO370", root_ / "Sub" / "NEW.RFO370"},
      {"missing, under a missing folder", "%NEW\\A.RFO370", root_ / "NEW" / "A.RFO370"},
      {"missing, rooted rest stays under the base", "%\\NEW.RFO370", root_ / "NEW.RFO370"},
      {"missing, absolute", "\\NONE\\A.RFO370", fs::path("/NONE/A.RFO370")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ExpandStoredPath(root_, c.stored), c.expanded) << c.name;
}

}  // namespace
}  // namespace rxf
