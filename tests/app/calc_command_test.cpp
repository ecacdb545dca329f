// ramulex calc as a caller sees it: exit status, standard output and standard error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/command_run.h"

namespace {

using nlohmann::json;

const std::filesystem::path kDemo = std::filesystem::path(RXF_REPOSITORY) / "data/demo";

using rxf::test::CommandRun;

CommandRun Calc(const std::string& arguments) {
  return rxf::test::Ramulex("calc " + arguments);
}

std::string DemoArgs(const std::string& position, const std::string& options = "") {
  return options + " --catalogue " + (kDemo / "catalogue").string() + " " +
         (kDemo / "positions" / position).string();
}

std::filesystem::path WritePosition(const std::string& name, const std::string& text) {
  const auto path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path) << text;
  return path;
}

TEST(CalcCommand, OneSashWindowOfTheDemoCatalogue) {
  const CommandRun run = Calc(DemoArgs("okno-1-stvorka-700x1400.json"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const json result = json::parse(run.out);
  EXPECT_EQ(result["Width"], 700);
  EXPECT_EQ(result["Height"], 1400);
  EXPECT_EQ(result["Price"], "4958.8174");
  EXPECT_TRUE(result["Flugel2"].is_null());
  const json& sash = result["Flugel1"];
  EXPECT_EQ(sash["DornType"], 201);
  ASSERT_EQ(sash["Lines"].size(), 4u);
  EXPECT_EQ(sash["Lines"][0]["Length"], 1400.0);
  EXPECT_EQ(sash["Items"].size(), sash["MatList"].size());
  EXPECT_EQ(sash["Items"].size(), 27u);
  for (const json& line : sash["MatList"]) {
    const std::string cost = line["Cost"];
    EXPECT_EQ(cost.size() - cost.find('.'), 5u) << cost;  // four decimals
  }
  EXPECT_FALSE(sash.contains("Trace"));
}

TEST(CalcCommand, ExplainAddsTheRowsWalkedAndChangesNothingElse) {
  const json plain = json::parse(Calc(DemoArgs("okno-2-stvorki-shtulp.json")).out);
  json explained = json::parse(Calc(DemoArgs("okno-2-stvorki-shtulp.json", "--explain")).out);
  bool skipped = false;
  for (const char* sash : {"Flugel1", "Flugel2"}) {
    ASSERT_TRUE(explained[sash]["Trace"].is_array()) << sash;
    EXPECT_FALSE(explained[sash]["Trace"].empty()) << sash;
    for (const json& entry : explained[sash]["Trace"])
      skipped = skipped || (!entry["Used"].get<bool>() && entry["Reason"] == "FFBMin 81 > FFB 65");
    explained[sash].erase("Trace");
  }
  EXPECT_TRUE(skipped) << "a row skipped by size says which values it compared";
  EXPECT_EQ(explained, plain);
}

TEST(CalcCommand, TableForAPerson) {
  const CommandRun run = Calc(DemoArgs("dver-vhodnaya.json", "--format table"));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Замок многозапорный"), std::string::npos);
  EXPECT_NE(run.out.find("Цена позиции: 17 572,30"), std::string::npos) << run.out;
}

TEST(CalcCommand, RefusedCalculationIsAnErrorObject) {
  const auto position =
      WritePosition("rxf-calc-missing-kit.json",
                    R"({"Width": 700, "Height": 1400, "FurnSys": "1204", "FalzType": 101,
          "FlugelType": 401, "Flugel1": {"DornType": 201, "ComplectID": "NOPE"}})");
  const CommandRun run =
      Calc("--catalogue " + (kDemo / "catalogue").string() + " " + position.string());
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(json::parse(run.out),
            (json{{"Error", "Комплект фурнитуры [NOPE] не найден в документации!"}}));
  std::filesystem::remove(position);
}

TEST(CalcCommand, BadInputIsOneLineOnStandardError) {
  const auto malformed = WritePosition("rxf-calc-malformed.json", "{\"Width\": 700,");
  const auto wrongType = WritePosition("rxf-calc-wrong-type.json", "{\"Width\": \"wide\"}");
  const auto noForm = WritePosition("rxf-calc-no-form.json", "{\"FurnSys\": \"中\"}");
  const std::string catalogue = "--catalogue " + (kDemo / "catalogue").string() + " ";
  struct Case {
    const char* name;
    std::string arguments;
    const char* says;
  } cases[] = {
      {"malformed JSON", catalogue + malformed.string(), "malformed JSON"},
      {"wrong type", catalogue + wrongType.string(), "Width: expected a whole number"},
      {"no Windows-1251 form", catalogue + noForm.string(), "FurnSys"},
      {"missing position", catalogue + "/nonexistent.json", "nonexistent.json"},
      {"missing catalogue", "--catalogue /nonexistent " + malformed.string(), ""},
      {"unknown option", "--colour red " + catalogue + malformed.string(), "colour"},
      {"unknown policy", "--choose best " + catalogue + malformed.string(), "best"},
  };
  for (const auto& c : cases) {
    const CommandRun run = Calc(c.arguments);
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << ": " << run.err;
  }
  // Reading the position comes first; a missing catalogue is named once the position is read.
  const auto fine = WritePosition("rxf-calc-fine.json", "{}");
  const CommandRun noCatalogue = Calc("--catalogue /nonexistent " + fine.string());
  EXPECT_EQ(noCatalogue.status, 2);
  EXPECT_NE(noCatalogue.err.find("/nonexistent"), std::string::npos) << noCatalogue.err;
  EXPECT_EQ(std::count(noCatalogue.err.begin(), noCatalogue.err.end(), '\n'), 1);
  for (const auto& path : {malformed, wrongType, noForm, fine})
    std::filesystem::remove(path);
}

}  // namespace
