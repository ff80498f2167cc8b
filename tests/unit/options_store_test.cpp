#include "options/options_store.h"

#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kMaster = "C:\\Lirabo\\options.ini";

TEST(OptionsStore, AHoldRefusesTheProbeButNotReadersAndTheRewriteShutsReadersOut) {
  fake::FakeFiles files;
  files.Put(kMaster, " 0 \r\n");
  {
    auto hold = HoldOptionsFile(files, kMaster);
    ASSERT_TRUE(hold.ok());
    EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Refused);
    EXPECT_TRUE(OpenOptionsForReading(files, kMaster).ok());
  }
  EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Writable);
  // The rewrite shares nothing, so even a reader that shares everything keeps it out.
  auto reader = files.HoldByOther(kMaster, FileAccess::Read, FileShare::ReadWrite);
  EXPECT_EQ(WriteOptionsFile(files, kMaster, OptionsRecord{}).code, 32u);
  EXPECT_EQ(files.Get(kMaster), " 0 \r\n");
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

}  // namespace
}  // namespace lirabo
