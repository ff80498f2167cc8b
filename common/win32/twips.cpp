#include "common/win32/twips.h"

#include "common/win32/handles.h"

namespace lirabo {

UINT DpiOf(HWND window) {
  // GetDpiForWindow exists from Windows 10 1607 on; older systems have one DPI.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (window && getDpiForWindow) {
    UINT dpi = getDpiForWindow(window);
    if (dpi) return dpi;
  }
  WindowDc screen(nullptr);
  UINT dpi = static_cast<UINT>(GetDeviceCaps(screen.get(), LOGPIXELSX));
  return dpi ? dpi : 96;
}

}  // namespace lirabo
