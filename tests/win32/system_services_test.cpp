#include "common/win32/system_services.h"

#include <gtest/gtest.h>

#include "tests/driver/driver.h"

namespace lirabo {
namespace {

TEST(SystemServices, ApplicationPathIsTheProgramFolderWithoutBackslash) {
  std::string path = ApplicationPath();
  ASSERT_FALSE(path.empty());
  EXPECT_NE(path.back(), '\\');
  EXPECT_TRUE(test::FileExists(path + "\\win_tests.exe"));
}

TEST(SystemServices, ProcessProbeMatchesAnyPartOfTheNameInAnyCase) {
  test::Installation install("probe");
  install.AddProgram("placeholder.exe", "OldVarkon.exe");
  EXPECT_FALSE(IsProcessRunning("Varkon.exe"));
  test::Process varkon = test::Process::Start(install.Path("OldVarkon.exe"));
  ASSERT_TRUE(varkon.IsRunning());
  EXPECT_TRUE(IsProcessRunning("Varkon.exe"));
  EXPECT_TRUE(IsProcessRunning("VARKON.EXE"));
  EXPECT_FALSE(IsProcessRunning("Varkon2.exe"));
  varkon.Kill();
}

TEST(SystemServices, SpecialFolderAndVersion) {
  EXPECT_EQ(GetSpecialFolder(26, true, true), test::AppDataFolder());
  EXPECT_EQ(GetSpecialFolder(-1, false, false), "");
  EXPECT_TRUE(IsNt6OrLater());
}

}  // namespace
}  // namespace lirabo
