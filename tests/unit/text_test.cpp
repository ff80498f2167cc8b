#include "common/text.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

TEST(Text, EveryWindows1252ByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  std::string utf8 = Cp1252ToUtf8(all);
  EXPECT_EQ(CodePointCount(utf8), 256u);
  EXPECT_EQ(Utf8ToCp1252(utf8), all);
  EXPECT_EQ(Cp1252ToUtf8("\x80\xE4\xDF"), "€äß");
  EXPECT_EQ(Utf8ToCp1252("Jörg ☺"), "J\xF6rg ?");
}

TEST(Text, UpperCaseFollowsWindowsForTheGermanLetters) {
  EXPECT_EQ(UpperCase("jörg äöü ß š ÿ"), "JÖRG ÄÖÜ ß Š Ÿ");
  EXPECT_EQ(UpperCase("unbekannt"), "UNBEKANNT");
}

TEST(Text, CodePointHelpersAndLines) {
  EXPECT_EQ(FirstCodePoints("ÄÖÜabc", 4), "ÄÖÜa");
  EXPECT_EQ(DropLastCodePoint("Jö"), "J");
  EXPECT_EQ(DropLastCodePoint(""), "");
  EXPECT_EQ(SplitLines("a\r\n\r\nb c \r\nlast"), (std::vector<std::string>{"a", "", "b c ", "last"}));
  EXPECT_EQ(SplitLines("a\r\n"), std::vector<std::string>{"a"});
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace lirabo
