#include <gtest/gtest.h>

#include "common/help.h"
#include "common/program_version.h"

namespace lirabo {
namespace {

TEST(ProgramVersion, PadsMinorToTwoAndRevisionToFourDigits) {
  struct Row {
    int major, minor, revision;
    const char* text;
  } rows[] = {
      {2, 17, 77, "2.17.0077"}, {2, 5, 3, "2.05.0003"},   {2, 5, 7, "2.05.0007"},
      {2, 5, 777, "2.05.0777"}, {2, 5, 7777, "2.05.07777"}, {2, 5, 1234, "2.05.01234"},
      {2, 0, 0, "2.00.0000"},   {10, 123, 12345, "10.123.012345"},
  };
  for (const Row& r : rows) EXPECT_EQ(FormatProgramVersion(r.major, r.minor, r.revision), r.text) << r.text;
}

TEST(HelpCommand, QuotesThePathAndNamesTheTopic) {
  EXPECT_EQ(BuildHelpCommand("C:\\Program Files\\Lirabo\\LiraboHilfe.chm", 99),
            "hh.exe -mapid 99 \"C:\\Program Files\\Lirabo\\LiraboHilfe.chm\"");
  EXPECT_EQ(BuildHelpCommand("D:\\L\\LiraboHilfe_Top.chm", 110), "hh.exe -mapid 110 \"D:\\L\\LiraboHilfe_Top.chm\"");
}

}  // namespace
}  // namespace lirabo
