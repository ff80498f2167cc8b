// The menu's start-up and shutdown against recording fakes, and the F6 PIN gate.
#include <gtest/gtest.h>

#include "teacher_pin/teacher_pin.h"
#include "menu/menu_startup.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "options/options_format.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;
using namespace std::chrono_literals;
const std::string kMaster = "C:\\Lirabo\\options.ini";
const std::string kSettings = "C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo";
const std::string kUser = kSettings + "\\options.ini", kMarker = kSettings + "\\options.bak";

struct Menu {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  fake::FakeDesktop desktop;
  MenuState state;
  MenuPorts ports{{files, system, messages}, desktop, desktop};
  explicit Menu(const OptionsRecord& master) {
    files.AddDirectory("C:\\Users\\Lehrer\\AppData\\Roaming");
    files.Put(kMaster, FormatOptionsFile(master));
  }
  StartupResult Start(const std::string& commandLine = "") {
    return RunMenuStartup(state, ports, commandLine);
  }
};

TEST(MenuStartup, TheUserCopyFollowsAChangedMasterButKeepsItsOwnChangesOtherwise) {
  Menu m({1});
  EXPECT_EQ(m.Start(), StartupResult::Ready);  // first start: both copies made
  EXPECT_EQ(m.system.specialFolderCalls, std::vector<int>{26 | 0x8000});
  EXPECT_EQ(m.files.Get(kUser), m.files.Get(kMaster));
  EXPECT_EQ(m.files.Get(kMarker), m.files.Get(kMaster));
  m.files.Put(kUser, " 2 \r\n-1 \r\n");
  m.Start();
  EXPECT_EQ(m.state.settings.colourDepth, 2);
  EXPECT_EQ(m.state.settings.speechOutput, -1);
  m.files.Put(kMaster, " 3 \r\n");
  m.Start();
  EXPECT_EQ(m.state.settings.colourDepth, 3);
  EXPECT_EQ(m.files.Get(kUser), " 3 \r\n");
  EXPECT_EQ(m.files.Get(kMarker), " 3 \r\n");
  // A user copy without its marker (a first start whose second copy failed) adopts the master.
  m.files.Put(kUser, " 2 \r\n");
  m.files.RemoveFile(kMarker);
  EXPECT_EQ(m.Start(), StartupResult::Ready);
  EXPECT_EQ(m.state.settings.colourDepth, 3);
  EXPECT_EQ(m.files.Get(kMarker), " 3 \r\n");
  EXPECT_TRUE(m.messages.shown.empty());
}

TEST(MenuStartup, ALockedUserCopyIsTriedFourTimesAMissingMasterEndsAtOnce) {
  Menu m({});
  m.Start();
  auto held = m.files.HoldByOther(kUser, FileAccess::Write, FileShare::None);
  m.desktop.calls.clear();
  EXPECT_EQ(m.Start(), StartupResult::SettingsNotLoaded);
  EXPECT_EQ(m.system.sleeps, fake::kRetryWaits);
  EXPECT_EQ(m.messages.Take(), Texts{"Ich konnte die Programmeinstellungen nicht laden. Eventuell werden diese "
                                     "momentan geändert. Versuchen Sie, das Programm zu einem späteren Zeipunkt "
                                     "noch einmal zu starten."});
  held.reset();
  m.files.RemoveFile(kMaster);
  EXPECT_EQ(m.Start(), StartupResult::SettingsNotLoaded);
  EXPECT_EQ(m.messages.Take(), Texts{"Systemfehler 2"});
  EXPECT_TRUE(m.desktop.calls.empty());
}

