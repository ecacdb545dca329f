#include "foundation/text.h"

#include <gtest/gtest.h>

#include "foundation/cp1251.h"
#include "foundation/error.h"

namespace rxf {
namespace {

TEST(Text, GetTokenPicksTheFieldByNumber) {
  struct Case {
    const char* name;
    std::string text;
    int index;
    std::string delimiters;
    bool doTrim;
    std::string field;
  } cases[] = {
      {"after an empty field", "a;;b", 3, ";", true, "b"},
      {"empty field", "a;;b", 2, ";", true, ""},
      {"past the last field", "a;;b", 4, ";", true, ""},
      {"first field", "a;;b", 1, ";", true, "a"},
      {"index zero", "a;;b", 0, ";", true, ""},
      {"negative index", "a;;b", -1, ";", true, ""},
      {"trimmed", " 26 . 12 . 2019", 2, ".", true, "12"},
      {"untrimmed", " 26 . 12 . 2019", 2, ".", false, " 12 "},
      {"trims control characters", "x|\t7\r\n", 2, "|", true, "7"},
      {"keeps Cyrillic at the edges", "1;\xFF\xC0;2", 2, ";", true, "\xFF\xC0"},
      {"any delimiter character", "a,b;c", 3, ",;", false, "c"},
      {"no delimiters: one field", "a;b", 1, "", false, "a;b"},
      {"empty text", "", 1, ";", true, ""},
      {"trailing delimiter", "a;b;", 3, ";", false, ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(GetToken(c.text, c.index, c.delimiters, c.doTrim), c.field) << c.name;
}

TEST(Text, CountTokensCountsDelimitersPlusOne) {
  struct Case {
    const char* name;
    std::string text;
    std::string delimiters;
    int count;
  } cases[] = {
      {"trailing delimiter", "a;b;", ";", 3}, {"empty text", "", ";", 0},
      {"no delimiter", "abc", ";", 1},        {"only delimiters", ";;", ";", 3},
      {"two kinds", "a,b;c", ",;", 3},
  };
  for (const auto& c : cases)
    EXPECT_EQ(CountTokens(c.text, c.delimiters), c.count) << c.name;
}

TEST(Text, ContainsTokenComparesTrimmedFieldsExactly) {
  struct Case {
    const char* name;
    std::string text;
    std::string token;
    bool contains;
  } cases[] = {
      {"middle field", "a; b ;c", "b", true}, {"last field", "a;b;c", "c", true},
      {"case matters", "a;b;c", "B", false},  {"part of a field", "ab;c", "a", false},
      {"empty field", "a;;c", "", true},      {"empty text has no fields", "", "", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ContainsToken(c.text, c.token, ";"), c.contains) << c.name;
}

TEST(Text, AppendUniqueJoinsWithTheSeparator) {
  struct Case {
    const char* name;
    std::string list;
    std::string item;
    bool unique;
    std::string result;
  } cases[] = {
      {"into empty", "", "a", true, "a"},
      {"new item", "a", "b", true, "a;b"},
      {"held item, unique", "a;b", "b", true, "a;b"},
      {"held item, not unique", "a;b", "b", false, "a;b;b"},
      {"held item with blanks", "a; b", "b", true, "a; b"},
  };
  for (const auto& c : cases) {
    std::string list = c.list;
    AppendUnique(list, c.item, ";", c.unique);
    EXPECT_EQ(list, c.result) << c.name;
  }
}

TEST(Text, ReplaceText) {
  struct Case {
    const char* name;
    std::string text, oldText, newText;
    bool ignoreCase, firstOnly;
    std::string result;
  } cases[] = {
      {"all, ignoring case", "aXbxc", "x", "Y", true, false, "aYbYc"},
      {"first only", "aXbxc", "x", "Y", true, true, "aYbxc"},
      {"case kept", "aXbxc", "x", "Y", false, false, "aXbYc"},
      {"case variant changes nothing", "abc", "b", "B", true, false, "abc"},
      {"case variant replaced when case counts", "abc", "b", "B", false, false, "aBc"},
      {"Cyrillic ignoring case", std::string("ёлка и ЁЛКА"_w), std::string("ЁЛКА"_w),
       std::string("ель"_w), true, false, std::string("ель и ель"_w)},
      {"whole text", "AbC", "abc", "x", true, false, "x"},
      {"no occurrence", "abc", "z", "y", false, false, "abc"},
      {"scan continues after the new text", "aaa", "a", "aa", false, false, "aaaaaa"},
      {"occurrences do not overlap", "aaaa", "aa", "b", false, false, "bb"},
      {"empty old in text", "abc", "", "x", false, false, "abc"},
      {"empty old in empty text", "", "", "x", false, false, "x"},
      {"removal", "a-b-c", "-", "", false, false, "abc"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceText(c.text, c.oldText, c.newText, c.ignoreCase, c.firstOnly), c.result)
        << c.name;
}

TEST(Text, RemoveBlanks) {
  EXPECT_EQ(RemoveBlanks(" 1 234 567 "), "1234567");
  EXPECT_EQ(RemoveBlanks("   "), "0");
  EXPECT_EQ(RemoveBlanks(""), "0");
}

TEST(Text, PaddingMakesTheExactWidth) {
  struct Case {
    const char* name;
    void (*pad)(std::string&, int, bool, char);
    std::string text;
    int width;
    bool doTrim;
    char padChar;
    std::string result;
  } cases[] = {
      {"left, cut to the last characters", PadLeft, "12345", 3, false, '0', "345"},
      {"left, padded", PadLeft, "7", 3, false, '0', "007"},
      {"left, trimmed first", PadLeft, " 7 ", 3, true, '0', "007"},
      {"left, blanks kept", PadLeft, " 7 ", 4, false, '0', "0 7 "},
      {"left, zero width", PadLeft, "7", 0, false, '0', ""},
      {"left, negative width", PadLeft, "7", -2, false, '0', ""},
      {"right, padded with blanks", PadRight, "ab", 4, false, ' ', "ab  "},
      {"right, cut to the first characters", PadRight, "abcdef", 2, false, ' ', "ab"},
      {"right, trimmed first", PadRight, "\tab ", 3, true, '.', "ab."},
      {"right, negative width", PadRight, "ab", -1, false, ' ', ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    c.pad(text, c.width, c.doTrim, c.padChar);
    EXPECT_EQ(text, c.result) << c.name;
  }
}

TEST(Text, SanitizeFileNameReplacesEveryForbiddenCharacter) {
  std::string name = "a\\b/c:d*e?f,g;h\"i`j!k(l)m{n}o[p]q<r>s|t%u'v.rfo";
  SanitizeFileName(name, '_');
  EXPECT_EQ(name, "a_b_c_d_e_f_g_h_i_j_k_l_m_n_o_p_q_r_s_t_u_v.rfo");

  std::string cyrillic(std::string("Заказ №5-А 1.rfo"_w));
  const std::string kept = cyrillic;
  SanitizeFileName(cyrillic, '_');
  EXPECT_EQ(cyrillic, kept);
}

TEST(Text, HexToWord) {
  struct Case {
    const char* name;
    std::string text;
    std::uint16_t value;
  } cases[] = {
      {"lower case", "ff", 255},
      {"upper case", "FF", 255},
      {"odd length", "abc", 2748},
      {"largest", "FFFF", 65535},
      {"leading zeros", "000ffff", 65535},
      {"empty", "", 0},
      {"non-hex counts as zero", "1g", 0x10},
  };
  for (const auto& c : cases)
    EXPECT_EQ(HexToWord(c.text), c.value) << c.name;
}

TEST(Text, HexAboveAWordIsAnErrorNamingTheText) {
  try {
    HexToWord("10000");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(Cp1251ToUtf8(e.what()), "Шестнадцатеричное число «10000» вне диапазона 0..FFFF");
  }
  EXPECT_THROW(HexToWord("FFFFFFFFFFFFFFFFFFFF"), Error);
}

TEST(Text, StrToIntOrZero) {
  struct Case {
    const char* name;
    std::string text;
    std::int32_t value;
  } cases[] = {
      {"plain", "123", 123},
      {"negative", "-45", -45},
      {"plus sign", "+7", 7},
      {"largest", "2147483647", 2147483647},
      {"smallest", "-2147483648", -2147483647 - 1},
      {"too large", "2147483648", 0},
      {"far too large", "99999999999999999999999", 0},
      {"blank inside", "1 2", 0},
      {"leading blank", " 12", 0},
      {"sign only", "-", 0},
      {"two signs", "+-5", 0},
      {"decimal", "1.5", 0},
      {"empty", "", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrToIntOrZero(c.text), c.value) << c.name;
}

TEST(Text, LinesAndTheirStoredText) {
  EXPECT_EQ(LinesToText({"0=1231", "1=1302"}), "0=1231\r\n1=1302\r\n");
  EXPECT_EQ(LinesToText({}), "");
  struct Case {
    const char* text;
    std::vector<std::string> lines;
  } cases[] = {
      {"0=1231\r\n1=1302\r\n", {"0=1231", "1=1302"}},
      {"a\nb", {"a", "b"}},
      {"a\r\rb\r", {"a", "", "b"}},
      {"", {}},
      {"\r\n", {""}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TextToLines(c.text), c.lines) << c.text;
}

}  // namespace
}  // namespace rxf
