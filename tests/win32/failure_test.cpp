// Failures nobody expected: a crash of the menu gives the desktop back, and a
// failure while a form loads reaches the code that loads it.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/text.h"
#include "common/win32/form.h"
#include "common/win32/wide.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

TEST(Failures, ACrashShowsItsDescriptionThenRestoresTheDisplayAndShowsTheTaskbar) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::string record = Narrow(temp) + "lirabo-crash.txt";
  RemoveTree(record);
  Process child = Process::Start(BinFolder() + "\\crash_child.exe", "\"" + record + "\"");
  ASSERT_TRUE(child.WaitForExit());
  EXPECT_EQ(child.ExitCode(), 1u);
  const std::vector<std::string> lines = SplitLines(ReadFileBytes(record));
  ASSERT_EQ(lines.size(), 4u) << ReadFileBytes(record);
  EXPECT_EQ(lines[0].rfind("Meldung: Das Programm wurde durch einen unerwarteten Fehler unterbrochen "
                           "(Ausnahme 0xC0000005",
                           0),
            0u)
      << lines[0];
  EXPECT_EQ(lines[1], "test 1024x768");
  EXPECT_EQ(lines[2], "restore 1024x768");
  EXPECT_EQ(lines[3], "taskbar shown");
  RemoveTree(record);
}

class FailingForm final : public Form {
 public:
  FailingForm() : Form("Failing") {}

 protected:
  FormSpec Spec() const override { return {"Failing", 1000, 1000}; }
  std::span<const ControlSpec> Controls() const override { return {}; }
  void OnLoad() override { throw std::runtime_error("Datei kaputt"); }
};

TEST(Failures, AFailureWhileAFormLoadsReachesTheCodeThatLoadsIt) {
  FailingForm form;
  EXPECT_THROW(form.Load(), std::runtime_error);
  form.Unload();
  EXPECT_FALSE(form.IsLoaded());
}

}  // namespace
}  // namespace lirabo::test
