// regelpult: the teacher's options program of a network installation. Its only
// window is the options dialog on the master copy of options.ini.
#include <windows.h>
#include <commctrl.h>

#include "common/help.h"
#include "common/win32/crash_handler.h"
#include "teacher_pin/win32/bcrypt_crypto.h"
#include "common/win32/form.h"
#include "common/win32/message_box.h"
#include "common/win32/system_services.h"
#include "common/win32/win32_files.h"
#include "options/options_store.h"
#include "options/win32/options_window.h"
#include "teacher_pin/win32/pin_setup_window.h"
#include "wordlist/win32/word_list_buttons.h"

namespace {

// regelpult ends when its dialog closes, or here at once after a failure whose
// message has been shown; there is no desktop to restore.
[[noreturn]] void EndAtOnce() { ExitProcess(1); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  using namespace lirabo;
  LoadDllsFromSystemFolderOnly();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32FilePort files;
  Win32SystemPort system(L"Local\\JW.Lirabo.Regelpult");
  Win32MessagePort messages("regelpult");
  Win32CryptoPort crypto;
  InstallFailureHandlers([&](const std::string& text) {
    messages.Show(text);
    EndAtOnce();
  });

  // The values live in the dialog alone; absent lines show cleared.
  OptionsRecord settings;
  Services services{files, system, messages};
  const std::string folder = system.ApplicationPath();
  const std::string helpFile = RegelpultHelpFile(folder, system.IsNt6OrLater());
  OptionsWindow dialog({services, OptionsVariant::Regelpult, folder + kOptionsFileName, helpFile, settings});
  dialog.onEditWordList = [&] {
    if (!EditWordList(&dialog, services, helpFile)) EndAtOnce();
  };
  dialog.onNewWordList = [&] {
    if (!NewWordList(&dialog, services, helpFile)) EndAtOnce();
  };
  dialog.onRestoreWordList = [&] { RestoreWordList(&dialog, services); };
  dialog.onTeacherPin = [&] { ShowTeacherPinDialog(&dialog, services, crypto); };
  Form::Guard([&] {
    if (dialog.Load()) dialog.Show();
  });
  return Form::RunMessageLoop();
}
