// ramulex: the command line of the fittings selection module.
#include <CLI/CLI.hpp>
#include <iostream>
#include <string>

#include "app/console.h"
#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "foundation/format.h"
#include "foundation/money_words.h"
#include "foundation/version.h"

using namespace rxf::literals;

namespace {

// Exit statuses: 0 done, 1 the system refused (its message says why), 2 bad input.
constexpr int kBadInput = 2;

rxf::TMoneyWord RoubleWords() {
  rxf::TMoneyWord words;
  words.Nominative = std::string("рубль"_w);
  words.Genitive = std::string("рубля"_w);
  words.GenitivePlural = std::string("рублей"_w);
  words.Dec = 2;
  return words;
}

int RunWords(const std::string& amount_text) {
  const auto amount = rxf::Money::Parse(amount_text);
  if (!amount) {
    std::cerr << "ramulex words: \"" << amount_text
              << "\" is not an amount (digits, optional \".\" and up to four decimals)\n";
    return kBadInput;
  }
  rxf::app::PrintLine(std::cout, rxf::MoneyToWords(RoubleWords(), *amount));
  return 0;
}

int RunVersionCompare(const std::string& a, const std::string& b) {
  const bool older = rxf::VersionOlder(rxf::Utf8ToCp1251(a), rxf::Utf8ToCp1251(b));
  rxf::app::PrintLine(std::cout, rxf::Format(older ? std::string("Версия %s старее версии %s"_w)
                                                   : std::string("Версия %s не старее версии %s"_w),
                                             rxf::Utf8ToCp1251(a), rxf::Utf8ToCp1251(b)));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Messages read the same here as in the desktop: decimal comma, blank thousands separator.
  rxf::SetProcessFormats(rxf::DesktopFormats());

  CLI::App app{"ramulex: fittings selection for windows and doors"};
  app.set_version_flag("--version", "ramulex " + std::string(rxf::GetExeVersion()));
  app.require_subcommand(0, 1);

  std::string amount;
  auto* words = app.add_subcommand("words", "Write a rouble amount in Russian words");
  words->add_option("AMOUNT", amount, "Amount, e.g. 1234.56")->required();

  std::string version_a, version_b;
  auto* versions =
      app.add_subcommand("version-compare", "Compare two document version texts (dd.mm.yyyy)");
  versions->add_option("A", version_a)->required();
  versions->add_option("B", version_b)->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    return app.exit(e) == 0 ? 0 : kBadInput;
  }

  try {
    if (*words)
      return RunWords(amount);
    if (*versions)
      return RunVersionCompare(version_a, version_b);
    std::cout << app.help();
    return 0;
  } catch (const rxf::Error& e) {
    rxf::app::PrintLine(std::cerr, e.what());
    return kBadInput;
  }
}
