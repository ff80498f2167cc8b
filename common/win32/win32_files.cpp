#include "common/win32/win32_files.h"

#include <windows.h>

#include "common/text.h"
#include "common/win32/handles.h"
#include "common/win32/wide.h"

namespace lirabo {

std::string SystemErrorDescription(std::uint32_t code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n ? std::wstring(buffer, n) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) return "Fehler " + std::to_string(code);
  return Narrow(text);
}

SysError LastSysError() {
  DWORD code = GetLastError();
  if (code == 0) code = ERROR_GEN_FAILURE;
  return {code, SystemErrorDescription(code)};
}

namespace {

SysError Check(BOOL ok) { return ok ? SysError{} : LastSysError(); }

DWORD Attributes(const std::string& path) { return GetFileAttributesW(Widen(path).c_str()); }

class Win32OpenFile final : public OpenFile {
 public:
  explicit Win32OpenFile(UniqueFileHandle handle) : handle_(std::move(handle)) {}

  Expected<std::string> ReadAll() override {
    LARGE_INTEGER zero{};
    if (!SetFilePointerEx(handle_.get(), zero, nullptr, FILE_BEGIN)) return LastSysError();
    std::string bytes;
    char chunk[65536];
    for (;;) {
      DWORD got = 0;
      if (!ReadFile(handle_.get(), chunk, sizeof chunk, &got, nullptr)) return LastSysError();
      if (got == 0) break;
      bytes.append(chunk, got);
    }
    return bytes;
  }

  Expected<std::uint64_t> Size() override {
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(handle_.get(), &size)) return LastSysError();
    return static_cast<std::uint64_t>(size.QuadPart);
  }

  SysError WriteAt(std::uint64_t offset, std::string_view bytes) override {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(offset);
    if (!SetFilePointerEx(handle_.get(), at, nullptr, FILE_BEGIN)) return LastSysError();
    while (!bytes.empty()) {
      DWORD written = 0;
      if (!WriteFile(handle_.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        return LastSysError();
      if (written == 0) return {ERROR_DISK_FULL, SystemErrorDescription(ERROR_DISK_FULL)};
      bytes.remove_prefix(written);
    }
    return {};
  }

  SysError Truncate(std::uint64_t size) override {
    LARGE_INTEGER at{};
    at.QuadPart = static_cast<LONGLONG>(size);
    if (!SetFilePointerEx(handle_.get(), at, nullptr, FILE_BEGIN)) return LastSysError();
    return Check(SetEndOfFile(handle_.get()));
  }

  SysError Flush() override { return Check(FlushFileBuffers(handle_.get())); }

 private:
  UniqueFileHandle handle_;
};

}  // namespace

bool Win32FilePort::FileExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32FilePort::DirectoryExists(const std::string& path) {
  DWORD a = Attributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

SysError Win32FilePort::MakeDirectory(const std::string& path) {
  return Check(CreateDirectoryW(Widen(path).c_str(), nullptr));
}

SysError Win32FilePort::RemoveFile(const std::string& path) {
  return Check(DeleteFileW(Widen(path).c_str()));
}

// ReplaceFileW, not a rename: the file keeps what the administrator set on it
// (permissions, attributes, streams), where a renamed file would take the folder's.
SysError Win32FilePort::RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) {
  const std::wstring source = Widen(from), target = Widen(to);
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES)
    return Check(MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  const DWORD healed = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if ((attributes & FILE_ATTRIBUTE_READONLY) && readOnly == ReadOnlyFile::Respect)
    return {ERROR_ACCESS_DENIED, SystemErrorDescription(ERROR_ACCESS_DENIED)};
  if (readOnly == ReadOnlyFile::Heal && (attributes & healed))
    SetFileAttributesW(target.c_str(), attributes & ~healed);
  // No backup name: with one, Wine's replace leaves a moment without the file, in
  // which a menu starting elsewhere would find nothing.
  if (ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
    // Windows keeps hidden and system by itself; Wine's ReplaceFileW does not.
    const DWORD wanted = attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) &
                         (readOnly == ReadOnlyFile::Heal ? ~healed : ~DWORD{0});
    const DWORD now = GetFileAttributesW(target.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & healed) != wanted)
      SetFileAttributesW(target.c_str(), (now & ~healed) | wanted);
    return {};
  }
  SysError error = LastSysError();
  // The old file is gone and the new one still has its staged name: the complete
  // new bytes go in place.
  if (error.code == ERROR_UNABLE_TO_MOVE_REPLACEMENT && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
      MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return {};
  if (error.code == ERROR_UNABLE_TO_REMOVE_REPLACED) {
    // Say why, in the classes the callers wait for: mostly someone holds the file.
    UniqueFileHandle probe(CreateFileW(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
    if (!probe) error = LastSysError();
  }
  if (readOnly == ReadOnlyFile::Heal && (attributes & healed)) SetFileAttributesW(target.c_str(), attributes);
  return error;
}

Expected<FileHandle> Win32FilePort::Open(const std::string& path, FileAccess access, FileShare share,
                                         FileCreation creation) {
  DWORD desired = 0;
  if (static_cast<unsigned>(access) & static_cast<unsigned>(FileAccess::Read)) desired |= GENERIC_READ;
  if (static_cast<unsigned>(access) & static_cast<unsigned>(FileAccess::Write)) desired |= GENERIC_WRITE;
  DWORD shareMode = 0;
  if (static_cast<unsigned>(share) & static_cast<unsigned>(FileShare::Read)) shareMode |= FILE_SHARE_READ;
  if (static_cast<unsigned>(share) & static_cast<unsigned>(FileShare::Write)) shareMode |= FILE_SHARE_WRITE;
  DWORD disposition = creation == FileCreation::OpenExisting   ? OPEN_EXISTING
                      : creation == FileCreation::OpenOrCreate ? OPEN_ALWAYS
                                                               : CREATE_ALWAYS;
  UniqueFileHandle handle(CreateFileW(Widen(path).c_str(), desired, shareMode, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) return LastSysError();
  return FileHandle(std::make_unique<Win32OpenFile>(std::move(handle)));
}

Expected<std::vector<std::string>> Win32FilePort::ListFiles(const std::string& folder,
                                                           std::string_view extension) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW data{};
  UniqueFind find(FindFirstFileW(Widen(folder + "\\*" + std::string(extension)).c_str(), &data));
  if (!find) {
    DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return names;
    return SysError{code, SystemErrorDescription(code)};
  }
  const std::string wanted = UpperCase(extension);
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::string name = Narrow(data.cFileName);
    // The pattern also matches by short name; keep only real "*.txt" names.
    if (name.size() > wanted.size() && UpperCase(name.substr(name.size() - wanted.size())) == wanted)
      names.push_back(std::move(name));
  } while (FindNextFileW(find.get(), &data));
  // A share that drops out in the middle must not pass for the end of the list.
  if (DWORD code = GetLastError(); code != ERROR_NO_MORE_FILES) return SysError{code, SystemErrorDescription(code)};
  return names;
}

}  // namespace lirabo
