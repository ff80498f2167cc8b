// The one staged write where the staged file cannot be made, and write protection.
#include <gtest/gtest.h>

#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

TEST(ReplaceContents, FallsBackInPlaceWithoutACreateRightAndRespectsWriteProtectionUnlessHealing) {
  const std::string folder = "C:\\Lirabo", path = folder + "\\options.ini";
  const std::string before = "alte Zeilen\r\n", after = "neu\r\n";
  struct Row {
    const char* what;
    bool noCreateRight, readOnly, failFlush;
    ReadOnlyFile mode;
    std::uint32_t code;
    const std::string& expected;
  } rows[] = {
      {"rewritten in place", true, false, false, ReadOnlyFile::Respect, 0, after},
      {"in place, failing flush: old bytes back", true, false, true, ReadOnlyFile::Respect, 112, before},
      {"write-protected master stays", false, true, false, ReadOnlyFile::Respect, 5, before},
      {"write-protected user copy heals", false, true, false, ReadOnlyFile::Heal, 0, after},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    fake::FakeFiles files;
    files.Put(path, before);
    if (row.noCreateRight)
      files.Deny(folder);
    if (row.readOnly)
      files.Deny(path);
    if (row.failFlush)
      files.FailCall(6, 112);  // the staged open, then open, read, write, truncate, flush in place
    EXPECT_EQ(files.ReplaceContents(path, after, row.mode).code, row.code);
    EXPECT_EQ(files.Get(path), row.expected);
    EXPECT_FALSE(files.FileExists(path + ".neu"));
  }
}

}  // namespace
}  // namespace lirabo
