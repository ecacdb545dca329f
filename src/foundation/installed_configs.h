// Recording configurations in the per-user store, the installer's part: with no installer on
// this platform, the command line adds and removes them. The system itself only reads them.
#pragma once

#include <string>
#include <string_view>

#include "foundation/configuration.h"
#include "foundation/user_store.h"

namespace rxf {

// Records a new configuration, and makes it the preselected one when asDefault. Error when one of
// that name exists already or the name cannot name a key (empty, or holding "\").
void AddInstalledConfig(UserStore& store, std::string_view name, const TConfigEntry& entry,
                        bool asDefault);

// Removes the configuration, and "DefaultConfig" when it named it; false when there is none.
bool RemoveInstalledConfig(UserStore& store, std::string_view name);

}  // namespace rxf
