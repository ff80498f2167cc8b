// The dialog manager of every form: where the focus goes, what Tab, Enter, Esc and
// the arrow keys do, and which push button shows the default frame. Written once
// here rather than left to IsDialogMessage, which on a window that is not a
// dialog leaves Tab out of a multi-line box and never moves the default frame.
#include <algorithm>

#include "common/win32/form.h"

namespace lirabo {
namespace {

bool TakesNoFocus(ControlKind kind) {
  return kind == ControlKind::Label || kind == ControlKind::Frame || kind == ControlKind::Panel;
}

bool IsPushButtonKind(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::PictureButton;
}

// Whether the focused control asks for this key itself. A multi-line box asks for
// all of them and, once asked so, gives Tab back with WM_NEXTDLGCTL.
bool ControlWantsKey(HWND focus, const MSG& msg) {
  if (!focus) return false;
  const auto code = SendMessageW(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
  if (code & DLGC_WANTMESSAGE) return true;  // also DLGC_WANTALLKEYS
  if (msg.wParam == VK_TAB) return (code & DLGC_WANTTAB) != 0;
  const bool arrow = msg.wParam == VK_LEFT || msg.wParam == VK_UP || msg.wParam == VK_RIGHT || msg.wParam == VK_DOWN;
  return arrow && (code & DLGC_WANTARROWS) != 0;
}

bool HasStyle(HWND window, DWORD style) {
  return (static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)) & style) == style;
}

void SetTabStop(HWND window, bool on) {
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  LONG_PTR wanted = on ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  if (wanted != style) SetWindowLongPtrW(window, GWL_STYLE, wanted);
}

}  // namespace

void Form::Dispatch(MSG& msg) {
  if (PreTranslate(msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

// Keys reach the form before its controls: F1, then key preview, then the
// dialog keys.
bool Form::PreTranslate(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_CHAR) return false;
  Form* form = msg.hwnd ? FromWindow(msg.hwnd) : nullptr;
  if (!form || !form->window_) return false;
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
    bool handled = false;
    Guard([&] { handled = form->OnHelpKey(); });
    if (handled) return true;
  }
  if (form->spec_.keyPreview) {
    bool consumed = false;
    Guard([&] { consumed = form->OnPreviewKey(msg); });
    if (consumed || !form->window_) return true;
  }
  return form->HandleDialogKey(msg);
}

bool Form::HandleDialogKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  HWND focus = GetFocus();
  if (focus && !IsChild(window_, focus)) focus = nullptr;
  const FormSpec& spec = spec_;
  switch (msg.wParam) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (ControlWantsKey(focus, msg)) return false;
      break;
    default:
      return false;
  }
  switch (msg.wParam) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) return false;
      TabToNext(GetKeyState(VK_SHIFT) < 0);
      return true;
    case VK_RETURN: {
      const ControlSpec* focused = focus ? SpecOf(GetDlgCtrlID(focus)) : nullptr;
      HWND target = focused && IsPushButtonKind(focused->kind) ? focus
                    : spec.defaultButton                        ? Control(spec.defaultButton)
                                                                : nullptr;
      if (target && IsWindowEnabled(target)) PressButton(target);
      return true;
    }
    case VK_ESCAPE:
      if (spec.cancelButton && IsControlEnabled(spec.cancelButton)) PressButton(Control(spec.cancelButton));
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      const ControlSpec* focused = focus ? SpecOf(GetDlgCtrlID(focus)) : nullptr;
      if (!focused || focused->kind != ControlKind::OptionButton) return false;
      MoveInOptionGroup(focus, msg.wParam == VK_LEFT || msg.wParam == VK_UP);
      return true;
    }
    default:
      return false;
  }
}

void Form::TabToNext(bool backwards) {
  HWND focus = GetFocus();
  HWND next = NextTabStop(focus && IsChild(window_, focus) ? focus : nullptr, backwards);
  if (!next) return;
  FocusAndNotice(next);
  const ControlSpec* control = SpecOf(GetDlgCtrlID(next));
  if (control && control->kind == ControlKind::TextBox) SendMessageW(next, EM_SETSEL, 0, -1);
}

void Form::FocusAndNotice(HWND control) {
  SetFocus(control);
  SetDefaultFrame(control);
}

