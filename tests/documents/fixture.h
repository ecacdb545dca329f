// Shared fixtures of the document tests: positions and material lines built in code, a small
// catalogue for prices, order files written slot by slot, and the messages a test's UI recorded.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/data_module.h"
#include "documents/order.h"
#include "foundation/recording_ui.h"
#include "model/construction.h"
#include "model/mat_list_item.h"

namespace rxf::test {

// Windows-1251 text of a UTF-8 literal.
std::string W(std::string_view utf8);
Money M(std::string_view text);

// A material line at price, its cost Number x Price rounded once.
std::unique_ptr<TrxfMatListItem> Line(std::string_view id, float number, std::string_view price);

// A one-sash 700 x 1400 position, or with twoSash two 600 x 1400 sashes, of Number count and
// Price price, without material lines.
std::unique_ptr<TrxfConstruction> Position(std::string_view posNo, std::int32_t count,
                                           std::string_view price = "0", bool twoSash = false);

// An order numbered orderNo with positions "1", "2", ... of the counts, each holding one line of
// article in Flugel1 with Number 1 at price.
std::unique_ptr<TrxfOrder> OrderOf(std::string_view orderNo, const std::vector<int>& counts,
                                   std::string_view article, std::string_view price);

// tests/data/documents/catalogue: A-100 12.34 and B-200 5 roubles, C-300 0.5 and D-400 1.2345
// euros at 92.5; currency 1 the rouble at 1.
const TDM& PriceCatalogue();

// Messages of one kind, or of every kind, in the order they came, in UTF-8.
std::vector<std::string> Messages(const RecordingUi& ui);
std::vector<std::string> Messages(const RecordingUi& ui, RecordingUi::Kind kind);

// A date-time slot (tag 7).
std::string DateSlot(double value);

// The bytes of an order file of the version whose header fields are values a test can check,
// with no currencies and no positions: the layout of that version (four parameter IDs 11, 12,
// 13, 14 from 10.12.2009 on, two texts before).
std::string OrderFileBytes(std::string_view version, std::string_view orderNo);

std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, std::string_view bytes);

}  // namespace rxf::test
