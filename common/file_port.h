#pragma once
// The file system as the portable code sees it. The Win32 port maps these calls
// one to one onto CreateFileW and friends; the test fake mimics their share-mode
// rules. Paths are UTF-8 with backslashes.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"

namespace lirabo {

enum class FileAccess : unsigned { Read = 1, Write = 2, ReadWrite = 3 };
// What others may do while we hold the file open.
enum class FileShare : unsigned { None = 0, Read = 1, Write = 2, ReadWrite = 3 };
enum class FileCreation { OpenExisting, OpenOrCreate, CreateOrTruncate };
// A write-protected file in the program folder is the administrator's choice and
// stays so; a per-user copy that an older version left write-protected heals.
enum class ReadOnlyFile { Respect, Heal };

// An open file; destroying it closes it.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  virtual Expected<std::string> ReadAll() = 0;
  virtual Expected<std::uint64_t> Size() = 0;
  virtual SysError WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
  virtual SysError Truncate(std::uint64_t size) = 0;
  // Until the data is on the disk.
  virtual SysError Flush() = 0;
};
using FileHandle = std::unique_ptr<OpenFile>;

class FilePort {
 public:
  virtual ~FilePort() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual SysError MakeDirectory(const std::string& path) = 0;
  virtual SysError RemoveFile(const std::string& path) = 0;
  // Puts `from` in place of `to` in one step. An existing `to` keeps its security,
  // attributes and streams; a write-protected one fails with access denied unless
  // `readOnly` heals it (hidden and write-protected go, the result is a normal
  // file). On failure both stay as they were.
  virtual SysError RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) = 0;
  virtual Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                                    FileCreation creation) = 0;
  // Names (without folder) of the files in `folder` whose names end in `extension`
  // (".txt"), in no particular order.
  virtual Expected<std::vector<std::string>> ListFiles(const std::string& folder,
                                                       std::string_view extension) = 0;

  // Convenience built on the calls above.
  Expected<std::string> ReadWholeFile(const std::string& path) {
    auto file = Open(path, FileAccess::Read, FileShare::ReadWrite, FileCreation::OpenExisting);
    if (!file) return file.error();
    return (*file)->ReadAll();
  }
  // Puts `bytes` in place of the file's contents all at once: they are written into
  // a staged file beside it, which then replaces it. Where the folder lets nobody
  // create the staged file, an existing file is rewritten in place instead. On any
  // failure the file keeps its old bytes and no staged file is left behind.
  SysError ReplaceContents(const std::string& path, std::string_view bytes,
                           ReadOnlyFile readOnly = ReadOnlyFile::Respect);
  // The bytes of `from` as `to` (never its attributes), all at once.
  SysError CopyWholeFile(const std::string& from, const std::string& to,
                         ReadOnlyFile readOnly = ReadOnlyFile::Respect) {
    auto bytes = ReadWholeFile(from);
    if (!bytes) return bytes.error();
    return ReplaceContents(to, *bytes, readOnly);
  }

 private:
  SysError RewriteInPlace(const std::string& path, std::string_view bytes);
};

}  // namespace lirabo
