#include "foundation/store_key.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/cp1251.h"
#include "foundation/error.h"
#include "messages.h"

namespace rxf {
namespace {

TEST(StoreKey, KeysAreFoundIgnoringCaseAndKeepTheirFirstSpelling) {
  StoreKey root;
  StoreKey& created = root.CreateKey("\\SoftWare\\Korvat\\Ramulex");
  EXPECT_EQ(&root.CreateKey("software\\KORVAT\\ramulex"), &created);
  EXPECT_EQ(root.FindKey("\\SOFTWARE\\korvat\\RAMULEX"), &created);
  EXPECT_EQ(root.FindKey("SoftWare")->SubKeyNames(), std::vector<std::string>{"Korvat"});
  EXPECT_EQ(root.FindKey("\\SoftWare\\Missing"), nullptr);
}

TEST(StoreKey, CyrillicNamesAreFoundIgnoringCase) {
  StoreKey root;
  StoreKey& created = root.CreateKey("Конфигурация"_w);
  EXPECT_EQ(root.FindKey("КОНФИГУРАЦИЯ"_w), &created);
}

TEST(StoreKey, SubkeysAreListedByTheirUpperCaseNames) {
  StoreKey root;
  for (const char* name : {"demo", "Zeta", "Alpha", "beta"})
    root.CreateKey(name);
  EXPECT_EQ(root.SubKeyNames(), (std::vector<std::string>{"Alpha", "beta", "demo", "Zeta"}));
}

TEST(StoreKey, DeletingAKeyTakesEverythingBelowIt) {
  StoreKey root;
  root.CreateKey("A\\B\\C").WriteInteger("x", 1);
  root.CreateKey("A\\D");
  EXPECT_TRUE(root.DeleteKey("a\\b"));
  EXPECT_EQ(root.FindKey("A\\B\\C"), nullptr);
  EXPECT_EQ(root.FindKey("A")->SubKeyNames(), std::vector<std::string>{"D"});
  EXPECT_FALSE(root.DeleteKey("A\\B"));
  EXPECT_FALSE(root.DeleteKey(""));
}

TEST(StoreKey, ValuesReadBackWithTheirTypes) {
  StoreKey key("Settings");
  key.WriteText("Name", "Рамулекс"_w);
  key.WriteInteger("Width", -640);
  key.WriteBool("AutoReg", true);
  key.WriteBinary("Raw", {0x00, 0xFF});
  key.WriteDate("OrderDate", 43830.5);
  EXPECT_EQ(key.ReadText("name"), std::string("Рамулекс"_w));
  EXPECT_EQ(key.ReadInteger("WIDTH"), -640);
  EXPECT_EQ(key.ReadInteger("AutoReg"), 1);
  EXPECT_EQ(key.ReadBool("AutoReg"), true);
  EXPECT_EQ(key.ReadBinary("Raw"), (StoreBinary{0x00, 0xFF}));
  EXPECT_EQ(key.ReadDate("OrderDate"), 43830.5);
  EXPECT_EQ(key.ReadBinary("OrderDate")->size(), 8u);
}

TEST(StoreKey, AMissingValueReadsAsNothing) {
  const StoreKey key("Settings");
  EXPECT_FALSE(key.ValueExists("Name"));
  EXPECT_EQ(key.ReadText("Name"), std::nullopt);
  EXPECT_EQ(key.ReadInteger("Name"), std::nullopt);
  EXPECT_EQ(key.ReadDate("Name"), std::nullopt);
}

TEST(StoreKey, AnyNonZeroIntegerReadsAsTrue) {
  StoreKey key;
  key.WriteInteger("Flag", -7);
  EXPECT_EQ(key.ReadBool("Flag"), true);
  key.WriteInteger("Flag", 0);
  EXPECT_EQ(key.ReadBool("Flag"), false);
}

TEST(StoreKey, AValueOfAnotherTypeIsAReadError) {
  StoreKey key("VIRI");
  key.WriteInteger("RXFCatalogDir", 5);
  key.WriteText("OrderNo", "5");
  key.WriteBinary("Short", {1, 2, 3});
  struct Case {
    const char* name;
    std::function<void()> read;
  } cases[] = {
      {"text read from an integer", [&] { key.ReadText("RXFCatalogDir"); }},
      {"integer read from a text", [&] { key.ReadInteger("OrderNo"); }},
      {"boolean read from a text", [&] { key.ReadBool("OrderNo"); }},
      {"date read from a text", [&] { key.ReadDate("OrderNo"); }},
      {"date read from 3 bytes", [&] { key.ReadDate("Short"); }},
  };
  for (const auto& c : cases)
    EXPECT_THROW(c.read(), Error) << c.name;
  EXPECT_EQ(ErrorText([&] { key.ReadText("RXFCatalogDir"); }),
            "Значение «RXFCatalogDir» раздела «VIRI» хранится с другим типом данных");
}

TEST(StoreKey, RewritingAValueChangesItsTypeAndKeepsItsPlace) {
  StoreKey key;
  key.WriteInteger("First", 1);
  key.WriteInteger("Second", 2);
  key.WriteText("FIRST", "one");
  ASSERT_EQ(key.Values().size(), 2u);
  EXPECT_EQ(key.Values()[0].Name, "First");
  EXPECT_EQ(key.ReadText("First"), "one");
  EXPECT_TRUE(key.DeleteValue("first"));
  EXPECT_FALSE(key.ValueExists("First"));
  EXPECT_FALSE(key.DeleteValue("First"));
}

}  // namespace
}  // namespace rxf
