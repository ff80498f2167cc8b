#include "menu/display_mode.h"

#include "menu/menu_texts.h"

namespace lirabo {
namespace {

void ShowRestartNotice(MessagePort& messages) {
  messages.Show(texts::kRestartNeeded, MsgButtons::OkCancel, MsgIcon::Information,
                texts::kRestartNeededTitle);
}

}  // namespace

bool SetDisplayMode(DesktopPort& desktop, MessagePort& messages, DisplayState& state, PixelSize size) {
  state.recordedScreenSize = desktop.ScreenSize();
  int answer = desktop.TestDisplayMode(size);
  if (answer == kDispChangeRestart) {
    ShowRestartNotice(messages);
  } else if (answer == kDispChangeSuccessful) {
    return desktop.SwitchDisplayMode(size, /*temporary=*/true) == kDispChangeSuccessful;
  }
  return false;
}

void RestoreDisplayMode(DesktopPort& desktop, MessagePort& messages, DisplayState& state) {
  int answer = desktop.TestDisplayMode(state.recordedScreenSize);
  if (answer == kDispChangeRestart) {
    ShowRestartNotice(messages);
  } else if (answer == kDispChangeSuccessful) {
    desktop.SwitchDisplayMode(state.recordedScreenSize, /*temporary=*/false);
    state.displaySwitchMark = 0;
  }
}

PixelRect BackgroundPlacement(std::int16_t taskbarVisible, PixelRect workArea, PixelSize screen) {
  if (taskbarVisible != 0) return workArea;
  return {0, 0, screen.width, screen.height};
}

}  // namespace lirabo
