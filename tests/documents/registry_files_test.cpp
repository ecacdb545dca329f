// The small files of the registry: the last order number, and order files moved into the archive
// or the recycle folder without ever replacing a file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "documents/last_order_no.h"
#include "documents/move_order_file.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/disk_path.h"
#include "foundation/error.h"
#include "foundation/temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::W;
using test::WriteBytes;

class LastOrderNo : public TempHome {};

TEST_F(LastOrderNo, FileHoldsTheLengthAndUpToThirtyBytes) {
  struct Case {
    const char* name;
    std::string number;
    std::string bytes;
    std::string readBack;
  } cases[] = {
      {"short", "A-1",
       std::string("\x03"
                   "A-1") +
           std::string(27, '\0'),
       "A-1"},
      {"35 characters", std::string(30, 'x') + "yyyyy", "\x1E" + std::string(30, 'x'),
       std::string(30, 'x')},
      {"Cyrillic", W("З-1"), std::string("\x03") + W("З-1") + std::string(27, '\0'), W("З-1")},
      {"empty", "", std::string(31, '\0'), ""},
  };
  const fs::path file = LastOrderNoFile(PathText(Home()));
  EXPECT_EQ(file, Home() / "Ramulex.lon");
  for (const auto& c : cases) {
    WriteLastOrderNo(file, c.number);
    EXPECT_EQ(ReadBytes(file), c.bytes) << c.name;
    EXPECT_EQ(ReadLastOrderNo(file), c.readBack) << c.name;
  }
}

TEST_F(LastOrderNo, BytesAfterTheNumberAreIgnoredAndAMissingFileReadsAsQuestionMarks) {
  const fs::path file = Home() / "Ramulex.lon";
  EXPECT_EQ(ReadLastOrderNo(file), "???");
  WriteBytes(file,
             "\x02"
             "AB" +
                 std::string(28, 'z') + "beyond");
  EXPECT_EQ(ReadLastOrderNo(file), "AB");
  WriteLastOrderNo(Home() / "missing" / "Ramulex.lon", "A-1");  // no folder: nothing, no error
  EXPECT_FALSE(fs::exists(Home() / "missing"));
}

class MoveOrderFileTest : public TempHome {
 protected:
  fs::path Source(const std::string& name, const std::string& content = "order") {
    const fs::path file = Home() / "Orders" / name;
    WriteBytes(file, content);
    return file;
  }
  fs::path Folder() const { return Home() / "Recycled" / "deep"; }
};

TEST_F(MoveOrderFileTest, TargetNamesAreTheCleanedBaseWithRfo) {
  struct Case {
    const char* source;
    const char* target;
  } cases[] = {
      {"X.RFO370", "X.rfo"},
      {"A.B.RFO370", "A_B.rfo"},
      {"a(1)[2]{3}<4>|!%',;`\"*?:.rfo370", "a_1__2__3__4____________.rfo"},
      {"noext", "noext.rfo"},
  };
  for (const auto& c : cases) {
    const fs::path source = Source(c.source, c.source);
    const auto target = MoveOrderFile(source, Folder());
    ASSERT_TRUE(target.has_value()) << c.source;
    EXPECT_EQ(*target, Folder() / c.target) << c.source;
    EXPECT_EQ(ReadBytes(*target), c.source) << c.source;
    EXPECT_FALSE(fs::exists(source)) << c.source;
  }
}

TEST_F(MoveOrderFileTest, TakenNamesGetTheNextFreeNumberAndNothingIsReplaced) {
  EXPECT_EQ(*MoveOrderFile(Source("X.RFO370", "first"), Folder()), Folder() / "X.rfo");
  EXPECT_EQ(*MoveOrderFile(Source("X.rfo370", "third"), Folder()), Folder() / "X~1.rfo");
  WriteBytes(Folder() / "X~2.rfo", "kept");
  EXPECT_EQ(*MoveOrderFile(Source("X.RFO370", "fourth"), Folder()), Folder() / "X~3.rfo");
  EXPECT_EQ(ReadBytes(Folder() / "X.rfo"), "first");
  EXPECT_EQ(ReadBytes(Folder() / "X~1.rfo"), "third");
  EXPECT_EQ(ReadBytes(Folder() / "X~2.rfo"), "kept");
  EXPECT_EQ(ReadBytes(Folder() / "X~3.rfo"), "fourth");
}

TEST_F(MoveOrderFileTest, WhenEveryNumberIsTakenTheMoveFailsAndTheFileStays) {
  fs::create_directories(Folder());
  WriteBytes(Folder() / "X.rfo", "taken");
  for (int k = 1; k <= 10000; ++k)
    WriteBytes(Folder() / ("X~" + std::to_string(k) + ".rfo"), "taken");
  const fs::path source = Source("X.RFO370");
  try {
    MoveOrderFile(source, Folder());
    ADD_FAILURE() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(Cp1251ToUtf8(e.what()), "Ошибка 17 переноса файла\r\n" + source.string() + "\r\nв " +
                                          (Folder() / "X~10000.rfo").string() + "!");
  }
  EXPECT_EQ(ReadBytes(source), "order");
  EXPECT_EQ(ReadBytes(Folder() / "X~10000.rfo"), "taken");
}

TEST_F(MoveOrderFileTest, EmptyFolderDoesNothingAndAMissingFileFails) {
  const fs::path source = Source("X.RFO370");
  EXPECT_FALSE(MoveOrderFile(source, "").has_value());
  EXPECT_TRUE(fs::exists(source));
  EXPECT_THROW(MoveOrderFile(Home() / "Orders" / "none.rfo370", Folder()), Error);
}

// The recycle folder on another file system: the file is copied, then removed, and still never
// replaces a file there.
TEST_F(MoveOrderFileTest, AcrossFileSystems) {
  struct stat home {
  }, shm{};
  if (::stat("/dev/shm", &shm) != 0 || ::stat(Home().c_str(), &home) != 0 ||
      home.st_dev == shm.st_dev)
    GTEST_SKIP() << "no second file system at /dev/shm";
  std::string pattern = "/dev/shm/rxf-move-XXXXXX";
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  const fs::path other = pattern;
  const std::string content(100000, 'o');
  const fs::path source = Source("X.RFO370", content);
  fs::permissions(source, fs::perms(0640));
  WriteBytes(other / "X.rfo", "kept");
  const auto target = MoveOrderFile(source, other);
  EXPECT_EQ(target, other / "X~1.rfo");
  EXPECT_EQ(ReadBytes(other / "X~1.rfo"), content);
  EXPECT_EQ(fs::status(other / "X~1.rfo").permissions() & fs::perms::mask, fs::perms(0640));
  EXPECT_EQ(ReadBytes(other / "X.rfo"), "kept");
  EXPECT_FALSE(fs::exists(source));
  fs::remove_all(other);
}

}  // namespace
}  // namespace rxf
