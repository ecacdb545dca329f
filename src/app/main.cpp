// ramulex: the command line of the fittings selection module.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "app/commands.h"
#include "app/console.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/version.h"

int main(int argc, char** argv) {
  // Messages read the same here as in the desktop: decimal comma, blank thousands separator.
  rxf::SetProcessFormats(rxf::DesktopFormats());

  CLI::App app{"ramulex: fittings selection for windows and doors"};
  app.set_version_flag("--version", "ramulex " + std::string(rxf::GetExeVersion()));
  app.require_subcommand(0, 1);
  rxf::app::Commands commands(app);
  rxf::app::AddDemoCommands(commands);
  rxf::app::AddConfigCommands(commands);
  rxf::app::AddCatalogueCommands(commands);
  rxf::app::AddCalcCommand(commands);
  rxf::app::AddOrderCommands(commands);
  rxf::app::AddRegistryCommands(commands);

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : rxf::app::kExitBadInput;
  }

  try {
    const int status = commands.RunChosen();
    if (status >= 0)
      return status;
    std::cout << app.help();
    return 0;
  } catch (const rxf::Error& e) {
    rxf::app::PrintLine(std::cerr, e.what());
    return rxf::app::kExitRefused;
  }
}
