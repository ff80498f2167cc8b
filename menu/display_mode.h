#pragma once
// Switching the classroom display to 640 x 480 and back, test first.
#include <cstdint>

#include "common/message_port.h"
#include "menu/desktop_port.h"

namespace lirabo {

inline constexpr std::int16_t kDisplaySwitched = 11;
inline constexpr PixelSize kMenuDisplaySize{640, 480};

struct DisplayState {
  std::int16_t displaySwitchMark = 0;  // 11 once start-up asked for the switch
  PixelSize recordedScreenSize;        // the size before the last switch
};

// True when the display now has `size`: the test passed and the switch was made.
bool SetDisplayMode(DesktopPort& desktop, MessagePort& messages, DisplayState& state, PixelSize size);
void RestoreDisplayMode(DesktopPort& desktop, MessagePort& messages, DisplayState& state);

// Where the background form goes: over the work area while the taskbar stays
// visible, over the whole screen otherwise.
PixelRect BackgroundPlacement(std::int16_t taskbarVisible, PixelRect workArea, PixelSize screen);

}  // namespace lirabo
