// The options file's opens against another process, on the real file system.
#include <gtest/gtest.h>

#include "common/win32/win32_files.h"
#include "options/options_store.h"
#include "tests/driver/driver.h"

namespace lirabo {
namespace {

class OptionsSharing : public ::testing::Test {
 protected:
  void SetUp() override { install.Write("options.ini", test::OptionsText({1, -1, 0, 0, 0, 0, 0, 0, 0, 1})); }
  std::string Path() const { return install.Path("options.ini"); }
  test::Installation install{"sharing"};
  Win32FilePort files;
};

TEST_F(OptionsSharing, AHoldElsewhereRefusesTheProbeAndTheRewriteButNotReaders) {
  test::Process other = test::HoldFileInOtherProcess(Path(), "r", "r");  // another dialog's hold
  ASSERT_TRUE(other.IsRunning());
  ProbeOutcome probe = ProbeOptionsWritable(files, Path());
  EXPECT_EQ(probe.result, ProbeResult::Refused);
  EXPECT_EQ(probe.error.code, 32u);
  EXPECT_FALSE(probe.error.description.empty());
  EXPECT_TRUE(OpenOptionsForReading(files, Path()).ok());
  EXPECT_TRUE(HoldOptionsFile(files, Path()).ok());  // a second reader with writing denied is fine
  EXPECT_EQ(WriteOptionsFile(files, Path(), OptionsRecord{}).code, 32u);
  other.Kill();
  EXPECT_EQ(ProbeOptionsWritable(files, Path()).result, ProbeResult::Writable);
}

TEST_F(OptionsSharing, ARewriteElsewhereKeepsReadersOutAndOurHoldKeepsTheOtherOut) {
  test::Process writer = test::HoldFileInOtherProcess(Path(), "w", "none");
  ASSERT_TRUE(writer.IsRunning());
  auto read = OpenOptionsForReading(files, Path());
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.error().IsLockedOrDenied());
  writer.Kill();

  auto hold = HoldOptionsFile(files, Path());
  ASSERT_TRUE(hold.ok());
  test::Process probe = test::HoldFileInOtherProcess(Path(), "w", "rw");  // the other side's probe
  EXPECT_TRUE(probe.WaitForExit());
  EXPECT_EQ(probe.ExitCode(), 2u);
}

TEST_F(OptionsSharing, ProbeOfAMissingFileCreatesItAndAMissingFolderFails) {
  std::string fresh = install.Path("neu.ini");
  EXPECT_EQ(ProbeOptionsWritable(files, fresh).result, ProbeResult::Writable);
  EXPECT_TRUE(test::FileExists(fresh));
  EXPECT_EQ(test::ReadFileBytes(fresh), "");
  ProbeOutcome missing = ProbeOptionsWritable(files, install.Path("fehlt\\options.ini"));
  EXPECT_EQ(missing.result, ProbeResult::Failed);
  EXPECT_EQ(missing.error.code, 3u);
}

TEST_F(OptionsSharing, RewriteProducesTheWritersBytes) {
  OptionsRecord r;
  r.Farbtiefe = 2;
  r.HGrund = r.HGrundCopy = -1;
  r.ProtSave = 1;
  ASSERT_FALSE(WriteOptionsFile(files, Path(), r));
  EXPECT_EQ(test::ReadFileBytes(Path()), test::OptionsText({2, 0, -1, -1, 0, 0, 0, 0, 0, 1}));
}

}  // namespace
}  // namespace lirabo
