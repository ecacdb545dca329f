// The steps that complete a kit calculation: composite items expand into their sub-items, and the
// articles already chosen bring along counter-plates, covers and accessories.
#pragma once

#include <cstdint>
#include <string_view>

#include "selection/kit_run.h"

namespace rxf {

// Resolves the sub-items of a composite item (FrnItoI) to articles; nothing for an item without
// composition rows. Sub-items are not expanded further.
void ExpandComposite(const TKitRun& run, std::string_view item, std::string_view kitId,
                     std::int32_t count, double profWidth, double weight, int kind,
                     std::int32_t sideNo);

// Counter-plates, covers and accessories of the items, each pass seeing what earlier passes
// added; then items whose count came to 0 go, and the rest are sorted by article.
void AddFollowUps(const TKitRun& run);

}  // namespace rxf
