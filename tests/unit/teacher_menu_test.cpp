#include <gtest/gtest.h>

#include "common/help.h"
#include "common/program_version.h"

namespace lirabo {
namespace {

TEST(ProgramVersion, PadsMinorToTwoAndRevisionToFourDigits) {
  EXPECT_EQ(FormatProgramVersion(2, 5, 7), "2.05.0007");
  EXPECT_EQ(FormatProgramVersion(2, 17, 77), "2.17.0077");
  EXPECT_EQ(FormatProgramVersion(2, 17, 777), "2.17.0777");
  EXPECT_EQ(FormatProgramVersion(2, 17, 7777), "2.17.07777");
}

TEST(HelpCommand, QuotesThePathAndNamesTheTopic) {
  EXPECT_EQ(BuildHelpCommand("C:\\Program Files\\Lirabo\\LiraboHilfe.chm", 99),
            "hh.exe -mapid 99 \"C:\\Program Files\\Lirabo\\LiraboHilfe.chm\"");
}

}  // namespace
}  // namespace lirabo
