#include "catalogue/currency_item.h"

#include "foundation/spec_stream.h"

namespace rxf {

void TrxfCurrencyItem::Save(TSpecStream& stream) const {
  stream.WriteInteger(ID);
  stream.WriteSingle(Value);
}

void TrxfCurrencyItem::Load(TSpecStream& stream, std::string_view) {
  ID = stream.ReadInteger();
  Value = stream.ReadSingle();
}

}  // namespace rxf
