#include "menu/exercise_launcher.h"

#include "menu/menu_texts.h"

namespace lirabo {

std::string BuildExerciseCommandLine(const std::string& programText, const MenuState& state) {
  if (state.settings.logUnderPupilName == 0) return programText;
  return programText + " /p=\"" + state.settingsFolder + "\" /n=\"" + state.pupilName + "\"";
}

bool LaunchExercise(SystemPort& system, MessagePort& messages, const MenuState& state, const std::string& programText) {
  if (system.StartProcess(BuildExerciseCommandLine(programText, state))) return true;
  messages.Show(texts::kProgramNotFound);
  return false;
}

}  // namespace lirabo
