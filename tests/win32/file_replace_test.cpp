// A rewrite keeps what the administrator set on the file itself, and respects its write protection.
#include <gtest/gtest.h>

#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "tests/driver/driver.h"

namespace lirabo {
namespace {

// Wine keeps no DACLs (it makes one up from the Unix mode), so only the attributes show here.
TEST(FileReplace, ARewriteKeepsTheFilesAttributesAndRespectsWriteProtection) {
  test::Installation install{"replace"};
  const std::wstring path = Widen(install.Path("options.ini"));
  install.Write("options.ini", "alt");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  Win32FilePort files;
  ASSERT_FALSE(files.ReplaceContents(install.Path("options.ini"), "neu"));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(files.ReplaceContents(install.Path("options.ini"), "neuer").code,
            static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  ASSERT_FALSE(files.ReplaceContents(install.Path("options.ini"), "neuer", ReadOnlyFile::Heal));
  EXPECT_EQ(install.Read("options.ini"), "neuer");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_FALSE(install.Has("options.ini.neu"));
}

}  // namespace
}  // namespace lirabo
