#pragma once
// Every way the menu program goes on or ends: after start-up, the options dialog,
// the end button, an exercise start and an unexpected failure. The model decides
// the step; the menu window carries each step out in one place.
#include "menu/menu_startup.h"
#include "menu/menu_state.h"
#include "options/options_dialog.h"

namespace lirabo {

enum class MenuStep {
  Wait,                  // nothing to do: the menu waits for the pupil
  ShowMenu,              // the menu, hidden behind the options dialog, shows again
  CloseMenu,             // the menu unloads with its shutdown, then the program ends
  ReloadMenu,            // the menu unloads with its shutdown, then a new one runs the start-up
  EndAtOnce,             // the menu goes without its shutdown: nothing of the desktop was changed
  ExitRestoringDesktop,  // after a failure: display mode and taskbar back, no window touched, exit
  ExitNow,               // after a failure on that way out: exit at once
};

class MenuFlow {
 public:
  explicit MenuFlow(MenuState& state) : state_(state) {}

  MenuStep AfterStartup(StartupResult result);
  MenuStep AfterOptions(OptionsEnd end);
  MenuStep AfterEndButton() { return Decide(MenuStep::CloseMenu); }
  MenuStep AfterLaunch(bool started);
  // After the failure's message.
  MenuStep AfterFatalError();

  // Once the menu window is gone: whether a new one loads.
  bool NewMenuFollows() const { return last_ == MenuStep::ReloadMenu; }

 private:
  MenuStep Decide(MenuStep step) { return last_ = step; }

  MenuState& state_;
  MenuStep last_ = MenuStep::Wait;
};

}  // namespace lirabo
