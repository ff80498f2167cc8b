// Stands in for the menu in the crash test: installs the menu's failure handlers
// over a desktop and message boxes that only record, with the display switched,
// and then crashes. Usage: crash_child <record file>.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "common/win32/system_services.h"
#include "common/win32/win32_files.h"
#include "menu/win32/menu_failure.h"
#include "teacher_pin/win32/bcrypt_crypto.h"

namespace {

using namespace lirabo;

const wchar_t* g_record = nullptr;

void Record(const std::string& line) {
  std::ofstream(std::filesystem::path(g_record), std::ios::app | std::ios::binary) << line << "\r\n";
}

class RecordingDesktop final : public DesktopPort, public MessagePort {
 public:
  PixelSize ScreenSize() override { return {640, 480}; }
  int TestDisplayMode(PixelSize size) override {
    Record("test " + std::to_string(size.width) + "x" + std::to_string(size.height));
    return kDispChangeSuccessful;
  }
  int SwitchDisplayMode(PixelSize size, bool temporary) override {
    Record((temporary ? "switch " : "restore ") + std::to_string(size.width) + "x" + std::to_string(size.height));
    return kDispChangeSuccessful;
  }
  void SetTaskbarVisible(bool visible) override { Record(visible ? "taskbar shown" : "taskbar hidden"); }
  PixelRect WorkArea() override { return {0, 0, 640, 480}; }
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    Record(text);
    return MsgAnswer::Ok;
  }
};

}  // namespace

int wmain(int, wchar_t** argv) {
  g_record = argv[1];
  Win32FilePort files;
  Win32SystemPort system(L"Local\\JW.Lirabo.CrashChild");
  RecordingDesktop desktop;
  Win32CryptoPort crypto;
  Win32ClockPort clock;
  MenuProgram program{{}, {files, system, desktop}, desktop, crypto, clock, "", ""};
  program.state.display = {kDisplaySwitched, {1024, 768}};
  InstallMenuFailureHandlers(program);
  *static_cast<volatile int*>(nullptr) = 1;
  return 0;
}
