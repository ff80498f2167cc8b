#pragma once
#include "menu/desktop_port.h"

namespace lirabo {

// Display settings, the taskbar window and the work area of the real desktop.
class Win32DesktopPort final : public DesktopPort {
 public:
  PixelSize ScreenSize() override;
  int TestDisplayMode(PixelSize size) override;
  int SwitchDisplayMode(PixelSize size, bool temporary) override;
  void SetTaskbarVisible(bool visible) override;
  PixelRect WorkArea() override;
};

}  // namespace lirabo
