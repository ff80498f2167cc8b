#include "common/win32/picture_button.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <memory>
#include <string_view>

// Our own resources only: PNG alone, from memory, without failure texts.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STBI_NO_FAILURE_STRINGS
#define STBI_NO_THREAD_LOCALS
#include <stb_image.h>

#include "common/win32/twips.h"

namespace lirabo {
namespace {

struct ThemeTraits {
  using Type = HTHEME;
  static HTHEME Invalid() { return nullptr; }
  static void Close(HTHEME theme) { ::CloseThemeData(theme); }
};
using UniqueTheme = UniqueAny<ThemeTraits>;

// The resource's bytes: a PNG file as the build rendered it.
std::string_view ResourceBytes(int resource) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resource), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  return data ? std::string_view(static_cast<const char*>(data), SizeofResource(module, found)) : std::string_view();
}

void DrawFace(const DRAWITEMSTRUCT& item, bool pressed, bool disabled, bool defaulted) {
  RECT rc = item.rcItem;
  UniqueTheme theme(OpenThemeData(item.hwndItem, L"BUTTON"));
  if (!theme) {
    DrawFrameControl(item.hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    return;
  }
  int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : defaulted ? PBS_DEFAULTED : PBS_NORMAL;
  // The corners beside the rounded face show the parent's colour; asking for its
  // brush is much cheaper than having the parent paint itself into every button.
  auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(item.hwndItem), WM_CTLCOLORBTN,
                                                     reinterpret_cast<WPARAM>(item.hDC),
                                                     reinterpret_cast<LPARAM>(item.hwndItem)));
  FillRect(item.hDC, &rc, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  DrawThemeBackground(theme.get(), item.hDC, BP_PUSHBUTTON, state, &rc, nullptr);
}

// The picture centred in `area`, as large as fits.
void DrawPicture(HDC dc, HBITMAP picture, RECT area, bool disabled) {
  BITMAP bm{};
  if (!GetObjectW(picture, sizeof bm, &bm) || bm.bmWidth <= 0 || bm.bmHeight <= 0) return;
  int availW = area.right - area.left, availH = area.bottom - area.top;
  int w = availW, h = MulDiv(availW, bm.bmHeight, bm.bmWidth);
  if (h > availH) {
    h = availH;
    w = MulDiv(availH, bm.bmWidth, bm.bmHeight);
  }
  UniqueMemoryDc memory(CreateCompatibleDC(dc));
  SelectedObject selected(memory.get(), picture);
  BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(disabled ? 110 : 255), AC_SRC_ALPHA};
  GdiAlphaBlend(dc, area.left + (availW - w) / 2, area.top + (availH - h) / 2, w, h, memory.get(), 0, 0,
                bm.bmWidth, bm.bmHeight, blend);
}

}  // namespace

// Decoded by stb_image into premultiplied BGRA, the form AlphaBlend wants; stored
// compressed, the pictures keep the program small. A decoder of our own spares
// every start COM and the Windows Imaging Component.
UniqueBitmap DecodePicture(std::string_view png) {
  if (png.empty()) return {};
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<stbi_uc, decltype(&stbi_image_free)> rgba(
      stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()), &width,
                            &height, &channels, 4),
      &stbi_image_free);
  if (!rgba || width <= 0 || height <= 0) return {};
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return {};
  const stbi_uc* from = rgba.get();
  auto* to = static_cast<BYTE*>(bits);
  for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n;
       ++i, from += 4, to += 4) {
    const unsigned alpha = from[3];
    auto premultiply = [alpha](stbi_uc c) { return static_cast<BYTE>((c * alpha + 127) / 255); };
    to[0] = premultiply(from[2]);
    to[1] = premultiply(from[1]);
    to[2] = premultiply(from[0]);
    to[3] = static_cast<BYTE>(alpha);
  }
  return bitmap;
}

UniqueBitmap LoadPicture(int resource) { return DecodePicture(ResourceBytes(resource)); }

void DrawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, bool defaulted, UINT dpi) {
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool focused = item.itemState & ODS_FOCUS;
  DrawFace(item, pressed, disabled, defaulted || focused);

  const int margin = TwipsToPixels(90, dpi);
  RECT rc = item.rcItem;
  InflateRect(&rc, -margin, -margin);
  if (pressed) OffsetRect(&rc, 1, 1);
  wchar_t caption[128] = {};
  GetWindowTextW(item.hwndItem, caption, 128);
  HFONT font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  SelectedObject selectedFont(item.hDC, font);
  int textHeight = 0;
  if (caption[0]) {
    RECT measured = rc;
    DrawTextW(item.hDC, caption, -1, &measured, DT_CALCRECT | DT_SINGLELINE);
    textHeight = measured.bottom - measured.top;
  }
  if (picture) {
    RECT area = rc;
    area.bottom -= textHeight + (textHeight ? margin / 2 : 0);
    DrawPicture(item.hDC, picture, area, disabled);
  }
  if (caption[0]) {
    RECT bottom = rc;
    bottom.top = rc.bottom - textHeight;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextW(item.hDC, caption, -1, &bottom, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -margin / 2, -margin / 2);
    DrawFocusRect(item.hDC, &focus);
  }
}

}  // namespace lirabo
