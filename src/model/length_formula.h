// Length formulas of the catalogue's kit rows, evaluated against a sash. Identifiers FН/FFН
// (Cyrillic EN) and FRH give the sash height, FB/FFB and FRB its width (mm); FFL(n)/FL(n) the
// length of side n, FFG(n)/FG(n) its handle height, FFGA(n)/FGA(n) the handle height of side n of
// the other sash. Unknown names are 0.
#pragma once

#include <string_view>

namespace rxf {

class TrxfFlugel;

// Raises Error naming the formula and the place of the fault when it is malformed.
double EvaluateLengthFormula(const TrxfFlugel& flugel, std::string_view formula);

}  // namespace rxf
