// The catalogue: bring it into the system's catalogue file, and check what the engine would trip
// over in it.
#include <iostream>
#include <memory>
#include <string>

#include "app/commands.h"
#include "app/console.h"
#include "catalogue/catalogue_check.h"
#include "catalogue/catalogue_import.h"
#include "catalogue/catalogue_opener.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"

namespace rxf::app {

namespace {

// One line on the error stream, naming the command: the whole message for bad input.
int BadInput(const std::string& command, const Error& error) {
  std::cerr << "ramulex catalogue " << command << ": ";
  PrintLine(std::cerr, error.what());
  return kExitBadInput;
}

int RunImport(const std::string& source, const std::string& dest) {
  std::size_t tables = 0;
  std::size_t rows = 0;
  try {
    ImportCatalogue(source, dest, [&](const MemoryTable& table) {
      ++tables;
      rows += table.RowCount();
      PrintLine(std::cerr, Format(std::string("%s: строк %d"_w), table.Name(), table.RowCount()));
    });
  } catch (const Error& error) {
    return BadInput("import", error);
  }
  std::cerr << "ramulex catalogue import: " << dest << ": ";
  PrintLine(std::cerr, Format(std::string("таблиц %d, строк %d"_w), tables, rows));
  return 0;
}

int RunCheck(const std::string& path) {
  std::unique_ptr<TDM> dm;
  try {
    dm = OpenCatalogue(path);
  } catch (const Error& error) {
    return BadInput("check", error);
  }
  const std::vector<CheckFinding> findings = CheckCatalogue(*dm);
  for (const CheckFinding& finding : findings)
    PrintLine(std::cout, FindingText(finding));
  PrintLine(std::cout, findings.empty() ? std::string("Замечаний нет"_w)
                                        : Format(std::string("Замечаний: %d"_w), findings.size()));
  return findings.empty() ? 0 : kExitRefused;
}

}  // namespace

void AddCatalogueCommands(Commands& commands) {
  // "catalogue" runs whichever of its own subcommands was chosen.
  auto inner = std::make_shared<std::unique_ptr<Commands>>();
  CLI::App* catalogue = commands.Add("catalogue", "The fittings catalogue: import and check it",
                                     [inner] { return (*inner)->RunChosen(); });
  catalogue->require_subcommand(1);
  *inner = std::make_unique<Commands>(*catalogue);
  Commands& sub = **inner;

  auto source = std::make_shared<std::string>();
  auto dest = std::make_shared<std::string>();
  CLI::App* importCommand =
      sub.Add("import", "Write a CSV or Paradox catalogue folder into a catalogue file (SQLite)",
              [source, dest] { return RunImport(*source, *dest); });
  importCommand->add_option("SRC", *source, "Catalogue folder: CSV files or Paradox tables")
      ->required();
  importCommand->add_option("DEST", *dest, "Catalogue file to write; replaced only on success")
      ->required();

  auto path = std::make_shared<std::string>();
  sub.Add("check",
          "Report what the selection would trip over; exit status 1 when anything is found",
          [path] { return RunCheck(*path); })
      ->add_option("PATH", *path, "Catalogue file, CSV folder or Paradox folder")
      ->required();
}

}  // namespace rxf::app
