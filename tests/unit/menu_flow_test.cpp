#include "menu/menu_flow.h"

#include <gtest/gtest.h>

namespace lirabo {
namespace {

TEST(MenuFlow, EachWayOutOfStartUpAndOutOfTheOptionsDialogLeadsToItsStep) {
  struct Case {
    const char* what;
    StartupResult startup;
    bool optionsOpened;
    OptionsEnd end;
    MenuStep step;
    bool shutdownOnUnload;
    bool reload;
    bool pupilKept;
  };
  const Case cases[] = {
      {"ready", StartupResult::Ready, false, {}, MenuStep::ShowMenu, true, false, true},
      {"second instance or Varkon", StartupResult::Unload, false, {}, MenuStep::EndWithShutdown, true, false, true},
      {"settings not loaded", StartupResult::EndImmediately, false, {}, MenuStep::EndAtOnce, false, false, true},
      {"options refused", StartupResult::Ready, true, OptionsEnd::Refused, MenuStep::ShowCaller, true, false, true},
      {"options failed", StartupResult::Ready, true, OptionsEnd::Failed, MenuStep::EndWithShutdown, true, false,
       true},
      {"options unchanged", StartupResult::Ready, true, OptionsEnd::Unchanged, MenuStep::ShowCaller, true, false,
       true},
      {"options changed", StartupResult::Ready, true, OptionsEnd::Changed, MenuStep::ReloadMenu, true, true, false},
  };
  for (const Case& c : cases) {
    MenuState state;
    state.pupilName = "Anna";
    MenuFlow flow(state);
    MenuStep step = flow.AfterStartup(c.startup);
    if (c.optionsOpened) {
      ASSERT_EQ(step, MenuStep::ShowMenu) << c.what;
      flow.OptionsOpened("Form1");
      EXPECT_EQ(flow.OptionsCaller(), "Form1") << c.what;
      step = flow.AfterOptions(c.end);
    }
    EXPECT_EQ(step, c.step) << c.what;
    EXPECT_EQ(flow.ShutdownOnUnload(), c.shutdownOnUnload) << c.what;
    EXPECT_EQ(flow.TakeReload(), c.reload) << c.what;
    EXPECT_FALSE(flow.TakeReload()) << c.what << ": a reload is asked for once";
    EXPECT_EQ(state.pupilName, c.pupilKept ? "Anna" : "") << c.what;
  }
}

TEST(MenuFlow, AnUnexpectedFailureRestoresTheDesktopOnceAndNeverAfterAnEndAtOnce) {
  MenuState state;
  MenuFlow flow(state);
  EXPECT_EQ(flow.AfterStartup(StartupResult::Ready), MenuStep::ShowMenu);
  EXPECT_EQ(flow.AfterFatalError(), MenuStep::EndWithShutdown);
  EXPECT_EQ(flow.AfterFatalError(), MenuStep::EndAtOnce);  // a failure during that shutdown

  MenuFlow early(state);
  EXPECT_EQ(early.AfterStartup(StartupResult::EndImmediately), MenuStep::EndAtOnce);
  EXPECT_EQ(early.AfterFatalError(), MenuStep::EndAtOnce);
}

}  // namespace
}  // namespace lirabo
