#include "menu/win32/win32_desktop.h"

#include <windows.h>

namespace lirabo {
namespace {

// The first listed mode gives the record valid contents; only the size changes,
// so the colour depth stays what it is.
DEVMODEW ModeRecord(PixelSize size) {
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsW(nullptr, 0, &mode);
  mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmPelsWidth = static_cast<DWORD>(size.width);
  mode.dmPelsHeight = static_cast<DWORD>(size.height);
  return mode;
}

}  // namespace

PixelSize Win32DesktopPort::ScreenSize() { return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

int Win32DesktopPort::TestDisplayMode(PixelSize size) {
  DEVMODEW mode = ModeRecord(size);
  return ChangeDisplaySettingsW(&mode, CDS_TEST);
}

int Win32DesktopPort::SwitchDisplayMode(PixelSize size, bool temporary) {
  DEVMODEW mode = ModeRecord(size);
  return ChangeDisplaySettingsW(&mode, temporary ? CDS_FULLSCREEN : 0);
}

void Win32DesktopPort::SetTaskbarVisible(bool visible) {
  HWND taskbar = FindWindowW(L"Shell_traywnd", nullptr);
  // Shown without being activated: the taskbar must not take the foreground from
  // the exercise just started or from the menu a second start brought to the front.
  if (taskbar) ShowWindow(taskbar, visible ? SW_SHOWNA : SW_HIDE);
}

PixelRect Win32DesktopPort::WorkArea() {
  RECT rc{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &rc, 0);
  return {rc.left, rc.top, rc.right, rc.bottom};
}

}  // namespace lirabo
