#include "menu/menu_startup.h"

#include "common/help.h"

#include "common/retry.h"
#include "common/text.h"
#include "menu/menu_texts.h"
#include "options/options_format.h"
#include "options/options_store.h"
#include "records/name_register.h"

namespace lirabo {
namespace {

// Creates `base` + `part` when it is not yet a directory; returns the joined path.
Expected<std::string> EnsureFolder(FilePort& files, const std::string& base, const char* part) {
  std::string path = base + part;
  if (!files.DirectoryExists(path))
    if (SysError e = files.MakeDirectory(path)) return e;
  return path;
}

void ReportIfFailed(MessagePort& messages, const SysError& error) {
  if (error) messages.Show(error.description);
}

void TakePupilName(MenuState& state, MenuPorts& ports, const std::string& applicationPath,
                   const std::string& commandLine) {
  // A name that cannot be a file name in the log folder counts as no name.
  RecordPaths paths{state.settingsFolder, applicationPath};
  std::optional<std::string> marked = FindNameMarker(commandLine);
  state.pupilName = marked && IsUsablePupilName(paths, *marked) ? *marked : std::string();
  if (!state.pupilName.empty()) {
    ReportIfFailed(ports.messages, EnsureNameRegister(ports.files, paths));
    ReportIfFailed(ports.messages, EnsurePupilLog(ports.files, paths, state.pupilName));
  }
  ports.windows.SetGreeting(GreetingFor(state.pupilName));
  ports.windows.ShowNameButton();
  if (state.pupilName.empty()) ports.windows.OpenNameEntry();
}

}  // namespace

// Failures of one attempt do not stop its later steps; the last one counts.
Expected<FileHandle> OpenSettingsWithRetry(FilePort& files, SystemPort& system, const std::string& settingsFolder,
                                           const std::string& applicationPath) {
  const std::string user = settingsFolder + kOptionsFileName;
  FileHandle userFile;
  SysError error = RetryWhileLocked(system, [&] {
    SysError collected;
    userFile.reset();
    if (!files.FileExists(user))
      if (SysError e = AdoptMaster(files, applicationPath, settingsFolder)) collected = e;
    if (SysError e = RefreshOptionsCopy(files, applicationPath, settingsFolder)) collected = e;
    auto opened = OpenOptionsForReading(files, user);
    if (!opened)
      collected = opened.error();
    else
      userFile = std::move(*opened);
    return collected;
  });
  if (error) return error;
  return Expected<FileHandle>(std::move(userFile));
}

std::optional<std::string> FindNameMarker(const std::string& commandLine) {
  const std::string marker = "/n=\"";
  std::size_t at = commandLine.find(marker);
  if (at == std::string::npos) return std::nullopt;
  std::size_t start = at + marker.size();
  std::size_t end = commandLine.find('"', start);
  if (end == std::string::npos) return std::nullopt;
  return commandLine.substr(start, end - start);
}

std::string GreetingFor(const std::string& pupilName) {
  if (pupilName.empty() || UpperCase(pupilName) == "UNBEKANNT")
    return std::string("Hallo!\r\n") + texts::kChooseProgram;
  return "Hallo " + pupilName + "!\r\n" + texts::kChooseProgram;
}

StartupResult RunMenuStartup(MenuState& state, MenuPorts& ports, const std::string& commandLine) {
  if (ports.system.IsPreviousInstanceRunning()) {
    std::string caption = ports.windows.MenuCaption();
    ports.windows.SetMenuCaption(texts::kSecondInstanceCaption);
    ports.system.ActivateWindowTitled(caption);
    return StartupResult::Refused;
  }
  if (ports.system.IsProcessRunning("Varkon.exe")) {
    ports.messages.Show(texts::kVarkonRunning);
    return StartupResult::Refused;
  }

  auto zuzururu = EnsureFolder(ports.files, ports.system.GetSpecialFolder(kCsidlAppData, true, true),
                               "\\DE Zuzururu");
  auto lirabo = zuzururu ? EnsureFolder(ports.files, *zuzururu, "\\Lirabo") : zuzururu;
  if (!lirabo) {
    ports.messages.Show(lirabo.error().description);
    return StartupResult::SettingsNotLoaded;
  }
  state.settingsFolder = *lirabo;

  const std::string applicationPath = ports.system.ApplicationPath();
  auto userFile = OpenSettingsWithRetry(ports.files, ports.system, state.settingsFolder, applicationPath);
  if (!userFile) {
    const SysError& error = userFile.error();
    ports.messages.Show(error.IsLockedOrDenied() ? texts::kSettingsLocked : error.description);
    return StartupResult::SettingsNotLoaded;
  }
  auto bytes = (*userFile)->ReadAll();
  if (!bytes) {
    ports.messages.Show(bytes.error().description);
    return StartupResult::SettingsNotLoaded;
  }
  userFile->reset();
  ApplyStartupValues(state.settings, ParseOptionsValues(*bytes));
  state.settings.coverDesktopCopy = state.settings.coverDesktop;

  // The mark is set even when the switch did not happen, so shutdown tries to
  // restore; the background, though, goes to 640 x 480 only on a switched display
  // and otherwise covers what it covers without a switch.
  bool switched = false;
  if (state.settings.fullScreen == kTrue) {
    switched = SetDisplayMode(ports.desktop, ports.messages, state.display, kMenuDisplaySize);
    state.display.displaySwitchMark = kDisplaySwitched;
  }
  if (state.settings.coverDesktopCopy == kTrue) {
    ports.windows.ShowBackground(switched);
    if (state.settings.taskbarVisible == 0) ports.desktop.SetTaskbarVisible(false);
  } else {
    ports.windows.AddMinimizeBox();
  }

  ports.windows.SetGreeting(GreetingFor(""));
  const bool onTop = state.settings.coverDesktopCopy == kTrue && state.settings.taskbarVisible == 0;
  state.helpFile = MenuHelpFile(applicationPath, onTop, ports.system.IsNt6OrLater());
  if (state.settings.logUnderPupilName != 0) TakePupilName(state, ports, applicationPath, commandLine);
  return StartupResult::Ready;
}

void RunMenuShutdown(MenuState& state, MenuPorts& ports) {
  if (ports.windows.IsBackgroundLoaded()) ports.windows.UnloadBackground();
  RestoreDesktop(state, ports.desktop, ports.messages);
}

void RestoreDesktop(MenuState& state, DesktopPort& desktop, MessagePort& messages) {
  if (state.display.displaySwitchMark == kDisplaySwitched) RestoreDisplayMode(desktop, messages, state.display);
  desktop.SetTaskbarVisible(true);
}

}  // namespace lirabo
