#include "options/options_format.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

TEST(OptionsFormat, WritesBlankBeforeNonNegativeAndAfterEveryNumber) {
  OptionsRecord r;
  r.Farbtiefe = 2;
  r.Sprachausgabe = -1;
  r.HGrund = -1;
  r.HGrundCopy = -1;
  r.ProtSave = 1;
  EXPECT_EQ(FormatOptionsFile(r),
            " 2 \r\n-1 \r\n-1 \r\n-1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n 1 \r\n");
}

TEST(OptionsFormat, ReadsValuesSkippingBlanksAndLineEnds) {
  EXPECT_EQ(ParseOptionsValues(" 1 \r\n-1\n  7\t\r\n"), (std::vector<std::int16_t>{1, -1, 7}));
  EXPECT_EQ(ParseOptionsValues(""), std::vector<std::int16_t>{});
  // Blank lines at the end are the end of the file, not zeros.
  EXPECT_EQ(ParseOptionsValues(" 1 \r\n\r\n  \r\n"), std::vector<std::int16_t>{1});
}

TEST(OptionsFormat, ReadsAnythingButA16BitWholeNumberAsZero) {
  EXPECT_EQ(ParseOptionsValues("abc\r\n32767\r\n32768\r\n-32768\r\n-32769\r\n1.5\r\n\r\n+3\r\n"),
            (std::vector<std::int16_t>{0, 32767, 0, -32768, 0, 0, 0, 3}));
}

TEST(OptionsFormat, StartupKeepsAbsentValuesButClearsAbsentLineTen) {
  OptionsRecord settings;
  for (std::size_t i = 0; i < kOptionsCount; ++i) settings.At(i) = 5;
  ApplyStartupValues(settings, {1, -1, -1, 0, 0, -1, 0, 0, 0});
  EXPECT_EQ(settings.Farbtiefe, 1);
  EXPECT_EQ(settings.Auflösung, -1);
  EXPECT_EQ(settings.ProtSave, 0);
  OptionsRecord kept;
  kept.Proto = -1;
  ApplyStartupValues(kept, {2});
  EXPECT_EQ(kept.Farbtiefe, 2);
  EXPECT_EQ(kept.Proto, -1);
}

}  // namespace
}  // namespace lirabo
