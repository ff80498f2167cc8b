#include "common/win32/message_box.h"

#include "common/win32/form.h"
#include "common/win32/wide.h"

namespace lirabo {
namespace {

// The box belongs to the form the user works with, so it is modal to it.
HWND OwnerWindow() {
  HWND active = GetActiveWindow();
  if (active) return active;
  const auto& forms = Form::LoadedForms();
  for (auto it = forms.rbegin(); it != forms.rend(); ++it)
    if (IsWindowVisible((*it)->Window()) && IsWindowEnabled((*it)->Window())) return (*it)->Window();
  return nullptr;
}

}  // namespace

MsgAnswer Win32MessagePort::Show(const std::string& text, MsgButtons buttons, MsgIcon icon,
                                 const std::string& title) {
  UINT flags = buttons == MsgButtons::Ok ? MB_OK : buttons == MsgButtons::OkCancel ? MB_OKCANCEL : MB_YESNO;
  if (icon == MsgIcon::Information) flags |= MB_ICONINFORMATION;
  if (icon == MsgIcon::Critical) flags |= MB_ICONSTOP;
  HWND owner = OwnerWindow();
  // Without an owner the box could open behind a topmost form.
  if (!owner) flags |= MB_TOPMOST | MB_SETFOREGROUND;
  int answer = MessageBoxW(owner, Widen(text).c_str(), Widen(title.empty() ? title_ : title).c_str(), flags);
  switch (answer) {
    case IDCANCEL: return MsgAnswer::Cancel;
    case IDYES: return MsgAnswer::Yes;
    case IDNO: return MsgAnswer::No;
    default: return MsgAnswer::Ok;
  }
}

}  // namespace lirabo
