// The subcommands of ramulex. Each area adds its own subcommands in its own file; main runs the
// one the user chose.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <vector>

namespace rxf::app {

// Exit statuses: 0 done, 1 the system refused (its message says why), 2 bad input.
inline constexpr int kExitRefused = 1;
inline constexpr int kExitBadInput = 2;

class Commands {
 public:
  explicit Commands(CLI::App& app) : app_(app) {}

  // Adds a subcommand; action runs when the user chose it and returns the exit status.
  CLI::App* Add(const std::string& name, const std::string& description,
                std::function<int()> action);
  // Runs the chosen subcommand; -1 when none was chosen.
  int RunChosen() const;

 private:
  CLI::App& app_;
  std::vector<std::pair<CLI::App*, std::function<int()>>> actions_;
};

// Demonstrations of the foundation: amounts in words, version texts.
void AddDemoCommands(Commands& commands);
// The database configurations: config list, add, show, remove.
void AddConfigCommands(Commands& commands);
// The catalogue: catalogue import and check.
void AddCatalogueCommands(Commands& commands);
// The selection of one position's fittings: calc.
void AddCalcCommand(Commands& commands);
// Orders and selections: order show and matlist, selection matlist.
void AddOrderCommands(Commands& commands);
// The order registry: registry list, register, refresh, delete, archive and clear.
void AddRegistryCommands(Commands& commands);

// order new, added to the order group.
void AddOrderNewCommand(Commands& order);

}  // namespace rxf::app