TEST(MenuStartup, DesktopHelpAndPupilFollowTheSettingsAndTheCommandLine) {
  const struct {
    OptionsRecord master;
    int test;
    std::string line, pupil;
    Texts calls;
  } rows[] = {
      {{0, 0, -1}, 0, "", "", {"background", "taskbar hidden", "background unloaded", "taskbar shown"}},
      {{0, 0, 0, -1, -1}, 0, "", "", {"minimize box", "taskbar shown"}},  // line 4 is no background
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0, "/n=\"Anna", "", {"minimize box", "name entry", "taskbar shown"}},
      {{0, 0, -1, -1, 0, -1},
       0,
       "",
       "",
       {"test 640x480", "switch 640x480", "background at 640", "taskbar hidden", "background unloaded", "test 1024x768",
        "restore 1024x768", "taskbar shown"}},
      {{0, 0, -1, -1, 0, -1},
       kDispChangeRestart,
       "",
       "",
       {"test 640x480", "background", "taskbar hidden", "background unloaded", "test 1024x768", "taskbar shown"}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
       0,
       "x /n=\"Anna Lena\" /n=\"Ben\"",
       "Anna Lena",
       {"minimize box", "taskbar shown"}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0, "/N=\"Anna\"", "", {"minimize box", "name entry", "taskbar shown"}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0, "/n=\"..\\x\"", "", {"minimize box", "name entry", "taskbar shown"}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, 0, "/n=\"CON\"", "", {"minimize box", "name entry", "taskbar shown"}},
      {{0, 0, 0, 0, 0, 0, 0, 0, 0, 1},
       0,
       "/n=\"" + std::string(5000, 'x') + "\"",
       "",
       {"minimize box", "name entry", "taskbar shown"}},
  };
  for (const auto& row : rows) {
    Menu m(row.master);
    m.system.nt6 = row.master.coverDesktop != 0;
    m.desktop.testAnswer = row.test;
    m.Start(row.line);
    EXPECT_EQ(m.state.pupilName, row.pupil) << row.line.substr(0, 20);
    EXPECT_EQ(m.state.helpFile, m.system.nt6 ? "C:\\Lirabo\\LiraboHilfe_Top.chm" : "C:\\Lirabo\\LiraboHilfe.hlp");
    EXPECT_EQ(m.files.ListFiles(kSettings + "\\Protokoll_2", ".txt").ok(), !row.pupil.empty());
    EXPECT_EQ(m.state.display.displaySwitchMark, row.master.fullScreen ? 11 : 0);
    RunMenuShutdown(m.state, m.ports);
    EXPECT_EQ(m.desktop.calls, row.calls) << row.line.substr(0, 20);
    EXPECT_EQ(m.messages.shown.size(), row.test == kDispChangeRestart ? 2u : 0u);
    EXPECT_EQ(m.messages.shown.empty() ? "" : m.messages.shown[0].title, row.test ? "Neue Bildschirmeinstellung" : "");
  }
}

