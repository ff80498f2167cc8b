// Stands in for the menu in the crash test: installs the menu's failure handlers
// over a desktop and message boxes that only record, with the display switched,
// and then crashes. Usage: crash_child <record file>.
#include <windows.h>

#include <cstdio>
#include <string>

#include "common/win32/bcrypt_crypto.h"
#include "common/win32/system_services.h"
#include "common/win32/win32_files.h"
#include "menu/win32/menu_failure.h"

namespace {

using namespace lirabo;

std::wstring g_record;

void Record(const std::string& line) {
  if (FILE* file = _wfopen(g_record.c_str(), L"ab")) {
    std::fputs((line + "\r\n").c_str(), file);
    std::fclose(file);
  }
}

std::string Size(PixelSize size) { return std::to_string(size.width) + "x" + std::to_string(size.height); }

class RecordingDesktop final : public DesktopPort {
 public:
  PixelSize ScreenSize() override { return {640, 480}; }
  int TestDisplayMode(PixelSize size) override {
    Record("test " + Size(size));
    return kDispChangeSuccessful;
  }
  int SwitchDisplayMode(PixelSize size, bool temporary) override {
    Record((temporary ? "switch " : "restore ") + Size(size));
    return kDispChangeSuccessful;
  }
  void SetTaskbarVisible(bool visible) override { Record(visible ? "taskbar shown" : "taskbar hidden"); }
  PixelRect WorkArea() override { return {0, 0, 640, 480}; }
};

class RecordingMessages final : public MessagePort {
 public:
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    Record("Meldung: " + text);
    return MsgAnswer::Ok;
  }
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) return 3;
  g_record = argv[1];
  Win32FilePort files;
  Win32SystemPort system(L"Local\\JW.Lirabo.CrashChild");
  RecordingMessages messages;
  RecordingDesktop desktop;
  Win32CryptoPort crypto;
  Win32ClockPort clock;
  MenuProgram program{{}, {files, system, messages}, desktop, crypto, clock, "", ""};
  program.state.display = {kDisplaySwitched, {1024, 768}};
  InstallMenuFailureHandlers(program);
  *static_cast<volatile int*>(nullptr) = 1;
  return 0;
}
