#include "app/named_configuration.h"

#include "foundation/cp1251.h"
#include "foundation/user_store.h"

namespace rxf::app {

std::optional<TConfiguration> ConfigurationNamed(const std::string& name) {
  if (!IsCp1251Representable(name))
    return std::nullopt;
  const std::string stored = Utf8ToCp1251(name);
  const auto entry = FindConfiguration(UserStore(UserStore::DefaultFile()), stored);
  if (!entry)
    return std::nullopt;
  TConfiguration config;
  DeriveFolders(config, stored, *entry);
  return config;
}

}  // namespace rxf::app
