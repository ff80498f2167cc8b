#include "menu/exercise_launcher.h"

#include <gtest/gtest.h>

#include "menu/menu_texts.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

TEST(ExerciseLauncher, CommandLineCarriesFolderAndNameOnlyWithNamesInUse) {
  MenuState state;
  state.settingsFolder = "C:\\Users\\Lehrer Eins\\AppData\\Roaming\\DE Zuzururu\\Lirabo";
  state.pupilName = "Anna";
  EXPECT_EQ(BuildExerciseCommandLine("tesra.exe Q", state), "tesra.exe Q");
  state.settings.ProtSave = 1;
  EXPECT_EQ(BuildExerciseCommandLine("Kamu1.exe Q", state),
            "Kamu1.exe Q /p=\"C:\\Users\\Lehrer Eins\\AppData\\Roaming\\DE Zuzururu\\Lirabo\" /n=\"Anna\"");
  state.pupilName = "";
  EXPECT_EQ(BuildExerciseCommandLine("Drusa.exe Q", state),
            "Drusa.exe Q /p=\"C:\\Users\\Lehrer Eins\\AppData\\Roaming\\DE Zuzururu\\Lirabo\" /n=\"\"");
}

TEST(ExerciseLauncher, StartsWithoutWaitingAndReportsAMissingProgram) {
  fake::FakeSystem system;
  fake::FakeMessages messages;
  MenuState state;
  EXPECT_TRUE(LaunchExercise(system, messages, state, "Orvin.exe Q"));
  EXPECT_EQ(system.started, std::vector<std::string>{"Orvin.exe Q"});
  EXPECT_TRUE(messages.shown.empty());
  system.startSucceeds = false;
  EXPECT_FALSE(LaunchExercise(system, messages, state, "Orvin.exe Q"));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Die Programmdatei wurde nicht gefunden. Sie muss im gleichen Verzeichnis wie dieses Programm sein. "
            "Starten Sie das Programm von Hand, oder versuchen Sie es nochmal nach einer Neuinstallation!"});
}

}  // namespace
}  // namespace lirabo