void Form::PressButton(HWND button) {
  SendMessageW(window_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool Form::CanTakeFocus(const ControlSpec& control) const {
  if (TakesNoFocus(control.kind)) return false;
  HWND hwnd = Control(control.id);
  // The style, not IsWindowVisible: a form that is still hidden has a first control too.
  return hwnd && HasStyle(hwnd, WS_VISIBLE | WS_TABSTOP) && IsWindowEnabled(hwnd);
}

// Option buttons next to each other in the table form one group; any other
// control, a label or frame too, ends it.
std::span<const ControlSpec> Form::OptionGroupAt(size_t index) const {
  const auto controls = Controls();
  const auto isOption = [&](size_t i) { return controls[i].kind == ControlKind::OptionButton; };
  if (index >= controls.size() || !isOption(index)) return {};
  size_t first = index, end = index + 1;
  while (first > 0 && isOption(first - 1)) --first;
  while (end < controls.size() && isOption(end)) ++end;
  return controls.subspan(first, end - first);
}

std::span<const ControlSpec> Form::OptionGroupOf(int id) const {
  const auto controls = Controls();
  for (size_t i = 0; i < controls.size(); ++i)
    if (controls[i].id == id) return OptionGroupAt(i);
  return {};
}

// On Windows an automatic option button that gets the focus checks itself and
// reports a click: the program itself must never put the focus on one while its
// group has no choice yet, or it chooses for the user.
bool Form::IsUnchosenOption(HWND hwnd) const {
  const auto group = OptionGroupOf(GetDlgCtrlID(hwnd));
  return !group.empty() && std::none_of(group.begin(), group.end(), [&](const ControlSpec& c) {
    return SendMessageW(Control(c.id), BM_GETCHECK, 0, 0) == BST_CHECKED;
  });
}

// Where the program puts the focus by itself: the first tab stop that does not
// choose anything by taking it.
HWND Form::FirstTabStop() const {
  for (const ControlSpec& control : Controls())
    if (CanTakeFocus(control) && !IsUnchosenOption(Control(control.id))) return Control(control.id);
  return nullptr;
}

// The tables are in tab order; Tab wraps at either end.
HWND Form::NextTabStop(HWND from, bool backwards) const {
  const auto controls = Controls();
  const int n = static_cast<int>(controls.size());
  if (n == 0) return nullptr;
  const int fromId = from ? GetDlgCtrlID(from) : 0;
  int at = backwards ? 0 : -1;
  for (int i = 0; i < n; ++i)
    if (controls[static_cast<size_t>(i)].id == fromId) at = i;
  for (int step = 1; step <= n; ++step) {
    int i = ((at + (backwards ? -step : step)) % n + n) % n;
    if (CanTakeFocus(controls[static_cast<size_t>(i)])) return Control(controls[static_cast<size_t>(i)].id);
  }
  return nullptr;
}

void Form::MoveInOptionGroup(HWND from, bool backwards) {
  const int fromId = GetDlgCtrlID(from);
  const auto group = OptionGroupOf(fromId);
  if (group.empty()) return;
  const int n = static_cast<int>(group.size());
  const int at = static_cast<int>(std::find_if(group.begin(), group.end(), [&](const ControlSpec& c) {
                                    return c.id == fromId;
                                  }) - group.begin());
  for (int step = 1; step < n; ++step) {
    const ControlSpec& next = group[static_cast<size_t>(((at + (backwards ? -step : step)) % n + n) % n)];
    HWND hwnd = Control(next.id);
    if (!HasStyle(hwnd, WS_VISIBLE) || !IsWindowEnabled(hwnd)) continue;
    FocusAndNotice(hwnd);
    // As in a dialog, moving within the group chooses the button.
    if (SendMessageW(hwnd, BM_GETCHECK, 0, 0) != BST_CHECKED) SendMessageW(hwnd, BM_CLICK, 0, 0);
    return;
  }
}

// A group is one tab stop: its checked button, or its first when none is checked.
// The button control itself takes the stop away from every button it unchecks.
void Form::FixOptionGroupTabStops() {
  for (size_t i = 0; i < Controls().size();) {
    const auto group = OptionGroupAt(i);
    if (group.empty()) {
      ++i;
      continue;
    }
    const ControlSpec* stop = &group.front();
    for (const ControlSpec& c : group)
      if (SendMessageW(Control(c.id), BM_GETCHECK, 0, 0) == BST_CHECKED) stop = &c;
    for (const ControlSpec& c : group) SetTabStop(Control(c.id), &c == stop);
    i += group.size();
  }
}

void Form::RememberFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) lastFocus_ = focus;
}

// A control that has the focus keeps it; else the one that had it last gets it.
void Form::RestoreFocus() {
  HWND focus = GetFocus();
  HWND target = focus && IsChild(window_, focus) ? focus : lastFocus_;
  if (!target || !IsWindow(target) || !IsChild(window_, target) || !HasStyle(target, WS_VISIBLE) ||
      !IsWindowEnabled(target) || IsUnchosenOption(target))
    target = FirstTabStop();
  if (target && focus != target) FocusAndNotice(target);
}

void Form::FocusControl(int id) { FocusAndNotice(Control(id)); }

// The focused push button is the one Enter presses and shows the default frame;
// elsewhere the form's default button does.
void Form::SetDefaultFrame(HWND focus) {
  const ControlSpec* focused = SpecOf(GetDlgCtrlID(focus));
  const FormSpec& spec = spec_;
  HWND frame = focused && IsPushButtonKind(focused->kind) ? focus
               : spec.defaultButton                        ? Control(spec.defaultButton)
                                                           : nullptr;
  if (frame == defaultFrame_) return;
  HWND before = defaultFrame_;
  defaultFrame_ = frame;
  for (HWND button : {before, frame}) {
    const ControlSpec* control = button ? SpecOf(GetDlgCtrlID(button)) : nullptr;
    if (!control) continue;
    if (control->kind == ControlKind::Button)
      SendMessageW(button, BM_SETSTYLE, button == frame ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    else
      InvalidateRect(button, nullptr, FALSE);
  }
}

}  // namespace lirabo
