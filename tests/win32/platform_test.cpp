// What only the real system shows: bcrypt, share modes between processes, the
// process list, and the menu's failure handlers in a process that really crashes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/text.h"
#include "common/win32/form.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "options/options_store.h"
#include "teacher_pin/win32/bcrypt_crypto.h"
#include "tests/driver/driver.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

// Another program's open handle; share modes hold per handle, in one process as across two.
UniqueHandle Hold(const std::string& path, DWORD access, DWORD share) {
  HANDLE file = CreateFileW(Widen(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

TEST(Platform, BcryptGivesTheRfc7914VectorAndFreshRandomBytes) {
  Win32CryptoPort crypto;
  auto key = crypto.DerivePbkdf2Sha256("passwd", "salt", 1, 64);
  ASSERT_TRUE(key) << key.error().description;
  EXPECT_EQ(*key, std::string("\x55\xac\x04\x6e\x56\xe3\x08\x9f\xec\x16\x91\xc2\x25\x44\xb6\x05"
                              "\xf9\x41\x85\x21\x6d\xde\x04\x65\xe6\x8b\x9d\x57\xc2\x0d\xac\xbc"
                              "\x49\xca\x9c\xcc\xf1\x79\xb6\x45\x99\x16\x64\xb3\x9d\x77\xef\x31"
                              "\x7c\x71\xb8\x45\xb1\xe3\x0b\xd5\x09\x11\x20\x41\xd3\xa1\x97\x83",
                              64));
  auto first = crypto.RandomBytes(16);
  auto second = crypto.RandomBytes(16);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->size(), 16u);
  EXPECT_NE(*first, *second);
}

TEST(Platform, TheOptionsFileAndTheWordListAgainstAnotherProgram) {
  Installation install{"sharing"};
  const std::string options = install.Path("options.ini");
  install.Write("options.ini", OptionsText({1, -1}));
  Win32FilePort files;
  UniqueHandle dialog = Hold(options, GENERIC_READ, FILE_SHARE_READ);  // another dialog's hold
  ASSERT_TRUE(dialog);
  ProbeOutcome probe = ProbeOptionsWritable(files, options);
  EXPECT_EQ(probe.result, ProbeResult::Refused);
  EXPECT_EQ(probe.error.code, 32u);
  EXPECT_TRUE(OpenOptionsForReading(files, options).ok());
  EXPECT_TRUE(WriteOptionsFile(files, options, OptionsRecord{}).IsLockedOrDenied());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({1, -1}));
  EXPECT_FALSE(install.Has("options.ini.neu"));
  dialog.reset();
  EXPECT_EQ(ProbeOptionsWritable(files, options).result, ProbeResult::Writable);
  UniqueHandle writer = Hold(options, GENERIC_WRITE, 0);  // another dialog's rewrite
  auto read = OpenOptionsForReading(files, options);
  ASSERT_FALSE(read.ok());
  EXPECT_TRUE(read.error().IsLockedOrDenied());

  // The word list: busy after about three seconds even for a mere reader elsewhere,
  // and while open, nobody else gets in, not even to read.
  install.Write("wortlst.jw1", std::string(160, 'w'));
  Win32SystemPort system(L"LiraboWordListTest");
  WordListFile list(files, system, install.Path("wortlst.jw1"));
  UniqueHandle reader = Hold(install.Path("wortlst.jw1"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);
  reader.reset();
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  EXPECT_FALSE(Hold(install.Path("wortlst.jw1"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

TEST(Platform, TheProcessProbeMatchesAnyPartOfTheNameInAnyCase) {
  Installation install("probe");
  install.AddProgram("placeholder.exe", "OldVarkon.exe");
  EXPECT_FALSE(IsProcessRunning("Varkon.exe"));
  Process varkon = Process::Start(install.Path("OldVarkon.exe"));
  EXPECT_TRUE(IsProcessRunning("VARKON.EXE"));
  EXPECT_FALSE(IsProcessRunning("Varkon2.exe"));
}

TEST(Platform, ACrashShowsItsDescriptionThenRestoresTheDisplayAndShowsTheTaskbar) {
  Installation folder("crash");
  Process child = Process::Start(BinFolder() + "\\crash_child.exe", "\"" + folder.Path("record.txt") + "\"");
  ASSERT_TRUE(child.WaitForExit());
  EXPECT_EQ(child.ExitCode(), 1u);
  const std::vector<std::string> lines = SplitLines(folder.Read("record.txt"));
  ASSERT_EQ(lines.size(), 4u) << folder.Read("record.txt");
  EXPECT_EQ(lines[0].rfind("Das Programm wurde durch einen unerwarteten Fehler unterbrochen (Ausnahme 0xC0000005", 0),
            0u);
  EXPECT_EQ(lines[1], "test 1024x768");
  EXPECT_EQ(lines[2], "restore 1024x768");
  EXPECT_EQ(lines[3], "taskbar shown");
}

class FailingForm final : public Form {
 protected:
  FormSpec Spec() const override { return {"Failing", 1000, 1000}; }
  std::span<const ControlSpec> Controls() const override { return {}; }
  void OnLoad() override { throw std::runtime_error("Datei kaputt"); }
};

TEST(Platform, AFailureWhileAFormLoadsReachesTheCodeThatLoadsIt) {
  FailingForm form;
  EXPECT_THROW(form.Load(), std::runtime_error);
  form.Unload();
  EXPECT_FALSE(form.IsLoaded());
}

}  // namespace
}  // namespace lirabo::test
