#pragma once
// The menu's program-wide state: alive from start-up to the end of the program,
// also across a reload of the menu.
#include <string>

#include "menu/display_mode.h"
#include "options/options_record.h"

namespace lirabo {

struct MenuState {
  OptionsRecord settings;
  std::string settingsFolder;
  std::string pupilName;
  std::string helpFile;
  DisplayState display;
};

}  // namespace lirabo
