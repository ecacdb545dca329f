// A recorded database configuration looked up by the name a user typed (UTF-8).
#pragma once

#include <optional>
#include <string>

#include "foundation/configuration.h"

namespace rxf::app {

// The configuration with its folders derived; nullopt when no configuration has that name.
std::optional<TConfiguration> ConfigurationNamed(const std::string& name);

}  // namespace rxf::app
