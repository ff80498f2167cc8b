#pragma once
// The eight exercise buttons: their programs and the command line they get.
#include <array>
#include <string>

#include "common/message_port.h"
#include "common/system_port.h"
#include "menu/menu_state.h"

namespace lirabo {

struct Exercise {
  const char* caption;
  const char* programText;  // file name, a blank and Q
};

// In tab order: Command1, 2, 3, 4, 7, 6, 5, 9.
inline constexpr std::array<Exercise, 8> kExercises = {{
    {"Kamu 1", "Kamu1.exe Q"},
    {"Kamu 2", "Kamu2.exe Q"},
    {"Tesra", "tesra.exe Q"},
    {"Orvin", "Orvin.exe Q"},
    {"Pelum 1", "Pelum1.exe Q"},
    {"Pelum 2", "Pelum2.exe Q"},
    {"Pelum 3", "Pelum3.exe Q"},
    {"Drusa", "Drusa.exe Q"},
}};

// With pupil names in use: the program text, /p= with the quoted settings folder
// and /n= with the quoted name, both inserted as they are.
std::string BuildExerciseCommandLine(const std::string& programText, const MenuState& state);

// Starts the exercise without waiting; shows the not-found message and gives
// false when it cannot.
bool LaunchExercise(SystemPort& system, MessagePort& messages, const MenuState& state, const std::string& programText);

}  // namespace lirabo
