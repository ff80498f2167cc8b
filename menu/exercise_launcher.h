#pragma once
// Starting an exercise program: the command line it gets, and what a missing one shows.
#include <string>

#include "common/message_port.h"
#include "common/system_port.h"
#include "menu/menu_state.h"

namespace lirabo {

// With pupil names in use: the program text, /p= with the quoted settings folder
// and /n= with the quoted name, both inserted as they are.
std::string BuildExerciseCommandLine(const std::string& programText, const MenuState& state);

// Starts the exercise without waiting; shows the not-found message and gives
// false when it cannot.
bool LaunchExercise(SystemPort& system, MessagePort& messages, const MenuState& state, const std::string& programText);

}  // namespace lirabo
