#include "menu/menu_flow.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

// One row per way the menu goes on or ends: the events in order, the step of the
// last, whether a new menu follows and whether the pupil's name survives.
TEST(MenuFlow, EachEventLeadsToItsStep) {
  enum Event { Ready, Refused, NotLoaded, EndButton, Launched, NotLaunched, Fatal, OptRefused, OptFailed,
               OptUnchanged, OptChanged };
  struct Case {
    std::vector<Event> events;
    bool fullScreen;
    MenuStep step;
    bool newMenu;
    bool pupilKept;
  };
  const Case cases[] = {
      {{Ready}, false, MenuStep::Wait, false, true},
      {{Refused}, false, MenuStep::CloseMenu, false, true},
      {{NotLoaded}, false, MenuStep::EndAtOnce, false, true},
      {{Ready, EndButton}, true, MenuStep::CloseMenu, false, true},
      {{Ready, Launched}, false, MenuStep::CloseMenu, false, true},
      {{Ready, Launched}, true, MenuStep::Wait, false, true},
      {{Ready, NotLaunched}, false, MenuStep::Wait, false, true},
      {{Ready, OptRefused}, false, MenuStep::ShowMenu, false, true},
      {{Ready, OptUnchanged}, false, MenuStep::ShowMenu, false, true},
      {{Ready, OptFailed}, false, MenuStep::CloseMenu, false, true},
      {{Ready, OptChanged}, false, MenuStep::ReloadMenu, true, false},
      {{Ready, OptChanged, Ready}, false, MenuStep::Wait, false, false},
      {{Ready, Fatal}, false, MenuStep::ExitRestoringDesktop, false, true},
      {{Ready, EndButton, Fatal}, false, MenuStep::ExitRestoringDesktop, false, true},
      {{Ready, Fatal, Fatal}, false, MenuStep::ExitNow, false, true},
      {{NotLoaded, Fatal}, false, MenuStep::ExitNow, false, true},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    const Case& c = cases[row];
    MenuState state;
    state.pupilName = "Anna";
    state.settings.fullScreen = c.fullScreen ? -1 : 0;
    MenuFlow flow(state);
    MenuStep step{};
    for (Event e : c.events) {
      switch (e) {
        case Ready: step = flow.AfterStartup(StartupResult::Ready); break;
        case Refused: step = flow.AfterStartup(StartupResult::Refused); break;
        case NotLoaded: step = flow.AfterStartup(StartupResult::SettingsNotLoaded); break;
        case EndButton: step = flow.AfterEndButton(); break;
        case Launched: step = flow.AfterLaunch(true); break;
        case NotLaunched: step = flow.AfterLaunch(false); break;
        case Fatal: step = flow.AfterFatalError(); break;
        case OptRefused: step = flow.AfterOptions(OptionsEnd::Refused); break;
        case OptFailed: step = flow.AfterOptions(OptionsEnd::Failed); break;
        case OptUnchanged: step = flow.AfterOptions(OptionsEnd::Unchanged); break;
        case OptChanged: step = flow.AfterOptions(OptionsEnd::Changed); break;
      }
    }
    EXPECT_EQ(step, c.step) << "row " << row;
    EXPECT_EQ(flow.NewMenuFollows(), c.newMenu) << "row " << row;
    EXPECT_EQ(state.pupilName, c.pupilKept ? "Anna" : "") << "row " << row;
  }
}

}  // namespace
}  // namespace lirabo
