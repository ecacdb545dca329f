// Reads typed slots from arbitrary bytes, as a damaged or foreign document file would give them.
// Input: one byte N, then N script bytes, each choosing the next read; the rest is the content.
// A read may fail only with rxf::Error; the script goes on after it, from wherever it stopped.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>

#include "documents/order.h"
#include "documents/order_selection.h"
#include "foundation/error.h"
#include "foundation/recording_ui.h"
#include "foundation/spec_stream.h"
#include "foundation/version.h"
#include "model/construction.h"

namespace {

using Reader = void (*)(rxf::TSpecStream&);

// One entry per kind of value a document holds; a document record's reader is one more entry.
constexpr Reader kReaders[] = {
    [](rxf::TSpecStream& s) { s.ReadString(); },
    [](rxf::TSpecStream& s) { s.ReadInteger(); },
    [](rxf::TSpecStream& s) { s.ReadByte(); },
    [](rxf::TSpecStream& s) { s.ReadBoolean(); },
    [](rxf::TSpecStream& s) { s.ReadReal(); },
    [](rxf::TSpecStream& s) { s.ReadSingle(); },
    [](rxf::TSpecStream& s) { s.ReadDate(); },
    [](rxf::TSpecStream& s) { s.ReadCurrency(); },
    // Position records of the current layout and of the oldest one, with all its gates.
    [](rxf::TSpecStream& s) { rxf::TrxfConstruction().Load(s, rxf::kOrderFileVersion); },
    [](rxf::TSpecStream& s) { rxf::TrxfConstruction().Load(s, "09.12.2009"); },
    // Whole documents, as a damaged order or selection file gives them.
    [](rxf::TSpecStream& s) {
      rxf::RecordingUi ui;
      rxf::TrxfOrder().Load(s, ui);
    },
    [](rxf::TSpecStream& s) {
      rxf::RecordingUi ui;
      rxf::TrxfOrderSelection("").Load(s, ui);
    },
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::size_t script_size = std::min<std::size_t>(data[0], size - 1);
  const std::uint8_t* script = data + 1;
  const auto* content = reinterpret_cast<const char*>(script + script_size);

  rxf::RecordingUi ui;
  rxf::TSpecStream stream(ui, std::string(content, size - 1 - script_size));
  for (std::size_t step = 0; step < script_size; ++step) {
    try {
      kReaders[script[step] % std::size(kReaders)](stream);
    } catch (const rxf::Error&) {
    }
  }
  return 0;
}
