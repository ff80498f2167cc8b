// A rewrite keeps what the administrator set on the file itself.
#include <windows.h>
// sddl.h needs windows.h before it.
#include <gtest/gtest.h>
#include <sddl.h>

#include <vector>

#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "tests/driver/driver.h"

namespace lirabo {
namespace {

std::string Dacl(const std::string& path) {
  const std::wstring wide = Widen(path);
  DWORD size = 0;
  GetFileSecurityW(wide.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &size);
  std::vector<BYTE> sd(size);
  if (!size || !GetFileSecurityW(wide.c_str(), DACL_SECURITY_INFORMATION, sd.data(), size, &size))
    return "?";
  wchar_t* text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorW(sd.data(), SDDL_REVISION_1, DACL_SECURITY_INFORMATION,
                                                            &text, nullptr))
    return "?";
  std::string result = Narrow(text);
  LocalFree(text);
  return result;
}

TEST(FileReplace, ARewriteKeepsTheFilesOwnPermissionsAndAttributesAndRespectsWriteProtection) {
  test::Installation install{"replace"};
  const std::string path = install.Path("options.ini");
  const std::wstring wide = Widen(path);
  install.Write("options.ini", "alt");
  PSECURITY_DESCRIPTOR sd = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;;FA;;;WD)(A;;FR;;;BU)", SDDL_REVISION_1, &sd,
                                                                   nullptr));
  ASSERT_TRUE(SetFileSecurityW(wide.c_str(), DACL_SECURITY_INFORMATION, sd));
  LocalFree(sd);
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN));
  // Wine keeps no DACL: it makes one up from the Unix mode, so only Windows can show this half.
  const bool keepsDacls = Dacl(path) == "D:P(A;;FA;;;WD)(A;;FR;;;BU)";
  Win32FilePort files;
  ASSERT_FALSE(files.ReplaceContents(path, "neu"));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  if (keepsDacls) {
    EXPECT_EQ(Dacl(path), "D:P(A;;FA;;;WD)(A;;FR;;;BU)");
  }
  EXPECT_EQ(GetFileAttributesW(wide.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));

  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(files.ReplaceContents(path, "neuer").code, static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  ASSERT_FALSE(files.ReplaceContents(path, "neuer", ReadOnlyFile::Heal));
  EXPECT_EQ(install.Read("options.ini"), "neuer");
  EXPECT_EQ(GetFileAttributesW(wide.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_FALSE(install.Has("options.ini.neu"));
}

}  // namespace
}  // namespace lirabo
