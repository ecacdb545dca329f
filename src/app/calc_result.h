// The result of a calculated position: the interchange JSON, and a table for a person to read.
#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "catalogue/data_module.h"
#include "model/construction.h"
#include "selection/selection_context.h"

namespace rxf::app {

// The rows each sash's calculation walked, for --explain.
class TraceBySash : public TKitTrace {
 public:
  void Record(const TrxfFlugel& flugel, TTraceEntry entry) override {
    entries_[&flugel].push_back(std::move(entry));
  }
  const std::vector<TTraceEntry>* Of(const TrxfFlugel& flugel) const;

 private:
  std::map<const TrxfFlugel*, std::vector<TTraceEntry>> entries_;
};

// Sizes, price, and per sash its sides, items and material lines; each sash gets its "Trace"
// when trace is given. Texts are UTF-8; money has four decimals and ".".
nlohmann::json PositionResultJson(const TrxfConstruction& position, const TraceBySash* trace);

// Per sash a table of article, catalogue name, count, length, side, price and cost, then the
// position's price; in the process-wide formats, UTF-8.
std::string PositionResultTable(const TDM& dm, const TrxfConstruction& position);

}  // namespace rxf::app
