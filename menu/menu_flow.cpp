#include "menu/menu_flow.h"

namespace lirabo {

MenuStep MenuFlow::AfterStartup(StartupResult result) {
  switch (result) {
    case StartupResult::Ready:
      return Decide(MenuStep::Wait);
    case StartupResult::Refused:
      return Decide(MenuStep::CloseMenu);
    case StartupResult::SettingsNotLoaded:
      return Decide(MenuStep::EndAtOnce);
  }
  return Decide(MenuStep::CloseMenu);
}

MenuStep MenuFlow::AfterOptions(OptionsEnd end) {
  switch (end) {
    case OptionsEnd::Refused:
    case OptionsEnd::Unchanged:
      return Decide(MenuStep::ShowMenu);
    case OptionsEnd::Failed:
      return Decide(MenuStep::CloseMenu);
    case OptionsEnd::Changed:
      // The new menu runs the whole start-up again, without the old pupil.
      state_.pupilName.clear();
      return Decide(MenuStep::ReloadMenu);
  }
  return Decide(MenuStep::ShowMenu);
}

MenuStep MenuFlow::AfterLaunch(bool started) {
  // With the full-screen option the menu stays behind the exercise; a start that
  // failed leaves it as it was.
  if (!started || state_.settings.fullScreen != 0) return Decide(MenuStep::Wait);
  return Decide(MenuStep::CloseMenu);
}

MenuStep MenuFlow::AfterFatalError() {
  // Nothing to restore before the settings were loaded, and a failure while
  // restoring must not loop.
  switch (last_) {
    case MenuStep::EndAtOnce:
    case MenuStep::ExitRestoringDesktop:
    case MenuStep::ExitNow:
      return Decide(MenuStep::ExitNow);
    default:
      return Decide(MenuStep::ExitRestoringDesktop);
  }
}

}  // namespace lirabo
