// Starts the menu of a demo installation with the pupil Anna, exactly as a school's
// start-up script would (the name marker needs its double quotes intact, which
// Wine's own command line would re-quote). With a second argument, it waits for
// the menu, saves a screenshot there and ends the menu through its end button.
#include <windows.h>

#include <string>
#include <thread>

#include "common/win32/wide.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "tests/driver/driver.h"

int wmain(int argc, wchar_t** argv) {
  using namespace lirabo;
  using namespace lirabo::test;
  if (argc < 2) return 2;
  const std::string folder = Narrow(argv[1]);
  const std::string shot = argc > 2 ? Narrow(argv[2]) : std::string();
  Process menu = Process::Start(folder + "\\tafelwahl.exe", "/n=\"Anna\"");
  if (!menu.Id()) return 1;
  if (shot.empty() || shot == "shot=") {
    while (!menu.WaitForExit(std::chrono::hours(24))) {
    }
    return 0;
  }
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption, std::chrono::seconds(30));
  if (!window) return 1;
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  bool saved = SaveScreenBmp(shot);
  Click(window, ids::menu_window::EndButton);
  menu.WaitForExit();
  return saved ? 0 : 1;
}
