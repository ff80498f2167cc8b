#include "options/options_store.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kMaster = "C:\\Lirabo\\options.ini";

TEST(OptionsStore, ProbeIsRefusedWhileAnotherDialogHoldsTheFile) {
  fake::FakeFiles files;
  files.Put(kMaster, " 0 \r\n");
  auto hold = HoldOptionsFile(files, kMaster);
  ASSERT_TRUE(hold.ok());
  ProbeOutcome probe = ProbeOptionsWritable(files, kMaster);
  EXPECT_EQ(probe.result, ProbeResult::Refused);
  // A hold does not stop readers.
  EXPECT_TRUE(OpenOptionsForReading(files, kMaster).ok());
  // ...but a rewrite does.
  hold->reset();
  EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Writable);
}

TEST(OptionsStore, ProbeCreatesAMissingFileAndFailsOnAMissingFolder) {
  fake::FakeFiles files;
  files.AddDirectory("C:\\Lirabo");
  EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Writable);
  EXPECT_TRUE(files.Has(kMaster));
  EXPECT_EQ(files.Get(kMaster), "");
  ProbeOutcome missing = ProbeOptionsWritable(files, "C:\\Fehlt\\options.ini");
  EXPECT_EQ(missing.result, ProbeResult::Failed);
  EXPECT_EQ(missing.error.code, 3u);
  files.SetReadOnly(kMaster);
  EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Refused);
}

TEST(OptionsStore, RefreshAdoptsTheMasterOnlyWhenACommonValueDiffers) {
  const std::string user = "C:\\U\\Lirabo\\options.ini", marker = "C:\\U\\Lirabo\\options.bak";
  fake::FakeFiles files;
  files.Put(user, "mine");
  files.Put(marker, " 1 \r\n-1 \r\n");
  // Only blanks, line ends and a longer tail differ: not adopted.
  files.Put(kMaster, "1\n-1\n 0 \r\n");
  ASSERT_FALSE(RefreshOptionsCopy(files, "C:\\Lirabo", "C:\\U\\Lirabo"));
  EXPECT_EQ(files.Get(user), "mine");
  files.Put(kMaster, " 2 \r\n-1 \r\n");
  ASSERT_FALSE(RefreshOptionsCopy(files, "C:\\Lirabo", "C:\\U\\Lirabo"));
  EXPECT_EQ(files.Get(user), " 2 \r\n-1 \r\n");
  EXPECT_EQ(files.Get(marker), " 2 \r\n-1 \r\n");
}

TEST(OptionsStore, RewriteIsExclusiveAndInTheWritersFormat) {
  fake::FakeFiles files;
  files.AddDirectory("C:\\Lirabo");
  auto reader = OpenOptionsForReading(files, kMaster);
  EXPECT_FALSE(reader.ok());  // no file yet
  OptionsRecord r;
  r.Auflösung = -1;
  ASSERT_FALSE(WriteOptionsFile(files, kMaster, r));
  EXPECT_EQ(files.Get(kMaster), " 0 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n-1 \r\n 0 \r\n 0 \r\n 0 \r\n 0 \r\n");
  auto other = files.HoldByOther(kMaster, FileAccess::Read, FileShare::ReadWrite);
  EXPECT_EQ(WriteOptionsFile(files, kMaster, r).code, 32u);
}

}  // namespace
}  // namespace lirabo
