#include "menu/menu_startup.h"

#include <gtest/gtest.h>

#include "menu/menu_texts.h"
#include "options/options_format.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::FakeDesktop;
using fake::FakeWindows;

const std::string kApp = "C:\\Lirabo";
const std::string kSettings = "C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo";

struct Menu {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  FakeDesktop desktop;
  FakeWindows windows;
  MenuState state;
  MenuPorts ports{{files, system, messages}, desktop, windows};

  Menu() {
    files.AddDirectory("C:\\Users\\Lehrer\\AppData\\Roaming");
    windows.log = &desktop.calls;
  }
  void Master(const std::vector<int>& values) {
    std::string text;
    for (int v : values) text += (v >= 0 ? " " : "") + std::to_string(v) + " \r\n";
    files.Put(kApp + "\\options.ini", text);
  }
  StartupResult Start(const std::string& commandLine = "") { return RunMenuStartup(state, ports, commandLine); }
};

TEST(MenuStartup, AChangedMasterReplacesUserCopyAndMarkerButAnOwnChangeSurvivesOtherwise) {
  Menu m;
  m.Master({1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  m.files.Put(kSettings + "\\options.bak", m.files.Get(kApp + "\\options.ini"));
  m.files.Put(kSettings + "\\options.ini", " 2 \r\n-1 \r\n");
  m.Start();
  EXPECT_EQ(m.state.settings.Farbtiefe, 2);  // own change kept: master unchanged
  EXPECT_EQ(m.state.settings.Sprachausgabe, -1);

  Menu n;
  n.Master({1, -1, 0, 0, 0, 0, 0, 0, 0, 0});
  n.files.Put(kSettings + "\\options.bak", " 1 \r\n 0 \r\n");
  n.files.Put(kSettings + "\\options.ini", " 2 \r\n");
  n.Start();
  EXPECT_EQ(n.files.Get(kSettings + "\\options.ini"), n.files.Get(kApp + "\\options.ini"));
  EXPECT_EQ(n.files.Get(kSettings + "\\options.bak"), n.files.Get(kApp + "\\options.ini"));
  EXPECT_EQ(n.state.settings.Farbtiefe, 1);
}

TEST(MenuStartup, ALockedUserCopyIsTriedFourTimesThenReported) {
  Menu m;
  m.Master({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  m.files.Put(kSettings + "\\options.ini", m.files.Get(kApp + "\\options.ini"));
  m.files.Put(kSettings + "\\options.bak", m.files.Get(kApp + "\\options.ini"));
  auto held = m.files.HoldByOther(kSettings + "\\options.ini", FileAccess::Write, FileShare::None);
  EXPECT_EQ(m.Start(), StartupResult::SettingsNotLoaded);
  EXPECT_EQ(m.system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  EXPECT_EQ(m.files.OpenCalls(kSettings + "\\options.ini"), 4);
  EXPECT_EQ(m.messages.Texts(), std::vector<std::string>{"Ich konnte die Programmeinstellungen nicht laden. Eventuell werden diese momentan geändert. "
            "Versuchen Sie, das Programm zu einem späteren Zeipunkt noch einmal zu starten."});
  // Nothing of the desktop was touched.
  EXPECT_TRUE(m.desktop.calls.empty());
}

TEST(MenuStartup, AMissingMasterEndsWithTheSystemsDescriptionAMissingMarkerAdoptsTheMaster) {
  Menu m;  // no master at all
  EXPECT_EQ(m.Start(), StartupResult::SettingsNotLoaded);
  ASSERT_EQ(m.messages.shown.size(), 1u);
  EXPECT_EQ(m.messages.shown[0].text, fake::Error(win_error::kFileNotFound).description);
  EXPECT_TRUE(m.system.sleeps.empty());

  // A user copy without its marker (a first start whose second copy failed): the
  // master is taken over and the menu starts, this time and every time after.
  Menu n;
  n.Master({1, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  n.files.Put(kSettings + "\\options.ini", " 2 \r\n");
  EXPECT_EQ(n.Start(), StartupResult::Ready);
  EXPECT_TRUE(n.messages.shown.empty());
  EXPECT_EQ(n.state.settings.Farbtiefe, 1);
  EXPECT_EQ(n.files.Get(kSettings + "\\options.bak"), n.files.Get(kApp + "\\options.ini"));
  EXPECT_EQ(n.files.Get(kSettings + "\\options.ini"), n.files.Get(kApp + "\\options.ini"));
}

TEST(MenuStartup, BackgroundFollowsLineThreeNotLineFour) {
  Menu m;
  m.Master({0, 0, -1, 0, 0, 0, 0, 0, 0, 0});
  m.Start();
  EXPECT_EQ(m.state.settings.HGrundCopy, -1);
  EXPECT_TRUE(m.windows.background);
  EXPECT_FALSE(m.windows.minimizeBox);
  EXPECT_EQ(m.desktop.calls, (std::vector<std::string>{"background shown", "taskbar hidden"}));
  EXPECT_EQ(m.state.helpFile, kApp + "\\LiraboHilfe_Top.chm");

  Menu n;
  n.Master({0, 0, 0, -1, -1, 0, 0, 0, 0, 0});
  n.system.nt6 = false;
  n.Start();
  EXPECT_FALSE(n.windows.background);
  EXPECT_TRUE(n.windows.minimizeBox);
  EXPECT_EQ(n.state.helpFile, kApp + "\\LiraboHilfe.hlp");
}

TEST(MenuStartup, FullScreenSwitchesTestFirstAndShutdownRestoresInOrder) {
  Menu m;
  m.Master({0, 0, -1, -1, 0, -1, 0, 0, 0, 0});
  m.Start();
  EXPECT_EQ(m.state.display.displaySwitchMark, 11);
  EXPECT_EQ(m.state.display.recordedScreenSize, (PixelSize{1024, 768}));
  EXPECT_TRUE(m.windows.backgroundAtSwitchedDisplay);
  RunMenuShutdown(m.state, m.ports);
  EXPECT_EQ(m.desktop.calls,
            (std::vector<std::string>{"test 640x480", "switch 640x480", "background shown", "taskbar hidden",
                                      "background unloaded", "test 1024x768", "restore 1024x768",
                                      "taskbar shown"}));
  EXPECT_EQ(m.state.display.displaySwitchMark, 0);
}

TEST(MenuStartup, ARunningVarkonEndsBeforeAnyFolderIsAskedForAndAFirstStartCreatesTheFolders) {
  Menu m;
  m.Master({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  m.system.runningProcesses = {"OLDVARKON.EXE"};
  EXPECT_EQ(m.Start(), StartupResult::Refused);
  EXPECT_EQ(m.messages.Texts(),
            std::vector<std::string>{"Während der Varkon läuft, kann der Schnellstarter nicht verwendet werden! "
                                     "Außerdem sollten währenddessen keine weiteren JW Lernprogramme von Hand "
                                     "gestartet werden, da dies die Funktion des Varkons stört!"});
  EXPECT_TRUE(m.system.specialFolderCalls.empty());

  Menu n;
  n.Master({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(n.Start(), StartupResult::Ready);
  EXPECT_EQ(n.system.specialFolderCalls, std::vector<int>{26 | 0x8000});
  EXPECT_TRUE(n.files.DirectoryExists(kSettings));
  EXPECT_EQ(n.files.Get(kSettings + "\\options.bak"), n.files.Get(kApp + "\\options.ini"));
}

TEST(MenuStartup, ASecondInstanceRetitlesItselfActivatesTheFirstByItsCaptionAndUnloads) {
  Menu m;
  m.system.previousInstance = true;
  EXPECT_EQ(m.Start(), StartupResult::Refused);
  EXPECT_EQ(m.windows.caption, "-<[Zweite Instanz]>-");
  EXPECT_EQ(m.system.activated, std::vector<std::string>{"JW Lirabo ;   <F6> für Lehrermenü"});
  EXPECT_TRUE(m.desktop.calls.empty());
  EXPECT_TRUE(m.files.OpenCalls(kApp + "\\options.ini") == 0);
}

TEST(MenuStartup, AModeNeedingARestartIsNotSwitchedButTheMarkIsSetAnyway) {
  Menu m;
  m.desktop.testAnswer = kDispChangeRestart;
  m.Master({0, 0, -1, -1, 0, -1, 0, 0, 0, 0});
  m.Start();
  EXPECT_EQ(m.state.display.displaySwitchMark, 11);
  // Without a switch the background is placed as on an unswitched display.
  EXPECT_TRUE(m.windows.background);
  EXPECT_FALSE(m.windows.backgroundAtSwitchedDisplay);
  ASSERT_EQ(m.messages.shown.size(), 1u);
  EXPECT_EQ(m.messages.shown[0].title, "Neue Bildschirmeinstellung");
  EXPECT_EQ(m.messages.shown[0].buttons, MsgButtons::OkCancel);
  EXPECT_EQ(m.messages.shown[0].icon, MsgIcon::Information);
  EXPECT_EQ(m.desktop.calls, (std::vector<std::string>{"test 640x480", "background shown", "taskbar hidden"}));
  m.desktop.testAnswer = -1;  // refused otherwise: nothing, no message
  RunMenuShutdown(m.state, m.ports);
  EXPECT_EQ(m.messages.shown.size(), 1u);
  EXPECT_EQ(m.state.display.displaySwitchMark, 11);
}

TEST(MenuStartup, UnsafeOrMissingNamesOpenTheNameDialog) {
  // A shortcut with a mistake in it may carry a name of thousands of characters.
  const std::string tooLong = "/n=\"" + std::string(5000, 'x') + "\"";
  for (const std::string& line : std::vector<std::string>{"", "/N=\"Anna\"", "/n=\"Anna", "/n=\"..\\..\\x\"",
                                                         "/n=\"a/b\"", "/n=\"CON\"", "/n=\"COM¹\"", "/n=\"a:b\"",
                                                         "/n=\"\"", tooLong}) {
    Menu m;
    m.Master({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
    m.Start(line);
    EXPECT_EQ(m.state.pupilName, "") << line.substr(0, 20);
    EXPECT_EQ(m.windows.nameEntries, 1) << line.substr(0, 20);
    EXPECT_EQ(m.files.ListFiles(kSettings + "\\Protokoll_2", ".txt").ok() ? 1 : 0, 0) << line.substr(0, 20);
  }
}

TEST(MenuStartup, UnbekanntInAnyCaseIsGreetedWithoutNameButGetsItsLog) {
  Menu m;
  m.Master({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  m.Start("x /n=\"UnBekannt\" y");
  EXPECT_EQ(m.windows.greeting, "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(m.files.Has(kSettings + "\\Protokoll_2\\UnBekannt.txt"));
  // No delivered register: an empty one, without a message.
  EXPECT_TRUE(m.files.Has(kSettings + "\\Protokoll_2\\Namen.ini"));
  EXPECT_TRUE(m.messages.shown.empty());
}

TEST(MenuStartup, NameMarkerIsFoundCaseSensitivelyUpToTheNextQuote) {
  EXPECT_EQ(FindNameMarker("/p=\"C:\\x\" /n=\"Anna Lena\" /n=\"Ben\""), "Anna Lena");
  EXPECT_EQ(FindNameMarker("/n=\"\""), "");
  EXPECT_FALSE(FindNameMarker("/N=\"Anna\"").has_value());
  EXPECT_FALSE(FindNameMarker("/n=Anna").has_value());
  EXPECT_FALSE(FindNameMarker("/n=\"Anna").has_value());
}

}  // namespace
}  // namespace lirabo
