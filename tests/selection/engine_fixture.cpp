#include "selection/engine_fixture.h"

#include <fstream>
#include <random>
#include <set>

#include "catalogue/csv_reader.h"
#include "catalogue/currency_list.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "model/furn_comp.h"
#include "selection/kit_assembly.h"

namespace rxf::test {

namespace {

const Row kArticleDefaults = {
    {"FalzLuft", "12"},    {"FalzSize", "20"},       {"FalzPos", "9"},
    {"DornMassMin", "0"},  {"DornMassMax", "100"},   {"HandleMin", "0"},
    {"HandleMax", "9999"}, {"HandleHeight", "0"},    {"WeightMin", "0"},
    {"WeightMax", "9999"}, {"ThicknessMin", "0"},    {"ThicknessMax", "9999"},
    {"ProfWidthMin", "0"}, {"ProfWidthMax", "9999"}, {"ProfSys", "P58"},
    {"FFBMin", "0"},       {"FFBMax", "9999"},       {"FFHMin", "0"},
    {"FFHMax", "9999"},    {"FFL1Min", "0"},         {"FFL1Max", "9999"},
    {"FFL2Min", "0"},      {"FFL2Max", "9999"},      {"FFAMin", "0"},
    {"FFAMax", "360"},     {"FFR1Min", "0"},         {"FFR1Max", "9999"},
    {"FFR2Min", "0"},      {"FFR2Max", "9999"},      {"Color", ""},
    {"StulpType", "0"},    {"Direct", "3"},
};

std::string CsvField(const std::string& value) {
  if (value.find_first_of(",\"\r\n") == std::string::npos)
    return value;
  std::string quoted = "\"";
  for (const char c : value)
    quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

Row Merged(Row base, const Row& overrides) {
  for (const auto& [column, value] : overrides)
    base[column] = value;
  return base;
}

}  // namespace

EngineFixture::EngineFixture()
    : folder_(std::filesystem::temp_directory_path() /
              ("rxf-engine-" + std::to_string(std::random_device{}()))) {
  std::filesystem::create_directories(folder_);
  for (const Row& row : std::vector<Row>{
           {{"ID", "101"},
            {"Name", "Фальц 12/20-9"},
            {"FalzLuft", "12"},
            {"FalzSize", "20"},
            {"FalzPos", "9"}},
           {{"ID", "102"}, {"Name", "Фальц без размеров"}},
           {{"ID", "201"}, {"Name", "Дорнмасс 15"}, {"DornMass", "15"}},
           {{"ID", "202"}, {"Name", "Дорнмасс не задан"}},
           {{"ID", "301"}, {"Name", "Штульп"}, {"StulpType", "2"}},
           {{"ID", "401"}, {"Name", "Поворотно-откидная"}, {"OpenType", "1"}},
           {{"ID", "402"}, {"Name", "Т-образная"}, {"OpenType", "2"}},
       })
    Add("ParamList", row);
  Add("Currency", {{"ID", "1"}, {"Name", "руб"}, {"Value", "1"}});
}

EngineFixture::~EngineFixture() {
  std::filesystem::remove_all(folder_);
}

void EngineFixture::Add(const std::string& table, const Row& row) {
  // Follow-up rows hold for every mullion type and side unless a test says otherwise.
  const bool followUp = table == "FrnSchl" || table == "FrnDop" || table == "FrnAbd";
  tables_[table].push_back(followUp ? Merged({{"StulpType", "0"}, {"ItemSideNo", "0"}}, row) : row);
  catalogue_.reset();
}

void EngineFixture::Item(const std::string& id, const Row& flags, const Row& article) {
  Add("FrnItem", Merged({{"ID", id}, {"Name", "Элемент " + id}}, flags));
  if (flags.count("Virtual") == 0)
    Article(id, "A-" + id, article);
}

void EngineFixture::Article(const std::string& item, const std::string& catalogId,
                            const Row& overrides) {
  Add("FrnArt",
      Merged(Merged(kArticleDefaults, {{"ID", item}, {"CatalogID", catalogId}}), overrides));
  Add("Catalog",
      {{"ID", catalogId}, {"Name", "Артикул " + catalogId}, {"Price", "1.5"}, {"Currency", "1"}});
}

void EngineFixture::Kit(const std::string& id, const Row& overrides) {
  Add("FrnComp",
      Merged({{"ID", id}, {"Name", "Комплект " + id}, {"Direct", "1"}, {"TFlugelAvailable", "0"}},
             overrides));
}

void EngineFixture::KitRow(const std::string& kit, const std::string& item, const Row& overrides) {
  Add("FrnSet",
      Merged({{"ID", kit}, {"Item", item}, {"Number", "1"}, {"Required", "1"}}, overrides));
}

void EngineFixture::WriteTables() const {
  for (const auto& entry : std::filesystem::directory_iterator(folder_))
    std::filesystem::remove(entry.path());
  for (const auto& [table, rows] : tables_) {
    std::set<std::string> columns;
    for (const Row& row : rows)
      for (const auto& [column, value] : row)
        columns.insert(column);
    std::ofstream out(folder_ / (table + ".csv"), std::ios::binary);
    std::string line;
    for (const std::string& column : columns)
      line += (line.empty() ? "" : ",") + column;
    out << line << "\n";
    for (const Row& row : rows) {
      line.clear();
      bool first = true;
      for (const std::string& column : columns) {
        const auto cell = row.find(column);
        line += (first ? "" : ",") + (cell == row.end() ? std::string() : CsvField(cell->second));
        first = false;
      }
      out << line << "\n";
    }
  }
}

const TDM& EngineFixture::Catalogue() {
  if (!catalogue_) {
    WriteTables();
    CsvCatalogueReader reader(folder_);
    catalogue_ = std::make_unique<TDM>(reader);
  }
  return *catalogue_;
}

TSelectionContext EngineFixture::Context() {
  return {Catalogue(), Chooser, DebugMode, Outer, Inner, Trace};
}

std::unique_ptr<TrxfConstruction> EngineFixture::Window(int width, int height, int sizeX,
                                                        std::uint8_t shape, float radius) {
  auto position = std::make_unique<TrxfConstruction>();
  position->FlugelMode = sizeX > 0 ? 0 : 2;
  position->SetShape({.Width = width,
                      .Height = height,
                      .Shape = shape,
                      .SizeX = sizeX > 0 ? sizeX : width / 2,
                      .SizeY = width - sizeX,
                      .Radius = radius,
                      .Radius2 = radius},
                     201);
  position->FalzType = 101;
  position->StulpFalzType = 301;
  position->FlugelType = 401;
  return position;
}

void EngineFixture::Apply(TrxfConstruction& position, const TKitChoice& first,
                          const TKitChoice& second, const std::string& furnSys) {
  const TDM& dm = Catalogue();
  const TCurrencyList rates = {{1, 1.0f}};
  const TSelectionContext context = Context();
  const TFittingsEngine engine(context);
  const TModelContext model{dm, {1, &rates}, engine};
  TKitChoice one = first, two = second;
  one.DornType = position.Flugel1->DornType;  // the backset SetShape gave, or a test's
  two.DornType = position.Flugel2->DornType;
  position.ApplyFurn(model, furnSys, "P58", "9016", position.FalzType, position.StulpFalzType,
                     position.FlugelType, 0, 0, one, two);
}

std::vector<std::string> ItemLines(const TrxfFlugel& flugel) {
  std::vector<std::string> lines;
  if (!flugel.FurnComp)
    return lines;
  for (const auto& item : flugel.FurnComp->Items) {
    char length[32];
    std::snprintf(length, sizeof length, "%g", static_cast<double>(item->Length));
    lines.push_back(item->Article + " x" + std::to_string(item->Count) + " L" + length + " S" +
                    std::to_string(item->SideNo));
  }
  return lines;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& e) {
    return Cp1251ToUtf8(e.what());
  }
  return "no error";
}

TKitChoice Main(const std::string& kit) {
  TKitChoice choice;
  choice.ComplectID = kit;
  return choice;
}

}  // namespace rxf::test
