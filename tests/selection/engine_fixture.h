// A small catalogue written as CSV files into a temporary folder, table by table, with rows given
// as column=value overrides of sensible defaults (articles valid for any measure, rows that apply
// to any sash). Each test states only what its case is about.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/data_module.h"
#include "model/construction.h"
#include "model/kit_choice.h"
#include "selection/selection_context.h"

namespace rxf::test {

using Row = std::map<std::string, std::string>;

class EngineFixture {
 public:
  EngineFixture();
  ~EngineFixture();

  // Rows of a table; columns are the union of the defaults' and the rows' columns.
  void Add(const std::string& table, const Row& row);
  // An item with an article "A-<item>" in the catalogue valid for every measure.
  void Item(const std::string& id, const Row& flags = {}, const Row& article = {});
  void Article(const std::string& item, const std::string& catalogId, const Row& overrides = {});
  void Kit(const std::string& id, const Row& overrides = {});
  // A composition row of a kit: applies to any sash, one piece, required.
  void KitRow(const std::string& kit, const std::string& item, const Row& overrides = {});

  const TDM& Catalogue();
  // The context of a calculation over this catalogue with the settings below.
  TSelectionContext Context();

  TArticleChooser Chooser;
  bool DebugMode = false;
  std::string Outer = "OUT";
  std::string Inner = "INN";
  TKitTrace* Trace = nullptr;

  // A one-sash window (mm) or, with sizeX, two sashes side by side; rebate 101, backset 201,
  // opening type 401, mullion 301.
  std::unique_ptr<TrxfConstruction> Window(int width, int height, int sizeX = 0,
                                           std::uint8_t shape = 0, float radius = 0);
  // Applies kits to Flugel1 (and Flugel2) through the engine.
  void Apply(TrxfConstruction& position, const TKitChoice& first, const TKitChoice& second = {},
             const std::string& furnSys = "1204");

 private:
  void WriteTables() const;

  std::filesystem::path folder_;
  std::map<std::string, std::vector<Row>> tables_;
  std::unique_ptr<TDM> catalogue_;
};

// "A-100 x2 L0 S0" lines of a kit's items, in order.
std::vector<std::string> ItemLines(const TrxfFlugel& flugel);
TKitChoice Main(const std::string& kit);
// The message (UTF-8) of the Error an action raises; "no error" when it raises none.
std::string ErrorOf(const std::function<void()>& action);

}  // namespace rxf::test
