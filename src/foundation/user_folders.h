// The per-user folders of the freedesktop convention: the settings store lives in the config
// folder, the demo configuration, the default server folder and the temporary folders in the data
// folder. A variable that is unset, empty or relative is ignored, as the convention says.
#pragma once

#include <filesystem>

namespace rxf {

// $XDG_CONFIG_HOME/ramulex, else ~/.config/ramulex. Error when neither variable nor HOME is usable.
std::filesystem::path UserConfigFolder();
// $XDG_DATA_HOME/ramulex, else ~/.local/share/ramulex. Error as above.
std::filesystem::path UserDataFolder();

}  // namespace rxf
