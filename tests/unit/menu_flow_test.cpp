#include "menu/menu_flow.h"

#include <gtest/gtest.h>

#include <functional>

namespace lirabo {
namespace {

using Event = std::function<MenuStep(MenuFlow&)>;
const Event Ready = [](MenuFlow& f) { return f.AfterStartup(StartupResult::Ready); };
const Event EndButton = [](MenuFlow& f) { return f.AfterEndButton(); };
const Event Launched = [](MenuFlow& f) { return f.AfterLaunch(true); };
const Event Fatal = [](MenuFlow& f) { return f.AfterFatalError(); };
Event Started(StartupResult r) {
  return [r](MenuFlow& f) { return f.AfterStartup(r); };
}
Event Options(OptionsEnd end) {
  return [end](MenuFlow& f) { return f.AfterOptions(end); };
}

// One row per way the menu goes on or ends: the events in order, the step of the
// last, whether a new menu follows and whether the pupil's name survives.
TEST(MenuFlow, EachEventLeadsToItsStep) {
  const struct {
    std::vector<Event> events;
    bool fullScreen;
    MenuStep step;
    bool newMenu = false, pupilKept = true;
  } cases[] = {
      {{Ready}, false, MenuStep::Wait},
      {{Started(StartupResult::Refused)}, false, MenuStep::CloseMenu},
      {{Ready, EndButton}, true, MenuStep::CloseMenu},
      {{Ready, Launched}, false, MenuStep::CloseMenu},
      {{Ready, Launched}, true, MenuStep::Wait},
      {{Ready, [](MenuFlow& f) { return f.AfterLaunch(false); }}, false, MenuStep::Wait},
      {{Ready, Options(OptionsEnd::Refused)}, false, MenuStep::ShowMenu},
      {{Ready, Options(OptionsEnd::Unchanged)}, false, MenuStep::ShowMenu},
      {{Ready, Options(OptionsEnd::Failed)}, false, MenuStep::CloseMenu},
      {{Ready, Options(OptionsEnd::Changed)}, false, MenuStep::ReloadMenu, true, false},
      {{Ready, Options(OptionsEnd::Changed), Ready}, false, MenuStep::Wait, false, false},
      {{Ready, EndButton, Fatal}, false, MenuStep::ExitRestoringDesktop},
      {{Ready, Fatal, Fatal}, false, MenuStep::ExitNow},
      {{Started(StartupResult::SettingsNotLoaded)}, false, MenuStep::EndAtOnce},
      {{Started(StartupResult::SettingsNotLoaded), Fatal}, false, MenuStep::ExitNow},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    MenuState state;
    state.pupilName = "Anna";
    state.settings.fullScreen = cases[row].fullScreen ? -1 : 0;
    MenuFlow flow(state);
    MenuStep step{};
    for (const Event& e : cases[row].events)
      step = e(flow);
    EXPECT_EQ(step, cases[row].step) << "row " << row;
    EXPECT_EQ(flow.NewMenuFollows(), cases[row].newMenu) << "row " << row;
    EXPECT_EQ(state.pupilName, cases[row].pupilKept ? "Anna" : "") << "row " << row;
  }
}

}  // namespace
}  // namespace lirabo
