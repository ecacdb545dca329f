// ramulex order new: an order file of calculated positions, readable by order show.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/command_run.h"

namespace {

namespace fs = std::filesystem;
using rxf::test::CommandRun;
using rxf::test::Ramulex;

const fs::path kDemo = fs::path(RXF_REPOSITORY) / "data/demo";

class OrderNew : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("rxf-order-new-" + std::to_string(getpid()));
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Args(const std::string& out, const std::string& positions) const {
    return "order new --catalogue " + (kDemo / "catalogue").string() + " --no D-7 --out " +
           (folder_ / out).string() + " " + positions;
  }
  std::string Position(const char* name) const { return (kDemo / "positions" / name).string(); }

  fs::path folder_;
};

TEST_F(OrderNew, WritesAnOrderOfCalculatedPositions) {
  const CommandRun made = Ramulex(Args("d7.rfo370", Position("okno-1-stvorka-700x1400.json") + " " +
                                                        Position("dver-vhodnaya.json")));
  ASSERT_EQ(made.status, 0) << made.err;
  EXPECT_NE(made.out.find("Заказ D-7: позиций 2, сумма 22 531,12"), std::string::npos) << made.out;
  const CommandRun shown = Ramulex("order show " + (folder_ / "d7.rfo370").string());
  ASSERT_EQ(shown.status, 0) << shown.err;
  EXPECT_NE(shown.out.find("dver-vhodnaya"), std::string::npos) << shown.out;
  EXPECT_NE(shown.out.find("22 531,12"), std::string::npos) << shown.out;
}

TEST_F(OrderNew, NeverWritesOverAFileOrAfterAFailure) {
  std::ofstream(folder_ / "old.rfo370") << "previous";
  const CommandRun refused = Ramulex(Args("old.rfo370", Position("okno-arochnoe.json")));
  EXPECT_EQ(refused.status, 2);
  EXPECT_NE(refused.err.find("--replace"), std::string::npos) << refused.err;
  std::ifstream old(folder_ / "old.rfo370");
  EXPECT_EQ(std::string((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>()),
            "previous");

  const fs::path broken = folder_ / "broken.json";
  std::ofstream(broken) << R"({"Width": 700, "Height": 1400, "FalzType": 101, "FlugelType": 401,
                               "Flugel1": {"DornType": 201, "ComplectID": "NOPE"}})";
  const CommandRun failed = Ramulex(Args("new.rfo370", broken.string()));
  EXPECT_EQ(failed.status, 1);
  EXPECT_NE(failed.err.find("Комплект фурнитуры [NOPE] не найден в документации!"),
            std::string::npos)
      << failed.err;
  EXPECT_FALSE(fs::exists(folder_ / "new.rfo370"));
}

}  // namespace