TEST(MenuStartup, ASecondInstanceOrARunningVarkonUnloadsBeforeTouchingAnything) {
  Menu m({});
  m.system.previousInstance = true;
  EXPECT_EQ(m.Start(), StartupResult::Refused);
  EXPECT_EQ(m.desktop.caption, "-<[Zweite Instanz]>-");
  EXPECT_EQ(m.system.activated, Texts{"JW Lirabo ;   <F6> für Lehrermenü"});
  Menu v({});
  v.system.runningProcesses = {"OLDVARKON.EXE"};
  EXPECT_EQ(v.Start(), StartupResult::Refused);
  EXPECT_EQ(v.messages.Take(), Texts{"Während der Varkon läuft, kann der Schnellstarter nicht verwendet werden! "
                                     "Außerdem sollten währenddessen keine weiteren JW Lernprogramme von Hand "
                                     "gestartet werden, da dies die Funktion des Varkons stört!"});
  for (Menu* unloaded : {&m, &v}) {
    EXPECT_TRUE(unloaded->system.specialFolderCalls.empty());
    EXPECT_TRUE(unloaded->desktop.calls.empty());
  }
  Menu u({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  u.Start("x /n=\"UnBekannt\" y");
  EXPECT_EQ(u.desktop.greeting, "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(u.files.FileExists(kSettings + "\\Protokoll_2\\UnBekannt.txt"));
  EXPECT_TRUE(u.files.FileExists(kSettings + "\\Protokoll_2\\Namen.ini"));
}

TEST(PinGate, F6AsksForThePinReadAtEveryPressAndLocksForAMinuteAfterThreeWrongOnes) {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeCrypto crypto;
  fake::FakeClock clock;
  const std::string noSettings;  // the count stays in memory
  TeacherPinGate gate{files, system, crypto, clock, noSettings};
  const std::string path = "C:\\Lirabo\\lehrerpin.ini";
  files.AddDirectory("C:\\Lirabo");
  auto setPin = [&](const char* pin, std::uint32_t iterations) {
    files.Put(path, FormatPinFile(*MakePinRecord(crypto, pin, iterations)));
  };
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Toggle);
  setPin("4711", 100007);
  const int calls = files.calls;
  EXPECT_EQ(gate.OnF6(true), TeacherMenuKey::Toggle);  // a shown menu hides without asking
  EXPECT_EQ(files.calls, calls);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  crypto.derivations.clear();
  EXPECT_EQ(gate.Check("123"), PinAnswer::Wrong);  // no PIN: no key derived
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Right);
  EXPECT_EQ(crypto.derivations, (std::vector<std::pair<std::string, std::uint32_t>>{{"4711", 100007}}));
  setPin("9876", kMinPinIterations);
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("4711"), PinAnswer::Wrong);
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);  // "Abbrechen" and F6 again: the count goes on
  crypto.failure = fake::Error(1359);
  EXPECT_EQ(gate.Check("9876"), PinAnswer::Failed);  // reported, not counted
  EXPECT_EQ(gate.CheckError().description, "Systemfehler 1359");
  crypto.failure.reset();
  EXPECT_EQ(gate.Check("2222"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("1234567890123"), PinAnswer::LockedOut);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Ignore);
  clock.now += 59999ms;
  clock.wall += 59999ms;
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Ignore);
  clock.now += 1ms;
  clock.wall += 1ms;
  ASSERT_EQ(gate.OnF6(false), TeacherMenuKey::AskPin);
  EXPECT_EQ(gate.Check("1111"), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("9876"), PinAnswer::Right);  // a right PIN starts the count again
  for (const char* wrong : {"1111", "2222"})
    EXPECT_EQ(gate.Check(wrong), PinAnswer::Wrong);
  EXPECT_EQ(gate.Check("3333"), PinAnswer::LockedOut);
  files.RemoveFile(path);  // applies at once, even during a lock-out
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Toggle);
  files.Put(path, "1234\r\n");
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Damaged);
  setPin("4711", kMinPinIterations);
  auto writer = files.HoldByOther(path, FileAccess::ReadWrite, FileShare::None);
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate.ReadError().code, win_error::kSharingViolation);
  EXPECT_EQ(system.sleeps, fake::kRetryWaits);
  writer.reset();
  files.Put(path, FormatPinFile(*MakePinRecord(crypto, "4711", kMinPinIterations)) + std::string(400, ' '));
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Damaged);  // too large to be read at all
  // A copy of the program elsewhere finds the PIN of the installed folder.
  files.AddDirectory("C:\\Kopie");
  system.applicationPath = "C:\\Kopie";
  TeacherPinGate copy{files, system, crypto, clock, noSettings, "C:\\LIRABO\\"};
  EXPECT_EQ(copy.OnF6(false), TeacherMenuKey::Damaged);
  EXPECT_EQ(TeacherPinGate(files, system, crypto, clock, noSettings).OnF6(false), TeacherMenuKey::Toggle);
  // A program folder that is gone (a dropped share) is no "no PIN".
  system.applicationPath = "N:\\Lirabo";
  EXPECT_EQ(gate.OnF6(false), TeacherMenuKey::Unreadable);
  EXPECT_EQ(gate.ReadError().code, win_error::kPathNotFound);
}

}  // namespace
}  // namespace lirabo
