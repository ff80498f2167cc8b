// The options file's opens against another process, on the real file system.
#include <gtest/gtest.h>

#include "common/win32/win32_files.h"
#include "options/options_store.h"
#include "tests/driver/driver.h"

namespace lirabo {
namespace {

TEST(OptionsSharing, AHoldElsewhereRefusesTheProbeAndTheRewriteButNotReadersARewriteKeepsReadersOut) {
  test::Installation install{"sharing"};
  install.Write("options.ini", test::OptionsText({1, -1, 0, 0, 0, 0, 0, 0, 0, 1}));
  const std::string path = install.Path("options.ini");
  Win32FilePort files;
  test::Process hold = test::HoldFileInOtherProcess(path, "r", "r");  // another dialog's hold
  ASSERT_TRUE(hold.IsRunning());
  ProbeOutcome probe = ProbeOptionsWritable(files, path);
  EXPECT_EQ(probe.result, ProbeResult::Refused);
  EXPECT_EQ(probe.error.code, 32u);
  EXPECT_TRUE(OpenOptionsForReading(files, path).ok());
  // The rewrite cannot replace a file that is held: it waits and retries on this.
  EXPECT_TRUE(WriteOptionsFile(files, path, OptionsRecord{}).IsLockedOrDenied());
  EXPECT_EQ(test::ReadFileBytes(path), test::OptionsText({1, -1, 0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_FALSE(test::FileExists(path + ".neu"));
  hold.Kill();
  EXPECT_EQ(ProbeOptionsWritable(files, path).result, ProbeResult::Writable);

  test::Process writer = test::HoldFileInOtherProcess(path, "w", "none");  // another dialog's rewrite
  ASSERT_TRUE(writer.IsRunning());
  auto read = OpenOptionsForReading(files, path);
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.error().IsLockedOrDenied());
}

}  // namespace
}  // namespace lirabo
