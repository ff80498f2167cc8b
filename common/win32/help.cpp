#include "common/win32/help.h"

#include "common/help.h"
#include "common/win32/wide.h"

namespace lirabo {

void ShowHelpTopic(HWND owner, SystemPort& system, const std::string& helpFile, int topic) {
  // A missing file or viewer is reported by the help program itself.
  if (system.IsNt6OrLater())
    system.StartProcess(BuildHelpCommand(helpFile, topic));
  else
    WinHelpW(owner, Widen(helpFile).c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(topic));
}

}  // namespace lirabo
