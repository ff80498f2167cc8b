// The button pictures' decoder and the sorted list boxes' own order.
#include <gtest/gtest.h>

#include "common/win32/picture_button.h"
#include "common/win32/wide.h"
#include "records/win32/list_box.h"

namespace lirabo {
namespace {

TEST(Pictures, PngBecomesPremultipliedBgraAndBrokenBytesNoPicture) {
  // 2 x 1 RGBA: (200, 100, 50) at half alpha, then opaque blue.
  const char png[] =
      "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x01\x08\x06"
      "\x00\x00\x00\xF4\x22\x7F\x8A\x00\x00\x00\x11\x49\x44\x41\x54\x78\xDA\x63\x38\x91\x62\xD4\xC0\xC0\xF0\xFF"
      "\x3F\x00\x0F\xAE\x03\xDD\xEA\x1C\xFD\x01\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";
  UniqueBitmap picture = DecodePicture(std::string_view(png, sizeof png - 1));
  ASSERT_TRUE(picture);
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(picture.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  const auto* bgra = static_cast<const unsigned char*>(dib.dsBm.bmBits);
  EXPECT_EQ(std::vector<int>(bgra, bgra + 8), (std::vector<int>{25, 50, 100, 128, 255, 0, 0, 255}));
  EXPECT_FALSE(DecodePicture(std::string_view(png, 40)));
  EXPECT_FALSE(DecodePicture("not a picture"));
}

// The list box, sorted by itself one entry at a time, is the reference.
TEST(SortedListBox, SortKeysGiveTheOrderTheListBoxKeeps) {
  const std::vector<std::string> names = {"Zoe",    "anna", "Ömer",  "Oskar",  "ben",         "Ben 2",
                                          "10",     "9",    "Ärzte", "Arno",   "Marie Luise", "Marie",
                                          "Mariel", "ßa",   "sz",    "Sabine", "ole"};
  HWND box = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
  ASSERT_TRUE(box);
  for (const auto& name : names) SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  EXPECT_EQ(InListBoxOrder(names), ListBoxEntries(box));
  DestroyWindow(box);
}

}  // namespace
}  // namespace lirabo
