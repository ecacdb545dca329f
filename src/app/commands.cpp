#include "app/commands.h"

namespace rxf::app {

CLI::App* Commands::Add(const std::string& name, const std::string& description,
                        std::function<int()> action) {
  CLI::App* sub = app_.add_subcommand(name, description);
  actions_.emplace_back(sub, std::move(action));
  return sub;
}

int Commands::RunChosen() const {
  for (const auto& [sub, action] : actions_)
    if (sub->parsed())
      return action();
  return -1;
}

}  // namespace rxf::app
