#include "foundation/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <vector>

#include "file_size_limit.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class AtomicFile : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "rxf-atomic-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::vector<std::string> Entries(const fs::path& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  static void Put(const fs::path& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
  }

  static std::string Get(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static fs::perms PermissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
  }

  // The failure's message in UTF-8; "no error" when there was none.
  template <typename Action>
  static std::string ErrorText(Action action) {
    try {
      action();
    } catch (const Error& e) {
      return Cp1251ToUtf8(e.what());
    }
    return "no error";
  }

  fs::path folder_;
};

// Sets the umask for one test and restores it.
class UmaskScope {
 public:
  explicit UmaskScope(mode_t mask) : old_(::umask(mask)) {}
  ~UmaskScope() { ::umask(old_); }

 private:
  mode_t old_;
};

using test::FileSizeLimitScope;

TEST_F(AtomicFile, NewFileHoldsTheContentWithDefaultPermissions) {
  const UmaskScope umask(022);
  const std::string content = std::string("a\0b", 3) + std::string(100000, 'x');
  WriteFileAtomically(folder_ / "order.rfo", content);
  EXPECT_EQ(Get(folder_ / "order.rfo"), content);
  EXPECT_EQ(PermissionsOf(folder_ / "order.rfo"), fs::perms(0644));
  EXPECT_EQ(Entries(folder_), std::vector<std::string>{"order.rfo"});
}

TEST_F(AtomicFile, NewFileHonoursTheUmask) {
  const UmaskScope umask(027);
  WriteFileAtomically(folder_ / "order.rfo", "x");
  EXPECT_EQ(PermissionsOf(folder_ / "order.rfo"), fs::perms(0640));
}

TEST_F(AtomicFile, ReplacingAFileTakesTheWholeNewContentAndKeepsItsPermissions) {
  const fs::path path = folder_ / "order.rfo";
  Put(path, "a much longer old content");
  fs::permissions(path, fs::perms(0600));
  WriteFileAtomically(path, "new");
  EXPECT_EQ(Get(path), "new");
  EXPECT_EQ(PermissionsOf(path), fs::perms(0600));
  EXPECT_EQ(Entries(folder_), std::vector<std::string>{"order.rfo"});
}

TEST_F(AtomicFile, MissingFolderRaisesAndCreatesNothing) {
  const fs::path path = folder_ / "missing" / "order.rfo";
  EXPECT_EQ(ErrorText([&] { WriteFileAtomically(path, "x"); }),
            "Не удалось сохранить файл «" + path.string() + "»: No such file or directory");
  EXPECT_TRUE(Entries(folder_).empty());
}

TEST_F(AtomicFile, FailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  const fs::path path = folder_ / "order.rfo";
  Put(path, "old content");
  {
    const FileSizeLimitScope limit(4096);
    EXPECT_EQ(ErrorText([&] { WriteFileAtomically(path, std::string(65536, 'n')); }),
              "Не удалось сохранить файл «" + path.string() + "»: File too large");
  }
  EXPECT_EQ(Get(path), "old content");
  EXPECT_EQ(Entries(folder_), std::vector<std::string>{"order.rfo"});
}

TEST_F(AtomicFile, DirectoryInPlaceOfTheFileStaysAndLeavesNoTemporary) {
  const fs::path path = folder_ / "order.rfo";
  fs::create_directory(path);
  Put(path / "inside", "kept");
  EXPECT_EQ(ErrorText([&] { WriteFileAtomically(path, "x"); }),
            "Не удалось сохранить файл «" + path.string() + "»: Is a directory");
  EXPECT_EQ(Get(path / "inside"), "kept");
  EXPECT_EQ(Entries(folder_), std::vector<std::string>{"order.rfo"});
}

TEST_F(AtomicFile, PathWithoutFileNameRaises) {
  const fs::path path = folder_ / "";
  EXPECT_EQ(ErrorText([&] { WriteFileAtomically(path, "x"); }),
            "Не удалось сохранить файл «" + path.string() + "»: Is a directory");
  EXPECT_TRUE(Entries(folder_).empty());
}

TEST_F(AtomicFile, NameWithoutWindows1251FormIsShownWithQuestionMarks) {
  const fs::path path = folder_ / "нет" / "中.rfo";
  EXPECT_EQ(
      ErrorText([&] { WriteFileAtomically(path, "x"); }),
      "Не удалось сохранить файл «" + folder_.string() + "/нет/?.rfo»: No such file or directory");
}

TEST_F(AtomicFile, ReadReturnsEveryByte) {
  std::string content;
  for (int i = 0; i < 200000; ++i)
    content += static_cast<char>(i * 7);
  Put(folder_ / "big.rfo", content);
  EXPECT_EQ(ReadWholeFile(folder_ / "big.rfo"), content);
  Put(folder_ / "empty.rfo", "");
  EXPECT_EQ(ReadWholeFile(folder_ / "empty.rfo"), "");
}

TEST_F(AtomicFile, ReadFailureRaisesNamingTheFile) {
  struct Case {
    const char* name;
    fs::path path;
    const char* reason;
  } cases[] = {
      {"missing", folder_ / "missing.rfo", "No such file or directory"},
      {"directory", folder_, "Is a directory"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ErrorText([&] { ReadWholeFile(c.path); }),
              "Не удалось прочитать файл «" + c.path.string() + "»: " + c.reason)
        << c.name;
  }
}

}  // namespace
}  // namespace rxf
