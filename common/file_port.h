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

// An open file; destroying it closes it.
class OpenFile {
 public:
  virtual ~OpenFile() = default;
  virtual Expected<std::string> ReadAll() = 0;
  virtual Expected<std::uint64_t> Size() = 0;
  virtual SysError WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
  virtual SysError Truncate(std::uint64_t size) = 0;
};
using FileHandle = std::unique_ptr<OpenFile>;

class FilePort {
 public:
  virtual ~FilePort() = default;
  virtual bool FileExists(const std::string& path) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  virtual SysError MakeDirectory(const std::string& path) = 0;
  // Whole-file copy that overwrites the target.
  virtual SysError CopyWholeFile(const std::string& from, const std::string& to) = 0;
  virtual SysError RemoveFile(const std::string& path) = 0;
  // Puts a copy of `from` in place of `to` in one step: on failure `to` is as before.
  virtual SysError ReplaceWithCopy(const std::string& from, const std::string& to) = 0;
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

  // Gives the file exactly these bytes, all or nothing: they are written beside it
  // first and then put in its place, so a failed write leaves the old file as it was.
  SysError ReplaceWholeFile(const std::string& path, std::string_view bytes) {
    const std::string staged = path + ".tmp";
    SysError error;
    {
      auto file = Open(staged, FileAccess::Write, FileShare::None, FileCreation::CreateOrTruncate);
      if (!file) return file.error();
      error = (*file)->WriteAt(0, bytes);
    }
    if (!error) error = ReplaceWithCopy(staged, path);
    RemoveFile(staged);
    return error;
  }
};

}  // namespace lirabo
