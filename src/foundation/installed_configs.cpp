#include "foundation/installed_configs.h"

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf {

void AddInstalledConfig(UserStore& store, std::string_view name, const TConfigEntry& entry,
                        bool asDefault) {
  if (!IsConfigName(name))
    throw Error(Format(
        "Имя конфигурации «%s» недопустимо: оно не может быть пустым или содержать \\"_w, name));
  store.Update([&](StoreKey& root) {
    StoreKey& configKey = root.CreateKey(kConfigKey);
    if (configKey.FindKey(name) != nullptr)
      throw Error(Format("Конфигурация %s уже существует"_w, name));
    WriteConfigEntry(configKey.CreateKey(name), entry);
    if (asDefault)
      configKey.WriteText(kDefaultConfigValue, name);
  });
}

bool RemoveInstalledConfig(UserStore& store, std::string_view name) {
  if (!IsConfigName(name))
    return false;
  bool removed = false;
  store.Update([&](StoreKey& root) {
    StoreKey* configKey = root.FindKey(kConfigKey);
    removed = configKey != nullptr && configKey->DeleteKey(name);
    if (removed && AnsiSameText(configKey->ReadText(kDefaultConfigValue).value_or(""), name))
      configKey->DeleteValue(kDefaultConfigValue);
  });
  return removed;
}

}  // namespace rxf
