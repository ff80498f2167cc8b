#include "records/name_register.h"

#include <array>
#include <string_view>
#include <utility>

#include "common/text.h"

namespace lirabo {

SysError EnsureNameRegister(FilePort& files, const RecordPaths& paths) {
  if (files.FileExists(paths.Register())) return {};
  if (!files.DirectoryExists(paths.LogFolder()))
    if (SysError e = files.MakeDirectory(paths.LogFolder())) return e;
  // Nothing delivered: start from an empty register rather than fail.
  std::string delivered;
  if (files.FileExists(paths.DeliveredRegister())) {
    auto bytes = files.ReadWholeFile(paths.DeliveredRegister());
    if (!bytes) return bytes.error();
    delivered = std::move(*bytes);
  }
  // Bytes rather than a file copy: a write-protected delivery copy must not make
  // the pupils' register write-protected too.
  auto file = files.Open(paths.Register(), FileAccess::ReadWrite, FileShare::ReadWrite,
                         FileCreation::OpenOrCreate);
  if (!file) return file.error();
  auto size = (*file)->Size();
  if (!size) return size.error();
  if (*size != 0 || delivered.empty()) return {};  // someone else was quicker
  if (SysError e = (*file)->WriteAt(0, delivered)) {
    // A half copy would pass for a register from now on.
    file->reset();
    files.RemoveFile(paths.Register());
    return e;
  }
  return {};
}

Expected<std::vector<std::string>> ReadNameRegister(FilePort& files, const RecordPaths& paths) {
  auto bytes = files.ReadWholeFile(paths.Register());
  if (!bytes) return bytes.error();
  return SplitLines(Cp1252ToUtf8(*bytes));
}

Expected<bool> NameRegisterContains(FilePort& files, const RecordPaths& paths, const std::string& name) {
  auto lines = ReadNameRegister(files, paths);
  if (!lines) return lines.error();
  const std::string wanted = UpperCase(name);
  for (const auto& line : *lines)
    if (UpperCase(line) == wanted) return true;
  return false;
}

SysError AppendToNameRegister(FilePort& files, const RecordPaths& paths, const std::string& name) {
  auto file = files.Open(paths.Register(), FileAccess::ReadWrite, FileShare::ReadWrite,
                         FileCreation::OpenOrCreate);
  if (!file) return file.error();
  auto bytes = (*file)->ReadAll();
  if (!bytes) return bytes.error();
  // A last line without CR LF would otherwise run into the new name.
  std::string line = !bytes->empty() && bytes->back() != '\n' ? "\r\n" : "";
  line += Utf8ToCp1252(name) + "\r\n";
  return (*file)->WriteAt(bytes->size(), line);
}

SysError WriteNameRegister(FilePort& files, const RecordPaths& paths, const std::vector<std::string>& names) {
  std::string bytes;
  for (const auto& name : names) bytes += Utf8ToCp1252(name) + "\r\n";
  return files.ReplaceWholeFile(paths.Register(), bytes);
}

SysError EnsurePupilLog(FilePort& files, const RecordPaths& paths, const std::string& name) {
  if (!IsSafePupilFileName(name))
    return {win_error::kInvalidName, "Der Name \"" + name + "\" kann nicht als Dateiname verwendet werden."};
  const std::string log = paths.PupilLog(name);
  if (files.FileExists(log)) return {};
  auto file = files.Open(log, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenOrCreate);
  return file ? SysError{} : file.error();
}

bool IsSafePupilFileName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    auto b = static_cast<unsigned char>(c);
    if (b < 32 || b == 127 || std::string_view("<>:\"/\\|?*").find(c) != std::string_view::npos)
      return false;
  }
  // A device name with any extension is the device, not a file.
  std::string stem = UpperCase(name.substr(0, name.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static constexpr std::array<std::string_view, 22> kDevices = {
      "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
      "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
  for (auto device : kDevices)
    if (stem == device) return false;
  return true;
}

}  // namespace lirabo
