#include "fixture.h"

#include <fstream>
#include <iterator>

#include "catalogue/csv_reader.h"
#include "foundation/cp1251.h"
#include "foundation/version.h"
#include "model/slot_bytes.h"

namespace rxf::test {

std::string W(std::string_view utf8) {
  return Utf8ToCp1251(utf8);
}

Money M(std::string_view text) {
  return *Money::Parse(text);
}

std::unique_ptr<TrxfMatListItem> Line(std::string_view id, float number, std::string_view price) {
  auto line = std::make_unique<TrxfMatListItem>();
  line->ID = id;
  line->Number = number;
  line->Price = M(price);
  line->BasePrice = line->Price;
  line->Cost = ExactAmount(line->Price).Times(static_cast<double>(number)).Round();
  return line;
}

std::unique_ptr<TrxfConstruction> Position(std::string_view posNo, std::int32_t count,
                                           std::string_view price, bool twoSash) {
  auto position = std::make_unique<TrxfConstruction>();
  position->PosNo = posNo;
  position->PosName = "Window " + std::string(posNo);
  position->Number = count;
  position->Price = M(price);
  position->FlugelMode = twoSash ? 0 : 2;
  const TShapeParams shape =
      twoSash ? TShapeParams{.Width = 1200, .Height = 1400, .SizeX = 600, .SizeY = 600}
              : TShapeParams{.Width = 700, .Height = 1400};
  position->SetShape(shape, 201);
  return position;
}

std::unique_ptr<TrxfOrder> OrderOf(std::string_view orderNo, const std::vector<int>& counts,
                                   std::string_view article, std::string_view price) {
  auto order = std::make_unique<TrxfOrder>();
  order->OrderNo = orderNo;
  for (std::size_t i = 0; i < counts.size(); ++i) {
    auto position = Position(std::to_string(i + 1), counts[i], price);
    position->Flugel1->MatList.push_back(Line(article, 1, price));
    order->Add(std::move(position));
  }
  return order;
}

const TDM& PriceCatalogue() {
  static CsvCatalogueReader reader(RXF_TEST_DATA "/documents/catalogue");
  static const TDM dm(reader);
  return dm;
}

std::vector<std::string> Messages(const RecordingUi& ui) {
  std::vector<std::string> texts;
  for (const auto& entry : ui.Entries())
    texts.push_back(Cp1251ToUtf8(entry.text));
  return texts;
}

std::vector<std::string> Messages(const RecordingUi& ui, RecordingUi::Kind kind) {
  std::vector<std::string> texts;
  for (const auto& entry : ui.Entries())
    if (entry.kind == kind)
      texts.push_back(Cp1251ToUtf8(entry.text));
  return texts;
}

std::string DateSlot(double value) {
  std::string bytes = SlotBytes().Real(value).Bytes();
  bytes[0] = 7;
  return bytes;
}

std::string OrderFileBytes(std::string_view version, std::string_view orderNo) {
  std::string head = SlotBytes().Text(kOrderSignature).Text(version).Integer(1).Integer(2).Bytes();
  head += DateSlot(40000.5) + DateSlot(40001.25);
  SlotBytes bytes;
  bytes.Integer(3);
  bytes.Text(orderNo).Text("ALT").Text("Customer").Text("Object").Text("Address");
  bytes.Text("Phones").Text("Remark");
  std::string middle = bytes.Bytes() + DateSlot(43000);
  bytes = SlotBytes();
  bytes.Boolean(false);
  bytes.Text("P58").Text("9016").Text("9010").Text("1204").Text("F9016").Text("H1");
  if (VersionNotOlder(version, "10.12.2009"))
    bytes.Integer(11).Integer(12).Integer(13).Integer(14);
  else
    bytes.Text("old1").Text("old2");
  bytes.Integer(4).Real(20).Boolean(true).Boolean(true);
  bytes.Integer(0).Integer(1).Text("note\r\n").Integer(0);
  return head + middle + bytes.Bytes();
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace rxf::test
