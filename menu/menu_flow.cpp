#include "menu/menu_flow.h"

namespace lirabo {

MenuStep MenuFlow::AfterStartup(StartupResult result) {
  switch (result) {
    case StartupResult::Ready:
      return MenuStep::ShowMenu;
    case StartupResult::Unload:
      return MenuStep::EndWithShutdown;
    case StartupResult::EndImmediately:
      endAtOnce_ = true;
      return MenuStep::EndAtOnce;
  }
  return MenuStep::EndWithShutdown;
}

MenuStep MenuFlow::AfterOptions(OptionsEnd end) {
  switch (end) {
    case OptionsEnd::Refused:
    case OptionsEnd::Unchanged:
      return MenuStep::ShowCaller;
    case OptionsEnd::Failed:
      return MenuStep::EndWithShutdown;
    case OptionsEnd::Changed:
      // The new menu runs the whole start-up again, without the old pupil.
      reload_ = true;
      state_.pupilName.clear();
      return MenuStep::ReloadMenu;
  }
  return MenuStep::ShowCaller;
}

MenuStep MenuFlow::AfterFatalError() {
  if (failed_ || endAtOnce_) return MenuStep::EndAtOnce;
  failed_ = true;
  return MenuStep::EndWithShutdown;
}

bool MenuFlow::TakeReload() {
  bool reload = reload_;
  reload_ = false;
  return reload;
}

}  // namespace lirabo
