// The present moment as documents stamp it.
#pragma once

#include "foundation/datetime.h"

namespace rxf {

// Local date and time of day, to the second.
TDateTime CurrentMoment();

}  // namespace rxf
