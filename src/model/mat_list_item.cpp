#include "model/mat_list_item.h"

#include "catalogue/catalog_price.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/spec_stream.h"
#include "foundation/version.h"

namespace rxf {

void TrxfMatListItem::Save(TSpecStream& stream) const {
  stream.WriteString(ID);
  stream.WriteSingle(Number);
  stream.WriteCurrency(BasePrice);
  stream.WriteSingle(ReservedReal);
  stream.WriteCurrency(Discount);
  stream.WriteCurrency(Price);
  stream.WriteCurrency(Cost);
}

void TrxfMatListItem::Load(TSpecStream& stream, std::string_view) {
  ID = stream.ReadString();
  Number = stream.ReadSingle();
  BasePrice = stream.ReadCurrency();
  ReservedReal = stream.ReadSingle();
  Discount = stream.ReadCurrency();
  Price = stream.ReadCurrency();
  Cost = stream.ReadCurrency();
}

std::unique_ptr<TrxfMatListItem> MakeMatLine(const TDM& dm, const TActiveCurrency& active,
                                             std::string_view article, std::int32_t count,
                                             float length) {
  auto line = std::make_unique<TrxfMatListItem>();
  line->ID = article;
  line->Number = length > 0 ? static_cast<float>(static_cast<double>(count) * length / 1000)
                            : static_cast<float>(count);
  line->Price = GetCatalogPrice(dm, active, article, false);
  line->BasePrice = line->Price;
  line->Cost = ExactAmount(line->Price).Times(static_cast<double>(line->Number)).Round();
  return line;
}

std::unique_ptr<TrxfMatListItem> CopyMatLine(const TrxfMatListItem& source, UiServices& ui) {
  auto copy = std::make_unique<TrxfMatListItem>();
  try {
    TSpecStream stream(ui);
    source.Save(stream);
    stream.Rewind();
    copy->Load(stream, kOrderFileVersion);
  } catch (const Error& e) {
    ui.ShowError(Format("Ошибка копирования материала!\r\n(%s)"_w, std::string(e.what())));
  }
  return copy;
}

}  // namespace rxf
