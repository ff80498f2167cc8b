#pragma once
// The menu program's flow around the menu window: what follows start-up, the
// options dialog, the menu's unload and an unexpected failure. It decides; the
// views carry the steps out.
#include <string>

#include "menu/menu_startup.h"
#include "menu/menu_state.h"
#include "options/options_dialog.h"

namespace lirabo {

enum class MenuStep {
  ShowMenu,         // the menu waits for the pupil
  ShowCaller,       // the form that opened the options dialog is shown again
  ReloadMenu,       // the menu unloads (its shutdown runs) and a new one loads
  EndWithShutdown,  // the menu unloads (its shutdown runs) and the program ends
  EndAtOnce,        // the program ends; nothing of the desktop was changed
};

class MenuFlow {
 public:
  explicit MenuFlow(MenuState& state) : state_(state) {}

  MenuStep AfterStartup(StartupResult result);
  // The teacher menu opens the options dialog over the menu form `caller`.
  void OptionsOpened(std::string caller) { optionsCaller_ = std::move(caller); }
  MenuStep AfterOptions(OptionsEnd end);
  // An unexpected failure, after its message: the first ends with the shutdown
  // steps; one that happens while those run ends at once.
  MenuStep AfterFatalError();

  // Whether the menu's unload runs the shutdown steps.
  bool ShutdownOnUnload() const { return !endAtOnce_; }
  // Once the menu has unloaded: whether a new one loads (the request is used up).
  bool TakeReload();
  // The name of the form that opened the options dialog ("Form1").
  const std::string& OptionsCaller() const { return optionsCaller_; }

 private:
  MenuState& state_;
  std::string optionsCaller_;
  bool reload_ = false;
  bool endAtOnce_ = false;
  bool failed_ = false;
};

}  // namespace lirabo
