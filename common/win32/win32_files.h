#pragma once
// The file port on CreateFileW and friends.
#include <cstdint>
#include <string>

#include "common/file_port.h"

namespace lirabo {

// The system's own description of an error number, without the trailing line break.
std::string SystemErrorDescription(std::uint32_t code);
// The SysError for GetLastError() right now.
SysError LastSysError();

class Win32FilePort final : public FilePort {
 public:
  bool FileExists(const std::string& path) override;
  bool DirectoryExists(const std::string& path) override;
  SysError MakeDirectory(const std::string& path) override;
  SysError RemoveFile(const std::string& path) override;
  SysError RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) override;
  Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                            FileCreation creation) override;
  Expected<std::vector<std::string>> ListFiles(const std::string& folder,
                                               std::string_view extension) override;
};

}  // namespace lirabo
