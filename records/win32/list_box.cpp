#include "records/win32/list_box.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "common/win32/wide.h"

namespace lirabo {

ListOrder ListBoxOrder() {
  return [](std::string_view a, std::string_view b) {
    std::wstring wa = Widen(a), wb = Widen(b);
    int c = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.c_str(), static_cast<int>(wa.size()),
                           wb.c_str(), static_cast<int>(wb.size()));
    if (c == CSTR_LESS_THAN) return -1;
    if (c == CSTR_GREATER_THAN) return 1;
    return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
  };
}

namespace {

std::optional<std::string> EntryAt(HWND listBox, LRESULT index) {
  LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == LB_ERR) return std::nullopt;
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  length = SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(length == LB_ERR ? 0 : static_cast<size_t>(length));
  return Narrow(text);
}

}  // namespace

std::optional<std::string> ListBoxSelection(HWND listBox) {
  LRESULT index = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return std::nullopt;
  return EntryAt(listBox, index);
}

std::vector<std::string> ListBoxEntries(HWND listBox) {
  std::vector<std::string> entries;
  LRESULT count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i)
    if (auto entry = EntryAt(listBox, i)) entries.push_back(std::move(*entry));
  return entries;
}

std::vector<std::string> InListBoxOrder(std::vector<std::string> entries) {
  // One sort key per entry, compared as bytes, gives the order CompareStringW gives,
  // without comparing the strings themselves again and again.
  constexpr DWORD kFlags = LCMAP_SORTKEY | NORM_IGNORECASE;
  std::vector<std::string> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    std::wstring wide = Widen(entries[i]);
    const int length = static_cast<int>(wide.size());
    // Room for most keys at once; a longer one is measured first.
    std::string& key = keys[i];
    key.resize(wide.size() * 6 + 16);
    int bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                             static_cast<int>(key.size()));
    if (bytes == 0 && (bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, nullptr, 0)) > 0) {
      key.resize(static_cast<std::size_t>(bytes));
      bytes = LCMapStringW(LOCALE_USER_DEFAULT, kFlags, wide.c_str(), length, reinterpret_cast<LPWSTR>(key.data()),
                           bytes);
    }
    key.resize(static_cast<std::size_t>(bytes > 0 ? bytes : 0));
  }
  std::vector<std::size_t> order(entries.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return std::tie(keys[a], entries[a]) < std::tie(keys[b], entries[b]);
  });
  std::vector<std::string> sorted;
  sorted.reserve(entries.size());
  for (std::size_t i : order) sorted.push_back(std::move(entries[i]));
  return sorted;
}

void FillListBox(HWND listBox, const std::vector<std::string>& entries) {
  SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
  SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
  std::size_t bytes = 0;
  for (const auto& entry : entries) bytes += (entry.size() + 1) * sizeof(wchar_t);
  SendMessageW(listBox, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
  // Appended as they come: LB_ADDSTRING would search each entry's place again.
  for (const auto& entry : entries)
    SendMessageW(listBox, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Widen(entry).c_str()));
  SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(listBox, nullptr, TRUE);
}

}  // namespace lirabo
