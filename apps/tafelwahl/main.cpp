// tafelwahl: the pupils' menu.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "common/win32/form.h"
#include "common/win32/message_box.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1.h"
#include "menu/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace lirabo;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32FilePort files;
  Win32SystemPort system(L"Local\\JW.Lirabo.Tafelwahl");
  Win32MessagePort messages(texts::kMenuTitle);
  Win32DesktopPort desktop;
  MenuProgram program{{}, files, system, messages, desktop, Narrow(commandLine ? commandLine : L""), {}, false};

  // An unexpected failure ends the menu, but never leaves the classroom PC with a
  // hidden taskbar or a switched display.
  Form::SetFatalErrorHandler([&](const std::string& text) {
    messages.Show(text);
    if (program.state.display.displaySwitchMark == kDisplaySwitched)
      RestoreDisplayMode(desktop, messages, program.state.display);
    desktop.SetTaskbarVisible(true);
    ExitProcess(1);
  });

  // Changed options reload the menu: the old one has unloaded with its closing
  // steps, and a new one runs the whole start-up again.
  std::unique_ptr<Form1> menu;
  do {
    program.restartRequested = false;
    menu.reset();
    menu = std::make_unique<Form1>(program);
    if (menu->Load()) menu->Show();
    Form::RunMessageLoop();
    // The last form's unload asked to quit; the reloaded menu must not see that.
    MSG quit;
    while (program.restartRequested && PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  } while (program.restartRequested);
  return 0;
}
