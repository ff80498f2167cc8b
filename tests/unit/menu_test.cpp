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
  const Texts asked = {"minimize box", "name entry", "taskbar shown"};
  const struct {
    OptionsRecord master;
    int test;
    std::string line, pupil;
    Texts calls;
  } rows[] = {
      {{0, 0, -1}, 0, "", "", {"background", "taskbar hidden", "background unloaded", "taskbar shown"}},
      {{0, 0, 0, -1, -1}, 0, "", "", {"minimize box", "taskbar shown"}},  // line 4 is no background
      {{0, 0, -1, 0, -1}, 0, "", "", {"background", "background unloaded", "taskbar shown"}},
      {named, 0, "/n=\"Anna", "", asked},
      {named, 0, "x /n=\"Anna Lena\" /n=\"Ben\"", "Anna Lena", {"minimize box", "taskbar shown"}},
      {named, 0, "/N=\"Anna\"", "", asked},
      {named, 0, "/n=\"CON\"", "", asked},
      {fullScreen,
       0,
       "",
       "",
       {"test 640", "switch 640", "background at 640", "taskbar hidden", "background unloaded", "test 1024",
        "restore 1024", "taskbar shown"}},
      {fullScreen,
       kDispChangeRestart,
       "",
       "",
       {"test 640", "background", "taskbar hidden", "background unloaded", "test 1024", "taskbar shown"}},
  };
  for (const auto& row : rows) {
    Menu m(row.master);
    m.system.nt6 = row.master.coverDesktop != 0;
    m.desktop.testAnswer = row.test;
    m.Start(row.line);
    EXPECT_EQ(m.state.pupilName, row.pupil) << row.line;
    const bool top = row.master.coverDesktop && !row.master.taskbarVisible;
    EXPECT_EQ(m.state.helpFile,
              std::string("C:\\Lirabo\\LiraboHilfe") + (top ? "_Top" : "") + (m.system.nt6 ? ".chm" : ".hlp"));
    EXPECT_EQ(m.files.FileExists(fake::kSettings + "\\Protokoll_2\\Namen.ini"), !row.pupil.empty());
    RunMenuShutdown(m.state, m.menu);
    EXPECT_EQ(m.desktop.calls, row.calls) << row.line;
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

// One row per way the menu goes on or ends: the events in order (s start-up ready, r refused,
// n settings not loaded, e end button, l launched, x launch failed, o options refused,
// u unchanged, f failed, c changed, ! a fatal error), the step of the last, whether a new
// menu follows and whether the pupil's name survives.
TEST(MenuFlow, EachEventLeadsToItsStep) {
  const struct {
    const char* events;
    bool fullScreen;
    MenuStep step;
    bool newMenu = false, pupilKept = true;
  } cases[] = {
      {"s", false, MenuStep::Wait},
      {"r", false, MenuStep::CloseMenu},
      {"se", true, MenuStep::CloseMenu},
      {"sl", false, MenuStep::CloseMenu},
      {"sl", true, MenuStep::Wait},
      {"sx", false, MenuStep::Wait},
      {"so", false, MenuStep::ShowMenu},
      {"su", false, MenuStep::ShowMenu},
      {"sf", false, MenuStep::CloseMenu},
      {"sc", false, MenuStep::ReloadMenu, true, false},
      {"scs", false, MenuStep::Wait, false, false},
      {"se!", false, MenuStep::ExitRestoringDesktop},
      {"s!!", false, MenuStep::ExitNow},
      {"n", false, MenuStep::EndAtOnce},
      {"n!", false, MenuStep::ExitNow},
  };
  for (const auto& row : cases) {
    MenuState state;
    state.pupilName = "Anna";
    state.settings.fullScreen = row.fullScreen ? -1 : 0;
    MenuFlow flow(state);
    MenuStep step{};
    for (const char* e = row.events; *e; ++e) {
      const std::map<char, std::function<MenuStep()>> events = {
          {'s', [&] { return flow.AfterStartup(StartupResult::Ready); }},
          {'r', [&] { return flow.AfterStartup(StartupResult::Refused); }},
          {'n', [&] { return flow.AfterStartup(StartupResult::SettingsNotLoaded); }},
          {'e', [&] { return flow.AfterEndButton(); }},
          {'l', [&] { return flow.AfterLaunch(true); }},
          {'x', [&] { return flow.AfterLaunch(false); }},
          {'o', [&] { return flow.AfterOptions(OptionsEnd::Refused); }},
          {'u', [&] { return flow.AfterOptions(OptionsEnd::Unchanged); }},
          {'f', [&] { return flow.AfterOptions(OptionsEnd::Failed); }},
          {'c', [&] { return flow.AfterOptions(OptionsEnd::Changed); }},
          {'!', [&] { return flow.AfterFatalError(); }}};
      step = events.at(*e)();
    }
    EXPECT_EQ(step, row.step) << row.events;
    EXPECT_EQ(flow.NewMenuFollows(), row.newMenu) << row.events;
    EXPECT_EQ(state.pupilName, row.pupilKept ? "Anna" : "") << row.events;
  }
}

}  // namespace
}  // namespace lirabo
