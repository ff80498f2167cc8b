// Stand-in for the outside programs: it records how it was started, so the menu can
// be tried and tested end to end. Laid out as hh.exe, it stands in for the HTML help viewer.
#include <windows.h>

#include <string>

#include "common/text.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"

using namespace lirabo;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string program = Narrow(std::wcsrchr(path, L'\\') + 1);
  const std::string commandLine = Narrow(GetCommandLineW());
  auto record = Win32FilePort().Open(ApplicationPath() + "\\Aufrufe.txt", FileAccess::Write, FileShare::ReadWrite,
                                     FileCreation::OpenOrCreate);
  (*record)->WriteAt(*(*record)->Size(), Utf8ToCp1252(commandLine) + "\r\n");
  // Help shows nothing; tests start many of these and only need the record.
  if (UpperCase(program) == "HH.EXE" || GetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", nullptr, 0)) return 0;
  const std::string text =
      "Hier würde jetzt die Übung beginnen.\n\nProgramm: " + program + "\nBefehlszeile: " + commandLine;
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(program).c_str(), MB_OK | MB_ICONINFORMATION);
  return 0;
}
