// The menu's start-up, shutdown and flow against recording fakes.
#include <gtest/gtest.h>

#include "menu/menu_flow.h"
#include "options/options_format.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;
const std::string kMaster = fake::kApp + "\\options.ini", kUser = fake::kSettings + "\\options.ini";
const std::string kMarker = fake::kSettings + "\\options.bak";

struct Menu : fake::World {
  explicit Menu(const OptionsRecord& master) { files.Put(kMaster, FormatOptionsFile(master)); }
  StartupResult Start(const std::string& commandLine = "") { return RunMenuStartup(state, menu, commandLine); }
};

TEST(MenuStartup, TheUserCopyFollowsAChangedMasterButKeepsItsOwnChangesOtherwise) {
  Menu m({1});
  EXPECT_EQ(m.Start(), StartupResult::Ready);  // first start: both copies made
  EXPECT_EQ(m.files.Get(kUser) + m.files.Get(kMarker), m.files.Get(kMaster) + m.files.Get(kMaster));
  m.files.Put(kUser, " 2 \r\n-1 \r\n");
  m.files.Put(kMaster, "1\n 0 \r\n 0 \r\n");  // only blanks, line ends and a longer tail differ
  m.Start();
  EXPECT_EQ(m.state.settings.speechOutput, -1);
  m.files.Put(kMaster, " 3 \r\n");
  m.Start();
  EXPECT_EQ(m.state.settings.colourDepth, 3);
  EXPECT_EQ(m.files.Get(kUser) + m.files.Get(kMarker), " 3 \r\n 3 \r\n");
  // A user copy without its marker (a first start whose second copy failed) adopts the master.
  m.files.Put(kUser, " 2 \r\n");
  m.files.RemoveFile(kMarker);
  EXPECT_EQ(m.Start(), StartupResult::Ready);
  EXPECT_EQ(m.state.settings.colourDepth, 3);
  EXPECT_EQ(m.files.Get(kMarker), " 3 \r\n");
  EXPECT_TRUE(m.messages.shown.empty());
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
  const struct {
    OptionsRecord master;
    int test;
    std::string line, pupil, calls;
  } rows[] = {
      {{0, 0, -1}, 0, "", "", "bg -taskbar -bg +taskbar "},
      {{0, 0, 0, -1, -1}, 0, "", "", "minbox +taskbar "},  // line 4 is no background
      {{0, 0, -1, 0, -1}, 0, "", "", "bg -bg +taskbar "},
      {named, 0, "/n=\"Anna", "", "minbox names +taskbar "},
      {named, 0, "x /n=\"Anna Lena\" /n=\"Ben\"", "Anna Lena", "minbox +taskbar "},
      {named, 0, "/N=\"Anna\"", "", "minbox names +taskbar "},
      {named, 0, "/n=\"CON\"", "", "minbox names +taskbar "},
      {fullScreen, 0, "", "", "test640 switch640 bg640 -taskbar -bg test1024 restore1024 +taskbar "},
      {fullScreen, kDispChangeRestart, "", "", "test640 bg -taskbar -bg test1024 +taskbar "},
  };
  for (const auto& row : rows) {
    Menu m(row.master);
    m.system.nt6 = row.master.coverDesktop != 0;
    m.desktop.testAnswer = row.test;
    m.Start(row.line);
    const bool top = row.master.coverDesktop && !row.master.taskbarVisible;
    EXPECT_EQ(m.state.helpFile,
              std::string("C:\\Lirabo\\LiraboHilfe") + (top ? "_Top" : "") + (m.system.nt6 ? ".chm" : ".hlp"));
    RunMenuShutdown(m.state, m.menu);
    EXPECT_EQ(m.state.pupilName + m.desktop.calls, row.pupil + row.calls) << row.line;
    EXPECT_EQ(m.messages.shown.size(), row.test ? 2u : 0u);
    for (const auto& shown : m.messages.shown) EXPECT_EQ(shown.title, "Neue Bildschirmeinstellung");
  }
}

TEST(MenuStartup, ASecondInstanceOrARunningVarkonUnloadsBeforeTouchingAnything) {
  Menu m({});
  m.system.previousInstance = true;
  EXPECT_EQ(m.Start(), StartupResult::Refused);
  EXPECT_EQ(m.desktop.caption, "-<[Zweite Instanz]>-");
  EXPECT_EQ(m.system.activated, Texts{"JW Lirabo ;   <F6> für Lehrermenü"});
  Menu v({});
  v.system.running = "OLDVARKON.EXE";
  EXPECT_EQ(v.Start(), StartupResult::Refused);
  EXPECT_EQ(v.messages.Take(), Texts{"Während der Varkon läuft, kann der Schnellstarter nicht verwendet werden! "
                                     "Außerdem sollten währenddessen keine weiteren JW Lernprogramme von Hand "
                                     "gestartet werden, da dies die Funktion des Varkons stört!"});
  for (Menu* unloaded : {&m, &v}) EXPECT_TRUE(unloaded->files.calls == 0 && unloaded->desktop.calls.empty());
  Menu u({0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  u.Start("x /n=\"UnBekannt\" y");
  EXPECT_EQ(u.desktop.greeting, "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_TRUE(u.files.FileExists(fake::kSettings + "\\Protokoll_2\\UnBekannt.txt"));
}

// The ways on and out that the walks cannot stage; after a failure the desktop is restored
// once, and not at all before the settings were loaded.
TEST(MenuFlow, EachEventLeadsToItsStep) {
  MenuState state;
  state.pupilName = "Anna";
  EXPECT_EQ(MenuFlow(state).AfterStartup(StartupResult::Refused), MenuStep::CloseMenu);
  MenuFlow notLoaded(state);
  EXPECT_EQ(notLoaded.AfterStartup(StartupResult::SettingsNotLoaded), MenuStep::EndAtOnce);
  EXPECT_EQ(notLoaded.AfterFatalError(), MenuStep::ExitNow);
  MenuFlow flow(state);
  EXPECT_EQ(flow.AfterStartup(StartupResult::Ready), MenuStep::Wait);
  EXPECT_EQ(flow.AfterOptions(OptionsEnd::Refused), MenuStep::ShowMenu);
  EXPECT_EQ(flow.AfterOptions(OptionsEnd::Failed), MenuStep::CloseMenu);
  EXPECT_EQ(state.pupilName, "Anna");
  EXPECT_EQ(flow.AfterOptions(OptionsEnd::Changed), MenuStep::ReloadMenu);
  EXPECT_TRUE(flow.NewMenuFollows() && state.pupilName.empty());
  EXPECT_EQ(flow.AfterStartup(StartupResult::Ready), MenuStep::Wait);
  EXPECT_FALSE(flow.NewMenuFollows());
  EXPECT_EQ(flow.AfterEndButton(), MenuStep::CloseMenu);
  EXPECT_EQ(flow.AfterFatalError(), MenuStep::ExitRestoringDesktop);
  EXPECT_EQ(flow.AfterFatalError(), MenuStep::ExitNow);
}

}  // namespace
}  // namespace lirabo
