// Stand-in for the outside programs: an exercise program records how it was
// started and writes a line into the pupil's log, so the menu can be tried and
// tested end to end. Laid out as hh.exe beside the programs, it stands in for the
// HTML help viewer and records what it was asked to show.
#include <windows.h>

#include <string>

#include "common/text.h"
#include "common/win32/system_services.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"

namespace {

using namespace lirabo;

std::string ProgramName() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring name(path);
  return Narrow(name.substr(name.find_last_of(L'\\') + 1));
}

// The value of a marker such as /p=" up to the next double quote.
std::string QuotedAfter(const std::string& line, const std::string& marker) {
  std::size_t at = line.find(marker);
  if (at == std::string::npos) return {};
  std::size_t start = at + marker.size();
  std::size_t end = line.find('"', start);
  return end == std::string::npos ? std::string() : line.substr(start, end - start);
}

void AppendLine(Win32FilePort& files, const std::string& path, const std::string& line) {
  auto file = files.Open(path, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenOrCreate);
  if (!file) return;
  auto size = (*file)->Size();
  if (size) (*file)->WriteAt(*size, Utf8ToCp1252(line) + "\r\n");
}

bool IsHelpViewer(const std::string& program) { return UpperCase(program) == "HH.EXE"; }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Win32FilePort files;
  const std::string commandLine = Narrow(GetCommandLineW());
  const std::string program = ProgramName();
  AppendLine(files, ApplicationPath() + "\\Aufrufe.txt", commandLine);
  if (IsHelpViewer(program)) return 0;

  const std::string folder = QuotedAfter(commandLine, "/p=\"");
  const std::string pupil = QuotedAfter(commandLine, "/n=\"");
  if (!folder.empty() && !pupil.empty()) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[32];
    wsprintfA(stamp, "%02d.%02d.%04d %02d:%02d", now.wDay, now.wMonth, now.wYear, now.wHour, now.wMinute);
    AppendLine(files, folder + "\\Protokoll_2\\" + pupil + ".txt",
               std::string(stamp) + "  " + program + ": 10 Aufgaben, 9 richtig");
  }
  // Tests start many of these; they only need the record.
  wchar_t quiet[8] = {};
  if (GetEnvironmentVariableW(L"LIRABO_PLACEHOLDER_QUIET", quiet, 8)) return 0;
  std::string text = "Hier würde jetzt die Übung beginnen.\n\nProgramm: " + program +
                     "\nBefehlszeile: " + commandLine;
  MessageBoxW(nullptr, Widen(text).c_str(), Widen(program).c_str(), MB_OK | MB_ICONINFORMATION);
  return 0;
}
