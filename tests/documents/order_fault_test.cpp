// An order file survives every failure: a full disk, a killed process, a partly read order written
// back, and damaged or foreign files, which the loader reports without crashing.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "documents/order.h"
#include "file_size_limit.h"
#include "fixture.h"
#include "foundation/cp1251.h"
#include "foundation/temp_home.h"

namespace rxf {
namespace {

namespace fs = std::filesystem;
using test::Line;
using test::Messages;
using test::OrderFileBytes;
using test::Position;
using test::ReadBytes;
using test::WriteBytes;
using Kind = RecordingUi::Kind;

using test::FileSizeLimitScope;

// An order of count two-sash positions with two material lines each.
std::unique_ptr<TrxfOrder> OrderOfSize(int count, std::string_view orderNo) {
  auto order = std::make_unique<TrxfOrder>();
  order->OrderNo = orderNo;
  for (int i = 0; i < count; ++i) {
    auto position = Position(std::to_string(i + 1), 1, "10", true);
    position->Flugel1->MatList.push_back(Line("A-100", 2.5f, "1.2345"));
    position->Flugel2->MatList.push_back(Line("B-200", 1, "5"));
    order->Add(std::move(position));
  }
  return order;
}

bool StartsWith(const std::string& text, std::string_view prefix) {
  return text.compare(0, prefix.size(), prefix) == 0;
}

class OrderFileFault : public TempHome {
 protected:
  fs::path File() const { return Home() / "order.rfo370"; }

  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(Home()))
      if (entry.is_regular_file())
        names.push_back(entry.path().filename().string());
    return names;
  }

  // Loads the file and checks that a failure was reported with the order's load message.
  void ExpectFailureReported(const std::string& name) {
    RecordingUi ui;
    TrxfOrder order;
    const TLoadOutcome outcome = order.LoadFromFile(File(), ui);
    if (outcome != TLoadOutcome::Failed)
      return;
    const auto errors = Messages(ui, Kind::Error);
    ASSERT_FALSE(errors.empty()) << name;
    EXPECT_TRUE(StartsWith(errors.back(), "Ошибка загрузки заказа!\r\n(")) << name;
    EXPECT_TRUE(order.IsPartial()) << name;
  }
};

TEST_F(OrderFileFault, SaveFailingHalfWayLeavesTheOldFileByteIdentical) {
  RecordingUi ui;
  ASSERT_TRUE(OrderOfSize(1, "OLD")->SaveToFile(File(), ui));
  const std::string before = ReadBytes(File());
  auto order = OrderOfSize(50, "NEW");
  {
    const FileSizeLimitScope fullDisk(4096);
    EXPECT_FALSE(order->SaveToFile(File(), ui));
  }
  EXPECT_EQ(ReadBytes(File()), before);
  EXPECT_EQ(FolderEntries(), std::vector<std::string>{"order.rfo370"});
  const auto errors = Messages(ui, Kind::Error);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(StartsWith(errors[0], "Ошибка сохранения заказа!\r\n(")) << errors[0];
}

TEST_F(OrderFileFault, ProcessKilledWhileSavingNeverLeavesATruncatedFile) {
  RecordingUi ui;
  auto small = OrderOfSize(1, "SMALL");
  auto large = OrderOfSize(300, "LARGE");
  ASSERT_TRUE(large->SaveToFile(File(), ui));
  const std::string largeBytes = ReadBytes(File());
  ASSERT_TRUE(small->SaveToFile(File(), ui));
  const std::string smallBytes = ReadBytes(File());
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      RecordingUi childUi;
      for (int save = 0;; ++save)
        (save % 2 ? small : large)->SaveToFile(File(), childUi);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 20000));
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    const std::string bytes = ReadBytes(File());
    EXPECT_TRUE(bytes == smallBytes || bytes == largeBytes)
        << "round " << round << ": " << bytes.size() << " bytes";
  }
}

TEST_F(OrderFileFault, PartlyReadOrderIsNeverWrittenBackOverItsFile) {
  const std::string valid = ReadBytes([&] {
    RecordingUi ui;
    OrderOfSize(3, "N1")->SaveToFile(File(), ui);
    return File();
  }());
  struct Case {
    const char* name;
    std::string bytes;
    bool answer;
    TLoadOutcome outcome;
  } cases[] = {
      {"newer version", OrderFileBytes("27.12.2019", "N1"), true, TLoadOutcome::Stopped},
      {"conversion cancelled", OrderFileBytes("01.01.2010", "N1"), false, TLoadOutcome::Stopped},
      {"damaged part-way", valid.substr(0, valid.size() - 100), true, TLoadOutcome::Failed},
  };
  for (const auto& c : cases) {
    WriteBytes(File(), c.bytes);
    fs::remove(Home() / "other.rfo370");
    RecordingUi ui;
    ui.SetAnswer(c.answer);
    TrxfOrder order;
    ASSERT_EQ(order.LoadFromFile(File(), ui), c.outcome) << c.name;
    EXPECT_TRUE(order.IsPartial()) << c.name;
    fs::create_directories(Home() / "sub");
    fs::create_symlink(File(), Home() / "link.rfo370");
    for (const fs::path& spelling :
         {File(), Home() / "sub" / ".." / "order.rfo370", Home() / "link.rfo370"}) {
      EXPECT_FALSE(order.SaveToFile(spelling, ui)) << c.name << " " << spelling;
      EXPECT_TRUE(StartsWith(Messages(ui, Kind::Error).back(), "Ошибка сохранения заказа!\r\n("))
          << c.name;
    }
    fs::remove(Home() / "link.rfo370");
    EXPECT_EQ(ReadBytes(File()), c.bytes) << c.name;
    EXPECT_TRUE(order.SaveToFile(Home() / "other.rfo370", ui)) << c.name;
    EXPECT_FALSE(order.IsPartial()) << c.name;
    EXPECT_TRUE(order.SaveToFile(Home() / "other.rfo370", ui)) << c.name;
  }
}

TEST_F(OrderFileFault, EveryTruncationFailsWithTheLoadMessage) {
  RecordingUi ui;
  auto order = OrderOfSize(1, "N1");
  order->Currencies = {{1, 1.0f}};
  order->Note = {"note"};
  ASSERT_TRUE(order->SaveToFile(File(), ui));
  const std::string whole = ReadBytes(File());
  for (std::size_t size = 0; size < whole.size(); ++size) {
    WriteBytes(File(), whole.substr(0, size));
    RecordingUi cutUi;
    TrxfOrder cut;
    ASSERT_EQ(cut.LoadFromFile(File(), cutUi), TLoadOutcome::Failed) << size << " bytes";
    EXPECT_TRUE(StartsWith(Messages(cutUi, Kind::Error).back(), "Ошибка загрузки заказа!\r\n("))
        << size << " bytes";
  }
}

TEST_F(OrderFileFault, RandomAndDamagedFilesNeverCrashTheLoader) {
  RecordingUi ui;
  ASSERT_TRUE(OrderOfSize(2, "N1")->SaveToFile(File(), ui));
  const std::string valid = ReadBytes(File());
  std::mt19937 random(2024);
  for (int round = 0; round < 1000; ++round) {
    std::string bytes;
    if (round % 2 == 0) {
      bytes.resize(random() % 600);
      for (char& c : bytes)
        c = static_cast<char>(random());
    } else {
      bytes = valid;
      for (int flips = 1 + random() % 4; flips > 0; --flips)
        bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    WriteBytes(File(), bytes);
    ExpectFailureReported("round " + std::to_string(round));
  }
}

}  // namespace
}  // namespace rxf
