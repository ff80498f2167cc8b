#include "common/file_port.h"

namespace lirabo {

SysError FilePort::ReplaceContents(const std::string& path, std::string_view bytes, ReadOnlyFile readOnly) {
  const std::string staged = path + ".neu";
  SysError error;
  {
    auto file = Open(staged, FileAccess::Write, FileShare::None, FileCreation::CreateOrTruncate);
    if (!file) {
      // A school may grant write access to the file alone, not to create files
      // beside it.
      if (file.error().code == win_error::kAccessDenied && FileExists(path))
        return RewriteInPlace(path, bytes);
      return file.error();
    }
    error = (*file)->WriteAt(0, bytes);
    if (!error) error = (*file)->Flush();
  }
  if (!error) error = RenameReplacing(staged, path, readOnly);
  if (error) RemoveFile(staged);
  return error;
}

// All new bytes in one write; whatever fails after the old bytes were read puts
// them back, so the file is never left half new.
SysError FilePort::RewriteInPlace(const std::string& path, std::string_view bytes) {
  auto file = Open(path, FileAccess::ReadWrite, FileShare::None, FileCreation::OpenExisting);
  if (!file) return file.error();
  auto old = (*file)->ReadAll();
  if (!old) return old.error();
  SysError error = (*file)->WriteAt(0, bytes);
  if (!error) error = (*file)->Truncate(bytes.size());
  if (!error) error = (*file)->Flush();
  if (error) {
    (void)(*file)->WriteAt(0, *old);
    (void)(*file)->Truncate(old->size());
  }
  return error;
}

}  // namespace lirabo
