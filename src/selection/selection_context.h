// What one kit calculation needs besides the sash: the catalogue, the article chooser, the debug
// switch, the order's profile colours, and an optional trace of the rows walked.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "catalogue/memory_table.h"

namespace rxf {

class TDM;
class TrxfFlugel;

// Several articles qualify: the user picks one of the rows (FrnArt rows in walk order). The answer
// is an index into rows; the chooser of the desktop shows a list with the two columns.
struct TArticleChoice {
  std::string Caption;  // Windows-1251
  std::string Prompt;
  std::string Column1;
  std::string Column2;
  std::span<const RowIndex> Rows;
};
using TArticleChooser = std::function<std::size_t(const TArticleChoice&)>;

// One kit composition row as the calculation met it: used, or skipped with the test and the values
// compared ("FFBMax 80 < FFB 120").
struct TTraceEntry {
  std::string Kit;
  std::string Item;
  std::int64_t Key = 0;
  bool Used = false;
  std::string Reason;
};

class TKitTrace {
 public:
  virtual ~TKitTrace() = default;
  virtual void Record(const TrxfFlugel& flugel, TTraceEntry entry) = 0;
};

struct TSelectionContext {
  const TDM& Catalogue;
  TArticleChooser Chooser;  // empty: the first matching row
  bool DebugMode = false;
  std::string OuterProfColor;
  std::string InnerProfColor;
  TKitTrace* Trace = nullptr;
};

}  // namespace rxf
