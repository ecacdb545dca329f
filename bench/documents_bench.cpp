// Orders and selections at their size in practice: an order of 1000 calculated two-sash positions
// (each sash a rectangle with a kit of 12 items and 12 material lines) saved and loaded, and the
// material list of a selection of 100 such orders. Targets: a save and a load each under 50 ms, the
// loaded order under 50 MB, the selection's list under 1 s.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "catalogue/csv_reader.h"
#include "catalogue/data_module.h"
#include "documents/order.h"
#include "documents/order_selection.h"
#include "foundation/disk_path.h"
#include "foundation/recording_ui.h"
#include "foundation/spec_stream.h"
#include "foundation/version.h"
#include "model/furn_comp.h"
#include "model/furn_item.h"

namespace {

namespace fs = std::filesystem;
using namespace rxf;

constexpr int kPositions = 1000;
constexpr int kItemsPerKit = 12;
constexpr int kOrders = 100;
// Article codes are shared between positions, so that lists merge as real ones do.
constexpr int kArticles = 60;

std::string Article(int i) {
  return "ART-" + std::to_string(i % kArticles);
}

void FillSash(TrxfFlugel& sash, int seed) {
  sash.FurnComp = std::make_unique<TrxfFurnComp>(&sash);
  TrxfFurnComp& kit = *sash.FurnComp;
  kit.FurnSys = "1204";
  kit.ProfSys = "P58";
  kit.FurnColor = "9016";
  kit.ComplectID = "DK-L";
  kit.HandleID = "H1";
  kit.HingeID = "HINGE";
  kit.Properties = {"0=1231", "1=1302"};
  for (int i = 0; i < kItemsPerKit; ++i) {
    auto item = std::make_unique<TrxfFurnItem>(&kit);
    item->SetValues(Article(seed + i), "DK-L", "", i % 3 == 0 ? 1250.5f : 0, "", 1 + i % 2, i % 4);
    auto line = std::make_unique<TrxfMatListItem>();
    line->ID = item->Article;
    line->Number = item->Length > 0 ? item->Count * item->Length / 1000 : item->Count;
    line->Price = Money::FromTicks(123450 + 10 * i);
    line->BasePrice = line->Price;
    line->Cost = ExactAmount(line->Price).Times(static_cast<double>(line->Number)).Round();
    kit.Items.push_back(std::move(item));
    sash.MatList.push_back(std::move(line));
  }
}

std::unique_ptr<TrxfOrder> LargeOrder() {
  auto order = std::make_unique<TrxfOrder>();
  order->OrderNo = "BENCH-1";
  order->Currencies = {{1, 1.0f}, {2, 92.5f}};
  order->Currency = 1;
  for (int p = 0; p < kPositions; ++p) {
    auto position = std::make_unique<TrxfConstruction>();
    position->PosNo = std::to_string(p + 1);
    position->PosName = "Window";
    position->Number = 1 + p % 3;
    position->FlugelMode = 0;
    position->SetShape({.Width = 1400, .Height = 1500, .SizeX = 700, .SizeY = 700}, 201);
    FillSash(*position->Flugel1, p);
    FillSash(*position->Flugel2, p + 7);
    order->Add(std::move(position));
  }
  return order;
}

// A fresh folder for one benchmark, removed when it ends.
class BenchFolder {
 public:
  BenchFolder() : path_(fs::temp_directory_path() / "rxf-documents-bench") {
    fs::remove_all(path_);
    fs::create_directories(path_);
  }
  ~BenchFolder() { fs::remove_all(path_); }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void BM_SaveOrder(benchmark::State& state) {
  RecordingUi ui;
  const auto order = LargeOrder();
  const BenchFolder folder;
  const fs::path file = folder.Path() / "save.rfo370";
  for (auto _ : state)
    if (!order->SaveToFile(file, ui))
      state.SkipWithError("save failed");
  state.counters["file_MB"] = static_cast<double>(fs::file_size(file)) / 1e6;
}
BENCHMARK(BM_SaveOrder)->Unit(benchmark::kMillisecond);

void BM_LoadOrder(benchmark::State& state) {
  RecordingUi ui;
  const BenchFolder folder;
  const fs::path file = folder.Path() / "load.rfo370";
  LargeOrder()->SaveToFile(file, ui);
  for (auto _ : state) {
    auto order = std::make_unique<TrxfOrder>();
    if (order->LoadFromFile(file, ui) != TLoadOutcome::Complete)
      state.SkipWithError("load failed");
    state.PauseTiming();
    order.reset();
    state.ResumeTiming();
  }
  const std::size_t before = mallinfo2().uordblks;
  TrxfOrder order;
  order.LoadFromFile(file, ui);
  state.counters["loaded_MB"] = static_cast<double>(mallinfo2().uordblks - before) / 1e6;
}
BENCHMARK(BM_LoadOrder)->Unit(benchmark::kMillisecond);

// A selection of every position of kOrders order files (links to one file, read from the page
// cache as recently saved orders are), priced from a catalogue of the articles.
void BM_SelectionMatList(benchmark::State& state) {
  RecordingUi ui;
  const BenchFolder bench;
  const fs::path& folder = bench.Path();
  fs::create_directories(folder / "Orders");
  fs::create_directories(folder / "catalogue");
  LargeOrder()->SaveToFile(folder / "order.rfo370", ui);
  {
    std::ofstream catalog(folder / "catalogue" / "Catalog.csv");
    catalog << "ID,Name,Price,Currency\n";
    for (int i = 0; i < kArticles; ++i)
      catalog << Article(i) << ",Article " << i << ",12.345,1\n";
    std::ofstream(folder / "catalogue" / "Currency.csv") << "ID,Name,Value\n1,RUB,1\n";
  }
  CsvCatalogueReader reader(folder / "catalogue");
  const TDM dm(reader);
  // The selection as its file holds it: the header with one rate (currency 1 at 1), then every
  // position of every order, order by order.
  TSpecStream items(ui);
  items.WriteString(kSelectionSignature);
  items.WriteString(kSelectionFileVersion);
  items.WriteInteger(0);  // Reserved1
  items.WriteInteger(0);  // Reserved2
  items.WriteDate(0);     // TimeStamp1
  items.WriteDate(0);     // TimeStamp2
  items.WriteInteger(0);  // Reserved3
  items.WriteString("SEL");
  items.WriteDate(0);     // RegDate
  items.WriteString("");  // Name
  items.WriteInteger(1);  // one rate
  items.WriteInteger(1);
  items.WriteSingle(1);
  items.WriteInteger(1);  // Currency
  items.WriteInteger(0);  // PriceGroupNo
  items.WriteSingle(0);   // NDSTax
  items.WriteByte(0);     // RoundMode
  items.WriteString("");  // Note
  items.WriteInteger(kOrders * kPositions);
  for (int o = 0; o < kOrders; ++o) {
    const std::string name = "O" + std::to_string(o) + ".rfo370";
    fs::create_symlink(folder / "order.rfo370", folder / "Orders" / name);
    for (int p = 0; p < kPositions; ++p) {
      items.WriteBoolean(true);
      items.WriteString(name);
      items.WriteString(std::to_string(p + 1));
      items.WriteSingle(1400);
      items.WriteSingle(1500);
      items.WriteInteger(1);
      items.WriteString("Window");
      items.WriteString("%" + name);
    }
  }
  items.Rewind();
  TrxfOrderSelection selection(PathText(folder / "Orders"));
  if (selection.Load(items, ui) != TLoadOutcome::Complete)
    state.SkipWithError("selection not built");
  for (auto _ : state) {
    TMatList list;
    selection.BuildMatList(list, dm, ui);
    benchmark::DoNotOptimize(list.data());
  }
  state.counters["items"] = static_cast<double>(selection.Count());
}
BENCHMARK(BM_SelectionMatList)->Unit(benchmark::kMillisecond);

}  // namespace
