#include "menu/exercise_launcher.h"

#include "menu/menu_texts.h"

namespace lirabo {

std::string BuildExerciseCommandLine(const std::string& programText, const MenuState& state) {
  if (state.settings.ProtSave == 0) return programText;
  return programText + " /p=\"" + state.settingsFolder + "\" /n=\"" + state.pupilName + "\"";
}

LaunchOutcome LaunchExercise(SystemPort& system, MessagePort& messages, const MenuState& state,
                             const std::string& programText) {
  if (!system.StartProcess(BuildExerciseCommandLine(programText, state))) {
    messages.Show(texts::kProgramNotFound);
    return LaunchOutcome::NotStarted;
  }
  return state.settings.Auflösung != 0 ? LaunchOutcome::StayOpen : LaunchOutcome::UnloadMenu;
}

}  // namespace lirabo
