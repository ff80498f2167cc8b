// Holds a file open with the given access and share mode until it is ended, so that
// tests can stage another program (an exercise program, a second editor) that has
// a file open. Usage: hold_file <path> <r|w|rw> <none|r|w|rw>. When the file is
// open it signals the event "Local\LiraboHeld<process id>"; exit code 2 if the
// open failed.
#include <windows.h>

#include <string>

int wmain(int argc, wchar_t** argv) {
  if (argc < 4)
    return 3;
  const std::wstring access = argv[2];
  const std::wstring share = argv[3];
  const DWORD desired = (access.find(L'r') != std::wstring::npos ? GENERIC_READ : 0) |
                        (access.find(L'w') != std::wstring::npos ? GENERIC_WRITE : 0);
  const DWORD shareMode = (share.find(L'r') != std::wstring::npos ? FILE_SHARE_READ : 0) |
                          (share.find(L'w') != std::wstring::npos ? FILE_SHARE_WRITE : 0);
  HANDLE file = CreateFileW(argv[1], desired, shareMode, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return 2;
  CreateEventW(nullptr, TRUE, TRUE, (L"Local\\LiraboHeld" + std::to_wstring(GetCurrentProcessId())).c_str());
  Sleep(INFINITE);
  return 0;
}
