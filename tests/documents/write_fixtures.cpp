// Writes the order and selection files that the command-line tests read, into a server folder of
// a test configuration: Orders/A.rfo370, B.rfo370, broken.rfo370 (B cut short), newer.rfo370 (B of
// a newer version) and Selection/sel.rfs370 (every position of A and B).
// Usage: documents_fixtures SERVER_FOLDER
#include <filesystem>
#include <iostream>

#include "documents/order.h"
#include "documents/order_selection.h"
#include "fixture.h"
#include "foundation/disk_path.h"

namespace {

namespace fs = std::filesystem;
using namespace rxf;
using test::Line;
using test::Position;

std::unique_ptr<TrxfOrder> OrderA() {
  auto order = std::make_unique<TrxfOrder>();
  order->OrderNo = "A-1";
  order->Customer = test::W("Иванов");
  order->ObjectName = test::W("Дача");
  order->RegDate = EncodeDate(2020, 1, 15);
  order->NDSTax = 20;
  order->GetTotalNDS = true;
  order->Currencies = {{1, 1.0f}, {2, 92.5f}};
  order->Currency = 1;
  auto first = Position("1", 2, "29.68", true);
  first->PosName = test::W("Окно");
  first->Flugel1->MatList.push_back(Line("A-100", 2, "12.34"));
  first->Flugel2->MatList.push_back(Line("B-200", 1, "5"));
  order->Add(std::move(first));
  auto second = Position("2", 1, "185");
  second->Flugel1->MatList.push_back(Line("C-300", 4, "46.25"));
  order->Add(std::move(second));
  auto third = Position("3", 5, "12.34");
  third->Included = false;
  third->Flugel1->MatList.push_back(Line("A-100", 1, "12.34"));
  order->Add(std::move(third));
  return order;
}

std::unique_ptr<TrxfOrder> OrderB() {
  auto order = std::make_unique<TrxfOrder>();
  order->OrderNo = "B-1";
  order->RegDate = EncodeDate(2020, 2, 1);
  order->Currencies = {{1, 1.0f}, {2, 92.5f}};
  order->Currency = 1;
  auto position = Position("1", 3, "295.48");
  position->Flugel1->MatList.push_back(Line("A-100", 1, "10"));
  position->Flugel1->MatList.push_back(Line("D-400", 2.5f, "114.1912"));
  order->Add(std::move(position));
  return order;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: documents_fixtures SERVER_FOLDER\n";
    return 2;
  }
  const fs::path orders = fs::path(argv[1]) / "Orders";
  fs::create_directories(orders);
  fs::create_directories(fs::path(argv[1]) / "Selection");
  RecordingUi ui;
  bool saved = OrderA()->SaveToFile(orders / "A.rfo370", ui) &&
               OrderB()->SaveToFile(orders / "B.rfo370", ui);
  const std::string b = test::ReadBytes(orders / "B.rfo370");
  test::WriteBytes(orders / "broken.rfo370", b.substr(0, b.size() - 40));
  test::WriteBytes(orders / "newer.rfo370", std::string(b).replace(36, 10, "27.12.2019"));

  TrxfOrderSelection selection(PathText(orders));
  selection.Currencies = {{1, 1.0f}, {2, 92.5f}};
  selection.Currency = 1;
  saved = saved && selection.AddOrder(orders / "A.rfo370", ui) &&
          selection.AddOrder(orders / "B.rfo370", ui) &&
          selection.SaveToFile(fs::path(argv[1]) / "Selection" / "sel.rfs370", ui);
  return saved ? 0 : 1;
}
