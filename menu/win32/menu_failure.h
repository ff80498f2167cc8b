#pragma once
// How the menu ends after a failure nobody expected, a C++ exception in a handler
// or a crash alike: the message, then the display mode and the taskbar back (once,
// even when the failure happens again on the way), then the end of the program.
#include "menu/win32/menu_window.h"

namespace lirabo {

void InstallMenuFailureHandlers(MenuProgram& program);

}  // namespace lirabo
