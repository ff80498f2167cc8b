#pragma once
// Layout tables keep the twips the forms were designed in; this is the one place
// that turns them into pixels.
#include <windows.h>

namespace lirabo {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }
inline int PixelsToTwips(int pixels, UINT dpi) { return MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi)); }
// Font height for CreateFont from hundredths of a point (8.25 pt = 825).
inline int FontHeightPixels(int hundredthsOfPoint, UINT dpi) {
  return -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 7200);
}

// The DPI of a window (per-monitor where the system knows it), or of the screen.
UINT DpiOf(HWND window);

}  // namespace lirabo
