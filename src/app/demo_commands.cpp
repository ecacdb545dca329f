// Small demonstrations of what the foundation computes.
#include <iostream>
#include <memory>
#include <string>

#include "app/commands.h"
#include "app/console.h"
#include "foundation/cp1251.h"
#include "foundation/format.h"
#include "foundation/money_words.h"
#include "foundation/version.h"

namespace rxf::app {

namespace {

TMoneyWord RoubleWords() {
  TMoneyWord words;
  words.Nominative = std::string("рубль"_w);
  words.Genitive = std::string("рубля"_w);
  words.GenitivePlural = std::string("рублей"_w);
  words.Dec = 2;
  return words;
}

int RunWords(const std::string& amount_text) {
  const auto amount = Money::Parse(amount_text);
  if (!amount) {
    std::cerr << "ramulex words: \"" << amount_text
              << "\" is not an amount (digits, optional \".\" and up to four decimals)\n";
    return kExitBadInput;
  }
  PrintLine(std::cout, MoneyToWords(RoubleWords(), *amount));
  return 0;
}

int RunVersionCompare(const std::string& a, const std::string& b) {
  const std::string version_a = Utf8ToCp1251(a);
  const std::string version_b = Utf8ToCp1251(b);
  const bool older = VersionOlder(version_a, version_b);
  PrintLine(std::cout, Format(older ? std::string("Версия %s старее версии %s"_w)
                                    : std::string("Версия %s не старее версии %s"_w),
                              version_a, version_b));
  return 0;
}

}  // namespace

void AddDemoCommands(Commands& commands) {
  auto amount = std::make_shared<std::string>();
  commands
      .Add("words", "Write a rouble amount in Russian words",
           [amount] { return RunWords(*amount); })
      ->add_option("AMOUNT", *amount, "Amount, e.g. 1234.56")
      ->required();

  auto a = std::make_shared<std::string>();
  auto b = std::make_shared<std::string>();
  CLI::App* versions =
      commands.Add("version-compare", "Compare two document version texts (dd.mm.yyyy)",
                   [a, b] { return RunVersionCompare(*a, *b); });
  versions->add_option("A", *a)->required();
  versions->add_option("B", *b)->required();
}

}  // namespace rxf::app
