#pragma once
// What the menu does from its start to the pupil's first click, and on its way out.
#include <optional>
#include <string>

#include "common/services.h"
#include "menu/desktop_port.h"
#include "menu/menu_state.h"

namespace lirabo {

// The menu's windows as start-up and shutdown drive them.
class MenuWindows {
 public:
  virtual ~MenuWindows() = default;
  virtual std::string MenuCaption() = 0;
  virtual void SetMenuCaption(const std::string& caption) = 0;
  virtual void SetGreeting(const std::string& text) = 0;
  virtual void ShowNameButton() = 0;
  virtual void AddMinimizeBox() = 0;
  // Loads the background (placed as `BackgroundPlacement` says), moves it to
  // 640 x 480 at the top left when the display was switched, and shows it.
  virtual void ShowBackground(bool displaySwitched) = 0;
  virtual bool IsBackgroundLoaded() = 0;
  // Gives the menu window its former owner back, then unloads the background.
  virtual void UnloadBackground() = 0;
  // The name button's click: the name dialog, then the greeting.
  virtual void OpenNameEntry() = 0;
};

struct MenuPorts : Services {
  DesktopPort& desktop;
  MenuWindows& windows;
};

// What start-up found; the menu's flow decides what follows.
enum class StartupResult {
  Ready,              // the desktop is prepared and the pupil greeted
  Refused,            // another menu or Varkon runs; the desktop is untouched
  SettingsNotLoaded,  // the settings folder or options.ini failed; the message was shown
};

// Brings the user copy in `settingsFolder` up to date with the master and opens
// it, with the retry for locked files.
Expected<FileHandle> OpenSettingsWithRetry(FilePort& files, SystemPort& system, const std::string& settingsFolder,
                                           const std::string& applicationPath);

StartupResult RunMenuStartup(MenuState& state, MenuPorts& ports, const std::string& commandLine);
void RunMenuShutdown(MenuState& state, MenuPorts& ports);
// The shutdown steps that need no window: the display mode back, the taskbar shown.
void RestoreDesktop(MenuState& state, DesktopPort& desktop, MessagePort& messages);

// The name after the marker /n=" up to the next double quote; nothing when the
// marker or its closing quote is missing.
std::optional<std::string> FindNameMarker(const std::string& commandLine);
std::string GreetingFor(const std::string& pupilName);

}  // namespace lirabo
