// What the selection engine will trip over in a catalogue, found before a user meets it: kit and
// composite rows whose item is missing, articles and follow-ups whose catalogue code is missing,
// side numbers outside 1..255, article ranges without values, currencies with rate 0, repeated
// primary keys and texts longer than their column. A technologist runs it after every edit, so
// each finding names the table, the row's key and the column.
#pragma once

#include <string>
#include <vector>

#include "catalogue/data_module.h"

namespace rxf {

// Texts in Windows-1251.
struct CheckFinding {
  std::string Table;    // "FrnSet"
  std::string Key;      // the row's key columns with their values: "ID=K1; Item=I9; Key=3"
  std::string Column;   // "Item"; several columns joined by ", "
  std::string Problem;  // "значение [I9] отсутствует в таблице FrnItem"
};

// Every finding: by kind of check in the order above, then by table, then by row in walk order.
std::vector<CheckFinding> CheckCatalogue(const TDM& dm);

// One line: "FrnSet [ID=K1; Item=I9; Key=3] Item: значение [I9] отсутствует в таблице FrnItem".
std::string FindingText(const CheckFinding& finding);

}  // namespace rxf
