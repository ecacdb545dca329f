#include "catalogue/catalogue_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "catalogue/catalogue_opener.h"
#include "foundation/cp1251.h"

namespace rxf {
namespace {

bool Found(const std::vector<CheckFinding>& findings, std::string_view table, std::string_view key,
           std::string_view column) {
  return std::any_of(findings.begin(), findings.end(), [&](const CheckFinding& finding) {
    return finding.Table == table && finding.Key == key && finding.Column == column;
  });
}

std::string AllText(const std::vector<CheckFinding>& findings) {
  std::string text;
  for (const CheckFinding& finding : findings)
    text += Cp1251ToUtf8(FindingText(finding)) + "\n";
  return text;
}

// tests/data/catalogue/check holds one planted fault of each kind and otherwise sound rows; among
// them rows whose side-number columns are 0 where their test is not used.
TEST(CatalogueCheck, FindsEachPlantedFaultAndNothingElse) {
  const auto dm = OpenCatalogue(RXF_TEST_DATA "/catalogue/check");
  const std::vector<CheckFinding> findings = CheckCatalogue(*dm);
  struct Case {
    const char* fault;
    const char* table;
    const char* key;
    const char* column;
  } cases[] = {
      {"kit row without item", "FrnSet", "ID=K1; Item=NOITEM; Key=2", "Item"},
      {"composite row without item", "FrnItoI", "ID=I2; Item=NOSUB", "Item"},
      {"counter-plate without item", "FrnSchl", "CatalogID=A1; Key=2", "Item"},
      {"article without catalogue code", "FrnArt", "ID=I1; CatalogID=NOCODE; Key=2", "CatalogID"},
      {"accessory without catalogue code", "FrnDop", "CatalogID=A1; Key=2", "AccessoryID"},
      {"cover without catalogue code", "FrnAbd", "CatalogID=A1; Color=; AccessoryID=NOCOVER",
       "AccessoryID"},
      {"side table number 256", "FrnSide", "ID=K1; Side=256", "Side"},
      {"length test on side 0", "FrnSet", "ID=K1; Item=I1; Key=3", "FFL1No"},
      {"angle principle on vertex 0", "FrnSet", "ID=K1; Item=I1; Key=4", "AngleNo"},
      {"article range without value", "FrnArt", "ID=I1; CatalogID=A2; Key=3", "FFBMin"},
      {"currency with rate 0", "Currency", "ID=2", "Value"},
      {"catalogue code twice", "Catalog", "ID=A1", "ID"},
      {"colour name longer than 30", "COLORSET", "Color=7016", "Name"},
  };
  for (const auto& c : cases)
    EXPECT_TRUE(Found(findings, c.table, c.key, c.column)) << c.fault << "\n" << AllText(findings);
  EXPECT_EQ(findings.size(), std::size(cases)) << AllText(findings);
}

TEST(CatalogueCheck, NamesTableKeyAndColumnOnOneLine) {
  const auto dm = OpenCatalogue(RXF_TEST_DATA "/catalogue/check");
  const std::vector<CheckFinding> findings = CheckCatalogue(*dm);
  for (const auto& [table, line] : {
           std::pair{"FrnSet",
                     "FrnSet [ID=K1; Item=NOITEM; Key=2] Item: значение [NOITEM] "
                     "отсутствует в таблице FrnItem"},
           std::pair{"FrnSide", "FrnSide [ID=K1; Side=256] Side: номер стороны 256 вне 1..255"},
           std::pair{"Catalog", "Catalog [ID=A1] ID: ключ повторяется, строк: 2"},
           std::pair{"COLORSET",
                     "COLORSET [Color=7016] Name: длина текста 41 больше размера "
                     "столбца 30"},
       }) {
    const auto found = std::find_if(findings.begin(), findings.end(),
                                    [&](const CheckFinding& f) { return f.Table == table; });
    ASSERT_NE(found, findings.end()) << table;
    EXPECT_EQ(Cp1251ToUtf8(FindingText(*found)), line);
  }
}

TEST(CatalogueCheck, IsSilentOnTheDemoCatalogue) {
  const auto dm = OpenCatalogue(RXF_TEST_DATA "/../../data/demo/catalogue");
  EXPECT_EQ(AllText(CheckCatalogue(*dm)), "");
}

}  // namespace
}  // namespace rxf
