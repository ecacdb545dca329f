#include "foundation/currency_load_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

#include "foundation/disk_path.h"
#include "temp_home.h"

namespace rxf {
namespace {

class CurrencyLoadFile : public TempHome {};

TEST_F(CurrencyLoadFile, LivesInTheServerFolder) {
  TConfiguration config;
  DeriveFolders(config, "Main", {"/cat", "/srv/", "/rep", ""});
  EXPECT_EQ(LastCurrencyLoadFile(config), "/srv/Ramulex.lcu");
}

TEST_F(CurrencyLoadFile, TheRatesAreDueOnTheFirstStartOfADay) {
  const TDateTime today = 46000;
  const std::string file = PathText(Home() / "Ramulex.lcu");
  auto bytesOf = [](double date) {
    std::string bytes(sizeof date, '\0');
    std::memcpy(bytes.data(), &date, sizeof date);
    return bytes;
  };
  struct Case {
    const char* name;
    std::optional<std::string> content;
    bool due;
  } cases[] = {
      {"no file", std::nullopt, true},
      {"loaded yesterday", bytesOf(today - 1), true},
      {"loaded today", bytesOf(today), false},
      {"a date ahead", bytesOf(today + 3), false},
      {"seven bytes", bytesOf(today).substr(0, 7), true},
      {"nine bytes", bytesOf(today) + "x", true},
      {"no number", bytesOf(std::numeric_limits<double>::quiet_NaN()), true},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(DiskPath(file));
    if (c.content)
      Put(DiskPath(file), *c.content);
    EXPECT_EQ(CurrencyLoadDue(file, today), c.due) << c.name;
  }
}

TEST_F(CurrencyLoadFile, HoldsTheDateAsEightBytes) {
  const std::string file = PathText(Home() / "Ramulex.lcu");
  WriteLastCurrencyLoad(file, 45000);
  EXPECT_EQ(Get(DiskPath(file)).size(), 8u);
  EXPECT_EQ(ReadLastCurrencyLoad(file), 45000);
}

}  // namespace
}  // namespace rxf
