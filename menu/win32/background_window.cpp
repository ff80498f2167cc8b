#include "menu/win32/background_window.h"

#include "menu/display_mode.h"
#include "menu/menu_texts.h"

namespace lirabo {

BackgroundWindow::BackgroundWindow(HWND menuWindow, PixelRect placement, HICON icon)
    : menuWindow_(menuWindow), placement_(placement), icon_(icon) {}

FormSpec BackgroundWindow::Spec() const {
  FormSpec spec{texts::kBackgroundCaption, 0, 0};
  spec.style = WS_POPUP | WS_CLIPCHILDREN;
  spec.exStyle = 0;
  spec.backColour = RGB(0, 0, 0);
  spec.centred = false;  // placed by its load and by start-up
  return spec;
}

void BackgroundWindow::OnLoad() {
  SetWindowPos(Window(), nullptr, placement_.left, placement_.top, placement_.right - placement_.left,
               placement_.bottom - placement_.top, SWP_NOZORDER | SWP_NOACTIVATE);
  if (icon_) {
    SendMessageW(Window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
  }
  savedMenuOwner_ = GetWindow(menuWindow_, GW_OWNER);
  SetWindowLongPtrW(menuWindow_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(Window()));
}

void BackgroundWindow::ReturnMenuOwner() {
  SetWindowLongPtrW(menuWindow_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(savedMenuOwner_));
}

void BackgroundWindow::MoveToSwitchedDisplay() {
  SetWindowPos(Window(), nullptr, 0, 0, kMenuDisplaySize.width, kMenuDisplaySize.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace lirabo
