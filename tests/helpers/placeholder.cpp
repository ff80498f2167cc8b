// Stand-in for the outside programs: an exercise program records how it was
// started and writes a line into the pupil's log, so the menu can be tried and
// tested end to end. Laid out as hh.exe, it stands in for the HTML help viewer.
#include <windows.h>

#include <string>

#include "common/text.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"

namespace {

using namespace lirabo;

void AppendLine(const std::string& path, const std::string& line) {
  Win32FilePort files;
  auto file = files.Open(path, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenOrCreate);
  if (!file) return;
  auto size = (*file)->Size();
  if (size) (*file)->WriteAt(*size, Utf8ToCp1252(line) + "\r\n");
}

// The value of a marker such as /p=" up to the next double quote.
std::string QuotedAfter(const std::string& line, const std::string& marker) {
  const std::size_t start = line.find(marker);
  const std::size_t end = start == std::string::npos ? start : line.find('"', start + marker.size());
  return end == std::string::npos ? std::string() : line.substr(start + marker.size(), end - start - marker.size());
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::string program = Narrow(std::wcsrchr(path, L'\\') + 1);
  const std::string commandLine = Narrow(GetCommandLineW());
  AppendLine(ApplicationPath() + "\\Aufrufe.txt", commandLine);
  const std::string folder = QuotedAfter(commandLine, "/p=\"");
  const std::string pupil = QuotedAfter(commandLine, "/n=\"");
  if (UpperCase(program) == "HH.EXE") return 0;
  if (!folder.empty() && !pupil.empty()) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    wsprintfA(stamp, "%02d.%02d.%04d %02d:%02d  ", now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute);
    AppendLine(folder + "\\Protokoll_2\\" + pupil + ".txt", stamp + program + ": 10 Aufgaben, 9 richtig");
  }
  // Tests start many of these; they only need the record.
  if (GetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", nullptr, 0)) return 0;
  const std::string text =
      "Hier würde jetzt die Übung beginnen.\n\nProgramm: " + program + "\nBefehlszeile: " + commandLine;
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(program).c_str(), MB_OK | MB_ICONINFORMATION);
  return 0;
}
