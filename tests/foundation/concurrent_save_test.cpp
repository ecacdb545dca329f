// Two running copies of the system save the per-user store and the shared settings file at the
// same time: neither file may be torn, and neither copy may lose a value the other wrote.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/ini_file.h"
#include "foundation/user_store.h"
#include "temp_home.h"

namespace rxf {
namespace {

constexpr int kSaves = 100;
constexpr std::string_view kKey = "\\SoftWare\\Korvat\\Ramulex\\Vavavozur380";

std::string ValueName(const std::string& writer, int save) {
  return writer + std::to_string(save);
}

// Each save adds a value of its own to both files, so that a save made from a stale copy of a
// file would drop the other writer's latest value for good; both also write one shared value.
void SaveInALoop(const std::filesystem::path& storeFile, const std::filesystem::path& iniFile,
                 const std::string& writer) {
  UserStore store(storeFile);
  for (int save = 1; save <= kSaves; ++save) {
    store.Update([&](StoreKey& root) {
      StoreKey& key = root.CreateKey(kKey);
      key.WriteInteger(ValueName(writer, save), save);
      key.WriteText("LastWriter", writer);
    });
    UpdateIniFile(iniFile, [&](IniFile& ini) {
      ini.WriteInteger("Saves", ValueName(writer, save), save);
      ini.WriteString("Firm", "Name", writer);
    });
  }
}

pid_t StartWriter(const std::filesystem::path& storeFile, const std::filesystem::path& iniFile,
                  const std::string& writer) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int status = 0;
    try {
      SaveInALoop(storeFile, iniFile, writer);
    } catch (...) {
      status = 1;
    }
    ::_exit(status);
  }
  return pid;
}

bool FinishedWell(pid_t pid) {
  int status = 0;
  return ::waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class ConcurrentSave : public TempHome {};

TEST_F(ConcurrentSave, TwoCopiesSavingAtOnceKeepBothFilesWholeAndEveryValue) {
  const std::filesystem::path storeFile = UserStore::DefaultFile();
  const std::filesystem::path iniFile = Home() / "catalogue" / "RXFurniture.ini";
  const std::string head = "; kept by hand\r\n[Firm]\r\nName=\r\n";
  Put(iniFile, head);

  const pid_t first = StartWriter(storeFile, iniFile, "First");
  const pid_t second = StartWriter(storeFile, iniFile, "Second");
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  EXPECT_TRUE(FinishedWell(first));
  EXPECT_TRUE(FinishedWell(second));

  const StoreKey root = UserStore(storeFile).Read();
  const StoreKey* key = root.FindKey(kKey);
  ASSERT_NE(key, nullptr);
  const std::string content = Get(iniFile);
  const IniFile ini(content);
  std::vector<std::string> lostFromStore;
  std::vector<std::string> lostFromIni;
  for (const std::string writer : {"First", "Second"})
    for (int save = 1; save <= kSaves; ++save) {
      const std::string name = ValueName(writer, save);
      if (key->ReadInteger(name) != save)
        lostFromStore.push_back(name);
      if (ini.ReadInteger("Saves", name, 0) != save)
        lostFromIni.push_back(name);
    }
  EXPECT_EQ(lostFromStore, std::vector<std::string>{});
  EXPECT_EQ(lostFromIni, std::vector<std::string>{});
  EXPECT_EQ(key->Values().size(), 2u * kSaves + 1);
  const auto lastWriter = key->ReadText("LastWriter");
  EXPECT_TRUE(lastWriter == "First" || lastWriter == "Second");

  const std::string name = ini.ReadString("Firm", "Name", "");
  EXPECT_TRUE(name == "First" || name == "Second") << content;
  const std::string expectedStart =
      "; kept by hand\r\n[Firm]\r\nName=" + name + "\r\n\r\n[Saves]\r\n";
  EXPECT_TRUE(content.starts_with(expectedStart)) << content;
  EXPECT_EQ(std::count(content.begin(), content.end(), '\n'), 5 + 2 * kSaves) << content;
}

}  // namespace
}  // namespace rxf
