// The word list against another process, on the real file system.
#include <windows.h>
#include <gtest/gtest.h>

#include <chrono>

#include "common/win32/system_services.h"
#include "common/win32/win32_files.h"
#include "tests/driver/driver.h"
#include "wordlist/word_list_file.h"

namespace lirabo {
namespace {

TEST(WordListWin32, TheOpenIsExclusiveBetweenProcessesAndBusyAfterAboutThreeSeconds) {
  test::Installation install("wordlist");
  const std::string path = install.Path("wortlst.jw1");
  install.Write("wortlst.jw1", std::string(160, 'w'));
  Win32FilePort files;
  Win32SystemPort system(L"LiraboWordListTest");
  WordListFile list(files, system, path);

  test::Process other = test::HoldFileInOtherProcess(path, "r", "rw");  // a mere reader
  ASSERT_TRUE(other.IsRunning());
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2900));
  other.Kill();

  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  ASSERT_TRUE(list.FindListEnd().ok());
  // While we hold it, nobody else gets in, not even to read.
  test::Process reader = test::HoldFileInOtherProcess(path, "r", "rw");
  EXPECT_TRUE(reader.WaitForExit());
  EXPECT_EQ(reader.ExitCode(), 2u);
  const WordEntry entry = {{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}};
  ASSERT_EQ(list.AppendWord(entry).status, AppendStatus::Written);
  list.Close();
  EXPECT_EQ(test::ReadFileBytes(path), std::string(160, 'w') + EncodeWordEntry(entry));
}

}  // namespace
}  // namespace lirabo
