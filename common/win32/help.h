#pragma once
// Opens a help topic: the HTML help viewer on Vista and later, WinHelp before.
#include <windows.h>

#include <string>

#include "common/system_port.h"

namespace lirabo {

// On NT 6 or later starts BuildHelpCommand(helpFile, topic) without waiting;
// otherwise WinHelp with HELP_CONTEXT over `owner`.
void ShowHelpTopic(HWND owner, SystemPort& system, const std::string& helpFile, int topic);

}  // namespace lirabo
