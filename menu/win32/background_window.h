#pragma once
// The black background that hides the desktop behind the menu. While loaded it
// owns the menu window, so the menu always stays in front of it.
#include "common/win32/form.h"
#include "menu/desktop_port.h"

namespace lirabo {

class BackgroundWindow final : public Form {
 public:
  BackgroundWindow(HWND menuWindow, PixelRect placement, HICON icon);

  // Gives the menu window its former owner back; then the background may go.
  void ReturnMenuOwner();
  // After a display switch: 640 x 480 pixels at the top left.
  void MoveToSwitchedDisplay();

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override { return {}; }
  void OnLoad() override;
  bool OnQueryUnload(UnloadReason) override { return false; }

 private:
  HWND menuWindow_;
  PixelRect placement_;
  HICON icon_;
  HWND savedMenuOwner_ = nullptr;
};

}  // namespace lirabo
