#pragma once
// Push buttons with a picture above their caption, drawn by their form.
#include <windows.h>

#include <string_view>

#include "common/win32/handles.h"

namespace lirabo {

// A picture resource (a PNG with transparency) as a premultiplied 32-bit bitmap for
// AlphaBlend; empty when missing or unreadable.
UniqueBitmap LoadPicture(int resource);
// The same from a PNG file's bytes.
UniqueBitmap DecodePicture(std::string_view png);

// Paints one owner-drawn button: the themed face (defaulted when it shows the
// default frame), the picture scaled to fit with its proportions kept, the caption
// below it, and the focus rectangle.
void DrawPictureButton(const DRAWITEMSTRUCT& item, HBITMAP picture, bool defaulted, UINT dpi);

}  // namespace lirabo
