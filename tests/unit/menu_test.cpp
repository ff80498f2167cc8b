// The menu's start-up and shutdown against recording fakes.
#include <gtest/gtest.h>

#include "menu/menu_startup.h"
#include "options/options_format.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;
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
  const OptionsRecord named{0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, fullScreen{0, 0, -1, -1, 0, -1};
  const Texts asked = {"minimize box", "name entry", "taskbar shown"};
  const struct {
    OptionsRecord master;
    int test;
    std::string line, pupil;
    Texts calls;
  } rows[] = {
      {{0, 0, -1}, 0, "", "", {"background", "taskbar hidden", "background unloaded", "taskbar shown"}},
      {{0, 0, 0, -1, -1}, 0, "", "", {"minimize box", "taskbar shown"}},  // line 4 is no background
      {named, 0, "/n=\"Anna", "", asked},
      {named, 0, "x /n=\"Anna Lena\" /n=\"Ben\"", "Anna Lena", {"minimize box", "taskbar shown"}},
      {named, 0, "/N=\"Anna\"", "", asked},
      {named, 0, "/n=\"CON\"", "", asked},
      {fullScreen,
       0,
       "",
       "",
       {"test 640x480", "switch 640x480", "background at 640", "taskbar hidden", "background unloaded", "test 1024x768",
        "restore 1024x768", "taskbar shown"}},
      {fullScreen,
       kDispChangeRestart,
       "",
       "",
       {"test 640x480", "background", "taskbar hidden", "background unloaded", "test 1024x768", "taskbar shown"}},
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
    EXPECT_EQ(unloaded->files.calls, 0);
    EXPECT_TRUE(unloaded->desktop.calls.empty());
  }
  Menu u({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  u.Start("x /n=\"UnBekannt\" y");
  EXPECT_EQ(u.desktop.greeting, "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(u.files.FileExists(kSettings + "\\Protokoll_2\\UnBekannt.txt"));
  EXPECT_TRUE(u.files.FileExists(kSettings + "\\Protokoll_2\\Namen.ini"));
}

}  // namespace
}  // namespace lirabo
