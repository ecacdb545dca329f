#include "foundation/user_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "foundation/cp1251.h"
#include "messages.h"
#include "temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;

class UserStoreTest : public TempHome {
 protected:
  static fs::perms PermissionsOf(const fs::path& path) {
    return fs::status(path).permissions() & fs::perms::mask;
  }
};

TEST_F(UserStoreTest, TheDefaultFileFollowsXdgConfigHome) {
  EXPECT_EQ(UserStore::DefaultFile(), Home() / "config" / "ramulex" / "user-store.json");
}

TEST_F(UserStoreTest, AMissingFileIsAnEmptyStore) {
  const UserStore store(UserStore::DefaultFile());
  EXPECT_TRUE(store.Read().SubKeys().empty());
}

TEST_F(UserStoreTest, EveryTypeAndCyrillicTextSurviveTheFile) {
  UserStore store(UserStore::DefaultFile());
  store.Update([](StoreKey& root) {
    StoreKey& key = root.CreateKey("\\SoftWare\\Korvat\\Конфигурация"_w);
    key.WriteText("Папка"_w, "C:\\Данные \"1\""_w);
    key.WriteInteger("Min", -2147483647 - 1);
    key.WriteBool("AutoReg", true);
    key.WriteBinary("Raw", {0x00, 0x7F, 0xFF});
    key.WriteDate("OrderDate", 45000.25);
  });
  const StoreKey root = store.Read();
  const StoreKey* key = root.FindKey("\\SoftWare\\Korvat\\Конфигурация"_w);
  ASSERT_NE(key, nullptr);
  EXPECT_EQ(key->ReadText("Папка"_w), std::string("C:\\Данные \"1\""_w));
  EXPECT_EQ(key->ReadInteger("Min"), -2147483647 - 1);
  EXPECT_EQ(key->ReadBool("AutoReg"), true);
  EXPECT_EQ(key->ReadBinary("Raw"), (StoreBinary{0x00, 0x7F, 0xFF}));
  EXPECT_EQ(key->ReadDate("OrderDate"), 45000.25);
}

TEST_F(UserStoreTest, TheFileIsReadableText) {
  UserStore store(UserStore::DefaultFile());
  store.Update([](StoreKey& root) {
    root.CreateKey("\\SoftWare\\Korvat").WriteText("RXFCatalogDir", "/data/Каталог"_w);
  });
  const std::string content = Get(store.File());
  EXPECT_EQ(content, R"({
  "\\SoftWare": {},
  "\\SoftWare\\Korvat": {
    "RXFCatalogDir": {"text":"/data/Каталог"}
  }
}
)");
}

TEST_F(UserStoreTest, TheFileAndItsFolderArePrivateToTheUser) {
  const mode_t old = ::umask(0);
  UserStore store(UserStore::DefaultFile());
  store.Update([](StoreKey& root) { root.CreateKey("Key").WriteInteger("x", 1); });
  store.Update([](StoreKey& root) { root.CreateKey("Key").WriteInteger("x", 2); });
  ::umask(old);
  EXPECT_EQ(PermissionsOf(store.File()), fs::perms(0600));
  EXPECT_EQ(PermissionsOf(store.File().parent_path()), fs::perms(0700));
}

TEST_F(UserStoreTest, AnUpdateThatChangesNothingWritesNothing) {
  UserStore store(UserStore::DefaultFile());
  store.Update([](StoreKey& root) { root.FindKey("Missing"); });
  EXPECT_FALSE(fs::exists(store.File()));
}

TEST_F(UserStoreTest, AFailingChangeLeavesTheFileAsItWas) {
  UserStore store(UserStore::DefaultFile());
  store.Update([](StoreKey& root) { root.CreateKey("Key").WriteInteger("x", 1); });
  const std::string before = Get(store.File());
  EXPECT_THROW(store.Update([](StoreKey& root) {
    root.CreateKey("Key").WriteInteger("x", 2);
    throw Error("refused");
  }),
               Error);
  EXPECT_EQ(Get(store.File()), before);
}

TEST_F(UserStoreTest, ADamagedFileIsReportedAndNeverOverwritten) {
  struct Case {
    const char* name;
    std::string content;
  } cases[] = {
      {"not JSON", "{\"\\\\Key\": "},
      {"not an object", "[1, 2]"},
      {"a key that is no object", R"({"\\Key": 5})"},
      {"an unknown type", R"({"\\Key": {"x": {"float": 1.5}}})"},
      {"two types", R"({"\\Key": {"x": {"text": "a", "integer": 1}}})"},
      {"an integer beyond 32 bits", R"({"\\Key": {"x": {"integer": 4294967296}}})"},
      {"a huge unsigned integer", R"({"\\Key": {"x": {"integer": 18446744073709551615}}})"},
      {"odd hexadecimal digits", R"({"\\Key": {"x": {"binary": "ABC"}}})"},
      {"a character outside Windows-1251", R"({"\\Key": {"x": {"text": "中"}}})"},
  };
  UserStore store(UserStore::DefaultFile());
  for (const auto& c : cases) {
    Put(store.File(), c.content);
    EXPECT_NE(ErrorText([&] {
                store.Read();
              }).find("Файл настроек пользователя повреждён «" + store.File().string() + "»"),
              std::string::npos)
        << c.name;
    EXPECT_THROW(store.Update([](StoreKey& root) { root.CreateKey("New"); }), Error) << c.name;
    EXPECT_EQ(Get(store.File()), c.content) << c.name;
  }
}

TEST_F(UserStoreTest, AnEmptyFileIsAnEmptyStore) {
  UserStore store(UserStore::DefaultFile());
  Put(store.File(), "\n");
  EXPECT_TRUE(store.Read().SubKeys().empty());
}

TEST_F(UserStoreTest, AFileEditedByHandIsRead) {
  UserStore store(UserStore::DefaultFile());
  Put(store.File(), R"({"\\SoftWare\\Korvat\\Ramulex": {"AutoReg": {"integer": 0}}})");
  const StoreKey root = store.Read();
  EXPECT_EQ(root.FindKey("SoftWare\\Korvat\\Ramulex")->ReadBool("AutoReg"), false);
}

}  // namespace
}  // namespace rxf
