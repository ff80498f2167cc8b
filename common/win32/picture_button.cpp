#include "common/win32/picture_button.h"

#include <uxtheme.h>
#include <vsstyle.h>

#include <cstdlib>

#include "common/win32/twips.h"

namespace lirabo {
namespace {

struct ThemeTraits {
  using Type = HTHEME;
  static HTHEME Invalid() { return nullptr; }
  static void Close(HTHEME theme) { ::CloseThemeData(theme); }
};
using UniqueTheme = UniqueAny<ThemeTraits>;

// Bitmaps are stored straight; AlphaBlend wants premultiplied colour.
void Premultiply(HBITMAP bitmap) {
  DIBSECTION dib{};
  if (GetObjectW(bitmap, sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBitsPixel != 32 || !dib.dsBm.bmBits)
    return;
  auto* px = static_cast<BYTE*>(dib.dsBm.bmBits);
  size_t count = static_cast<size_t>(dib.dsBm.bmWidth) * static_cast<size_t>(std::abs(dib.dsBm.bmHeight));
  for (size_t i = 0; i < count; ++i, px += 4) {
    unsigned a = px[3];
    for (int c = 0; c < 3; ++c) px[c] = static_cast<BYTE>(px[c] * a / 255);
  }
}

void DrawFace(const DRAWITEMSTRUCT& item, bool pressed, bool disabled, bool defaulted) {
  RECT rc = item.rcItem;
  UniqueTheme theme(OpenThemeData(item.hwndItem, L"BUTTON"));
  if (!theme) {
    DrawFrameControl(item.hDC, &rc, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    return;
  }
  int state = disabled ? PBS_DISABLED : pressed ? PBS_PRESSED : defaulted ? PBS_DEFAULTED : PBS_NORMAL;
  DrawThemeParentBackground(item.hwndItem, item.hDC, &rc);
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
  SetStretchBltMode(dc, HALFTONE);
  AlphaBlend(dc, area.left + (availW - w) / 2, area.top + (availH - h) / 2, w, h, memory.get(), 0, 0, bm.bmWidth,
             bm.bmHeight, blend);
}

}  // namespace

UniqueBitmap LoadPicture(int resource) {
  UniqueBitmap bitmap(static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(resource), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (bitmap) Premultiply(bitmap.get());
  return bitmap;
}

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
