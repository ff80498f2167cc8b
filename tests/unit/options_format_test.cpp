#include "options/options_format.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

using Values = std::vector<std::int16_t>;

TEST(OptionsFormat, WritesBlankBeforeNonNegativeAndAfterEveryNumber) {
  OptionsRecord r;
  r.Farbtiefe = 2;
  r.Sprachausgabe = r.HGrund = -1;
  r.ProtSave = 1;
  EXPECT_EQ(FormatOptionsFile(r), " 2 \r\n-1 \r\n-1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n");
}

TEST(OptionsFormat, ReadsBlanksAwayAndAnythingButA16BitWholeNumberAsZero) {
  // Blank lines at the end are the end of the file, not zeros.
  EXPECT_EQ(ParseOptionsValues(" 1 \r\n-1\n  7\t\r\n\r\n  \r\n"), (Values{1, -1, 7}));
  EXPECT_EQ(ParseOptionsValues(""), Values{});
  EXPECT_EQ(ParseOptionsValues("abc\r\n32767\r\n32768\r\n-32768\r\n-32769\r\n1.5\r\n\r\n+3\r\n"),
            (Values{0, 32767, 0, -32768, 0, 0, 0, 3}));
}

TEST(OptionsFormat, EveryLineEndOfOtherEditorsReadsTheSameTenValues) {
  const Values ten = {2, -1, -1, -1, 0, 0, 0, -1, -1, 1};
  for (std::string end : {"\r\n", "\n", "\r", "\r\r\n"}) {
    std::string text;
    for (std::int16_t v : ten) text += (v >= 0 ? " " : "") + std::to_string(v) + " " + end;
    EXPECT_EQ(ParseOptionsValues(text), ten) << "line end of " << end.size() << " bytes";
  }
  EXPECT_EQ(ParseOptionsValues("1 \r\r\n"), Values{1});
  EXPECT_EQ(ParseOptionsValues(" 2 \r-1 \r 5"), (Values{2, -1, 5}));  // the last line without its end
}

TEST(OptionsFormat, StartupKeepsAbsentValuesButClearsAbsentLineTen) {
  OptionsRecord s;
  for (std::size_t i = 0; i < kOptionsCount; ++i) s.At(i) = 5;
  ApplyStartupValues(s, {2, -1});
  EXPECT_EQ(s, (OptionsRecord{2, -1, 5, 5, 5, 5, 5, 5, 5, 0}));
}

TEST(OptionsFormat, ReadsOneSignAtMost) {
  // Found by the options fuzzer: "+-5" was read as -5.
  EXPECT_EQ(ParseOptionsValues("+-5\r\n-+5\r\n++5\r\n+5\r\n-5\r\n"), (Values{0, 0, 0, 5, -5}));
}

}  // namespace
}  // namespace lirabo
