#include "common/file_port.h"

namespace lirabo {

SysError FilePort::ReplaceContents(const std::string& path, std::string_view bytes) {
  const std::string staged = path + ".neu";
  SysError error;
  {
    auto file = Open(staged, FileAccess::Write, FileShare::None, FileCreation::CreateOrTruncate);
    if (!file) return file.error();
    error = (*file)->WriteAt(0, bytes);
    if (!error) error = (*file)->Flush();
  }
  if (!error) error = RenameReplacing(staged, path);
  if (error) RemoveFile(staged);
  return error;
}

}  // namespace lirabo
