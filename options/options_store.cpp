#include "options/options_store.h"

#include "options/options_format.h"

namespace lirabo {

ProbeOutcome ProbeOptionsWritable(FilePort& files, const std::string& path) {
  auto probe = files.Open(path, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenOrCreate);
  if (probe) return {};
  const SysError& error = probe.error();
  return {error.IsLockedOrDenied() ? ProbeResult::Refused : ProbeResult::Failed, error};
}

Expected<FileHandle> HoldOptionsFile(FilePort& files, const std::string& path) {
  return files.Open(path, FileAccess::Read, FileShare::Read, FileCreation::OpenExisting);
}

SysError WriteOptionsFile(FilePort& files, const std::string& path, const OptionsRecord& record) {
  return files.ReplaceContents(path, FormatOptionsFile(record));
}

Expected<FileHandle> OpenOptionsForReading(FilePort& files, const std::string& path) {
  return files.Open(path, FileAccess::Read, FileShare::ReadWrite, FileCreation::OpenExisting);
}

SysError AdoptMaster(FilePort& files, const std::string& applicationPath, const std::string& settingsFolder) {
  const std::string master = applicationPath + kOptionsFileName;
  if (SysError e = files.CopyWholeFile(master, settingsFolder + kOptionsFileName, ReadOnlyFile::Heal)) return e;
  return files.CopyWholeFile(master, settingsFolder + kOptionsMarkerName, ReadOnlyFile::Heal);
}

SysError RefreshOptionsCopy(FilePort& files, const std::string& applicationPath,
                            const std::string& settingsFolder) {
  const std::string master = applicationPath + kOptionsFileName;
  const std::string marker = settingsFolder + kOptionsMarkerName;

  // Without a marker nobody can tell whether the master changed: adopt it. A first
  // start that could copy the user copy but not the marker would otherwise keep
  // the menu from starting on this PC for good.
  if (!files.FileExists(marker)) return AdoptMaster(files, applicationPath, settingsFolder);
  auto markerFile = OpenOptionsForReading(files, marker);
  if (!markerFile) return markerFile.error();
  auto masterFile = OpenOptionsForReading(files, master);
  if (!masterFile) return masterFile.error();
  auto markerBytes = (*markerFile)->ReadAll();
  if (!markerBytes) return markerBytes.error();
  auto masterBytes = (*masterFile)->ReadAll();
  if (!masterBytes) return masterBytes.error();
  markerFile->reset();
  masterFile->reset();

  auto a = ParseOptionsValues(*markerBytes);
  auto b = ParseOptionsValues(*masterBytes);
  bool differs = false;
  for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) differs = differs || a[i] != b[i];
  if (!differs) return {};
  return AdoptMaster(files, applicationPath, settingsFolder);
}

}  // namespace lirabo
