// The per-run temporary folder: a folder named by a random number, made at start and deleted at
// the next start (the run that made it may still be using it until its very end).
#pragma once

#include <filesystem>

#include "foundation/ui_services.h"

namespace rxf {

// Makes a new folder named by a random number from 0 to 999999 inside base, creating base with
// its parents; a number whose folder exists already (another running copy's) is not taken.
// Error names the folder and the system's reason when it cannot be made.
std::filesystem::path MakeTempFolder(const std::filesystem::path& base);

// Whether folder's name is a number, as MakeTempFolder names them: the next start deletes only
// such a folder, whatever the store says, so that a damaged store cannot point it at real data.
bool IsTempFolderName(const std::filesystem::path& folder);

// Removes folder with everything in it, without asking. On failure shows the system's reason, a
// line break and the folder, and returns false.
bool DeleteFolderTree(const std::filesystem::path& folder, UiServices& ui);

}  // namespace rxf
