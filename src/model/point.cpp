#include "model/point.h"

#include "foundation/spec_stream.h"

namespace rxf {

void TrxfPoint::Save(TSpecStream& stream) const {
  stream.WriteInteger(X);
  stream.WriteInteger(Y);
}

void TrxfPoint::Load(TSpecStream& stream, std::string_view) {
  X = stream.ReadInteger();
  Y = stream.ReadInteger();
}

}  // namespace rxf
