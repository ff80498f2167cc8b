// tafelwahl: the pupils' menu.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "teacher_pin/win32/bcrypt_crypto.h"
#include "common/win32/form.h"
#include "common/win32/message_box.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window.h"
#include "menu/win32/menu_failure.h"
#include "menu/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  using namespace lirabo;
  LoadDllsFromSystemFolderOnly();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32FilePort files;
  Win32SystemPort system(L"Local\\JW.Lirabo.Tafelwahl");
  Win32MessagePort messages(texts::kMenuTitle);
  Win32DesktopPort desktop;
  Win32CryptoPort crypto;
  Win32ClockPort clock;
  MenuProgram program{{}, {files, system, messages}, desktop, crypto, clock,
                      Narrow(commandLine ? commandLine : L""), InstalledFolder()};

  // An unexpected failure or a crash ends the menu, but never leaves the classroom
  // PC with a hidden taskbar or a switched display.
  InstallMenuFailureHandlers(program);

  // A change of the options reloads the menu: the old one has unloaded with its
  // shutdown, and a new one runs the whole start-up again.
  std::unique_ptr<MenuWindow> menu;
  do {
    menu.reset();
    menu = std::make_unique<MenuWindow>(program);
    Form::Guard([&] {
      if (menu->Load()) menu->Show();
    });
    Form::RunMessageLoop();
  } while (program.flow.NewMenuFollows());
  return 0;
}
