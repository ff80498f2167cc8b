#include "common/win32/form.h"


#include <algorithm>
#include <exception>
#include <utility>

#include "common/win32/picture_button.h"
#include "common/win32/twips.h"
#include "common/win32/wide.h"

namespace lirabo {
namespace {

constexpr wchar_t kFormClass[] = L"LiraboForm";

std::vector<Form*>& Loaded() {
  static std::vector<Form*> forms;
  return forms;
}

std::function<void(const std::string&)>& FatalHandler() {
  static std::function<void(const std::string&)> handler = [](const std::string& text) {
    MessageBoxW(nullptr, Widen(text).c_str(), L"", MB_OK);
    ExitProcess(1);
  };
  return handler;
}

struct ClassAndStyle {
  const wchar_t* windowClass;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle StyleFor(const ControlSpec& spec, bool isDefault) {
  const DWORD child = WS_CHILD | WS_VISIBLE;
  switch (spec.kind) {
    case ControlKind::Button:
      return {L"BUTTON", child | WS_TABSTOP | static_cast<DWORD>(isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0};
    case ControlKind::PictureButton:
      return {L"BUTTON", child | WS_TABSTOP | BS_OWNERDRAW, 0};
    case ControlKind::CheckBox:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE, 0};
    case ControlKind::OptionButton:
      return {L"BUTTON", child | WS_TABSTOP | BS_AUTORADIOBUTTON | BS_MULTILINE, 0};
    case ControlKind::Label:
      return {L"STATIC", child | SS_LEFT | SS_NOPREFIX, 0};
    case ControlKind::TextBox:
      return {L"EDIT", child | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineText:
      return {L"EDIT", child | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
      return {L"LISTBOX", child | WS_TABSTOP | LBS_SORT | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlKind::Frame:
      return {L"BUTTON", child | BS_GROUPBOX, 0};
    case ControlKind::Panel:
      return {L"STATIC", child, 0};
  }
  return {L"STATIC", child, 0};
}

// Where a form must fit: the work area of its monitor, or the whole monitor
// while the taskbar is hidden.
RECT FitArea(HWND window) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
  return taskbar && IsWindowVisible(taskbar) ? info.rcWork : info.rcMonitor;
}

}  // namespace

Form::Form() = default;

Form::~Form() {
  if (window_) DestroyWindow(window_);  // its WM_NCDESTROY deregisters the form
}

const std::vector<Form*>& Form::LoadedForms() { return Loaded(); }

void Form::SetFatalErrorHandler(std::function<void(const std::string&)> handler) {
  FatalHandler() = std::move(handler);
}

void Form::Guard(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& e) {
    FatalHandler()(e.what());
  } catch (...) {
    FatalHandler()("Unbekannter Fehler");
  }
}

bool Form::Load() {
  if (window_) return true;
  static bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &Form::WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFormClass;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;

  spec_ = Spec();
  const FormSpec& spec = spec_;
  // Group boxes leave their inside to the form: a form with frames must paint
  // beneath its children, or the frames show what was on the screen before.
  DWORD style = spec.style;
  for (const ControlSpec& control : Controls())
    if (control.kind == ControlKind::Frame) style &= ~static_cast<DWORD>(WS_CLIPCHILDREN);
  CreateWindowExW(spec.exStyle, kFormClass, Widen(spec.caption).c_str(), style, 0, 0, 0, 0,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return false;
  if (spec.iconResource) {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(spec.iconResource));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  Loaded().push_back(this);
  clientHeightTwips_ = spec.clientHeight;
  CreateControls();
  LayOut();
  CenterOnScreen();
  // Not guarded here: a failure while loading goes to whoever loads the form (the
  // options dialog's opener reports it as a run-time error).
  OnLoad();
  return window_ != nullptr;
}

void Form::Show() {
  if (!window_ && !Load()) return;
  if (!shown_) {
    // The display may have been switched while the form loaded.
    if (FittingDpi() != layoutDpi_) LayOut();
    if (spec_.centred) CenterOnScreen();
  }
  shown_ = true;
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  if (GetActiveWindow() == window_) RestoreFocus();
}

void Form::ShowModal(Form* owner) {
  if (!window_ && !Load()) return;
  modalOwner_ = owner && owner->IsLoaded() ? owner->Window() : nullptr;
  if (modalOwner_) {
    SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(modalOwner_));
    EnableWindow(modalOwner_, FALSE);
  }
  Show();
  MSG msg;
  bool quit = false;
  while (window_) {
    if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    Dispatch(msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
}

void Form::Hide() {
  if (window_) ShowWindow(window_, SW_HIDE);
}

void Form::Unload() {
  if (!window_ || unloading_) return;
  unloading_ = true;
  Guard([this] { OnUnload(); });
  // Give the owner back its input before the window goes, so that activation
  // returns to it and not to some other program.
  if (modalOwner_ && IsWindow(modalOwner_)) {
    EnableWindow(modalOwner_, TRUE);
    SetActiveWindow(modalOwner_);
  }
  modalOwner_ = nullptr;
  DestroyWindow(window_);  // WM_NCDESTROY deregisters the form
  unloading_ = false;
}

// The window is gone, whoever destroyed it: a modal loop waiting for this form
// ends, and the form counts as unloaded.
void Form::Detach() {
  // Destroyed without its own unload (its owner went, the destructor): the owner
  // must not stay disabled.
  if (modalOwner_ && IsWindow(modalOwner_)) EnableWindow(modalOwner_, TRUE);
  modalOwner_ = nullptr;
  window_ = nullptr;
  shown_ = false;
  lastFocus_ = defaultFrame_ = nullptr;
  auto& forms = Loaded();
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
}

Form* Form::FromWindow(HWND window) {
  HWND root = GetAncestor(window, GA_ROOT);
  wchar_t windowClass[32] = {};
  if (!root || !GetClassNameW(root, windowClass, 32) || wcscmp(windowClass, kFormClass) != 0) return nullptr;
  return reinterpret_cast<Form*>(GetWindowLongPtrW(root, GWLP_USERDATA));
}

int Form::RunMessageLoop() {
  MSG msg;
  while (!Loaded().empty() && GetMessageW(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return 0;
}

LRESULT CALLBACK Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && form) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    form->Detach();
    return DefWindowProcW(window, message, wParam, lParam);
  }
  if (!form) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  Guard([&] { result = form->OnMessage(message, wParam, lParam); });
  return result;
}

LRESULT Form::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      if (OnQueryUnload(UnloadReason::CloseBox)) Unload();
      return 0;
    case WM_QUERYENDSESSION:
      return OnQueryUnload(UnloadReason::WindowsEnding) ? TRUE : FALSE;
    // As a dialog: the focus goes back to the control that had it, never to the
    // form itself, where Tab and Enter would find nothing.
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) RememberFocus();
      if (LOWORD(wParam) == WA_INACTIVE || HIWORD(wParam) || !FirstTabStop()) break;
      RestoreFocus();
      return 0;
    // Disabling the form (a modal window or message box over it) takes the focus
    // away before it deactivates; this comes first.
    case WM_CANCELMODE:
      RememberFocus();
      break;
    case WM_SETFOCUS:
      if (!FirstTabStop()) break;
      RestoreFocus();
      return 0;
    // A multi-line box hands Tab back this way.
    case WM_NEXTDLGCTL:
      if (lParam)
        FocusAndNotice(reinterpret_cast<HWND>(wParam));
      else
        TabToNext(wParam != 0);
      return 0;
    case WM_COMMAND:
      HandleCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) break;
      // A focus change on a button that is about to be painted anyway (the first
      // show) would draw it twice; the paint shows the focus as it then is.
      if (item->itemAction == ODA_FOCUS && GetUpdateRect(item->hwndItem, nullptr, FALSE)) return TRUE;
      DrawPictureButton(*item, PictureOf(static_cast<int>(item->CtlID)), item->hwndItem == defaultFrame_,
                        layoutDpi_);
      return TRUE;
    }
    case WM_ERASEBKGND:
      if (spec_.backColour == kNoColour) break;
      {
        RECT rc;
        GetClientRect(window_, &rc);
        FillRect(reinterpret_cast<HDC>(wParam), &rc, BrushFor(spec_.backColour));
      }
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (LRESULT brush = ControlColours(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) return brush;
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
      LayOut();
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

void Form::HandleCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED) {
    const ControlSpec* clicked = SpecOf(id);
    if (clicked && clicked->kind == ControlKind::OptionButton) FixOptionGroupTabStops();
  }
  // A click or a control taking the focus: the default frame follows the focus.
  if (HWND focus = GetFocus(); control && focus && IsChild(window_, focus)) SetDefaultFrame(focus);
  // OnCommand may unload the form (the options window closes from its own OK
  // button): the window is gone when it returns, the object lives on until its
  // opener's modal loop ends. Nothing here touches the window after it.
  OnCommand(id, code);
}

// Text and background colours of a control; 0 leaves them to the system.
LRESULT Form::ControlColours(HDC dc, HWND hwnd) {
  const ControlSpec* control = SpecOf(GetDlgCtrlID(hwnd));
  if (!control) return 0;
  if (control->textColour != kNoColour) SetTextColor(dc, control->textColour);
  if (control->kind == ControlKind::TextBox || control->kind == ControlKind::MultiLineText ||
      control->kind == ControlKind::ListBox) {
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
  }
  COLORREF back = control->backColour;
  if (back == kNoColour && control->parent)
    if (const ControlSpec* parent = SpecOf(control->parent)) back = parent->backColour;
  if (back == kNoColour) back = spec_.backColour;
  if (back == kNoColour) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
  }
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(BrushFor(back));
}

void Form::CreateControls() {
  const FormSpec& spec = spec_;
  const auto controls = Controls();
  for (size_t i = 0; i < controls.size(); ++i) {
    const ControlSpec& control = controls[i];
    ClassAndStyle cs = StyleFor(control, control.id == spec.defaultButton);
    // Automatic option buttons uncheck each other up to the next WS_GROUP: every
    // control but the second and later buttons of an option group starts one.
    const auto group = OptionGroupAt(i);
    if (group.empty() || group.data() == &control) cs.style |= WS_GROUP;
    CreateWindowExW(cs.exStyle, cs.windowClass, Widen(control.caption ? control.caption : "").c_str(),
                                cs.style | control.extraStyle, 0, 0, 0, 0, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                GetModuleHandleW(nullptr), nullptr);
  }
  FixOptionGroupTabStops();
  if (spec.defaultButton) defaultFrame_ = Control(spec.defaultButton);
}

// Decoded when the button is first drawn: a window shows before its pictures are
// needed, and hidden buttons never pay.
HBITMAP Form::PictureOf(int id) {
  auto [picture, added] = pictures_.try_emplace(id);
  if (const ControlSpec* control = SpecOf(id); added && control && control->pictureResource)
    picture->second = LoadPicture(control->pictureResource);
  return picture->second.get();
}

// The largest DPI, up to the window's own, at which the whole form fits where it
// is shown: the work area, or the whole screen while the taskbar is hidden (a
// 640 x 480 full screen at 144 DPI). Everything in twips scales with it.
UINT Form::FittingDpi() const {
  const RECT area = FitArea(window_);
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE));
  UINT dpi = dpi_;
  for (; dpi > 24; --dpi) {
    RECT rc{0, 0, TwipsToPixels(spec_.clientWidth, dpi), TwipsToPixels(clientHeightTwips_, dpi)};
    AdjustWindowRectEx(&rc, style, GetMenu(window_) != nullptr, exStyle);
    if (rc.right - rc.left <= area.right - area.left && rc.bottom - rc.top <= area.bottom - area.top) break;
  }
  return dpi;
}

void Form::LayOut() {
  // The controls keep the old fonts until they have the new ones.
  const auto oldFonts = std::exchange(fonts_, {});
  dpi_ = DpiOf(window_);
  layoutDpi_ = FittingDpi();
  RECT rc{0, 0, TwipsToPixels(spec_.clientWidth, layoutDpi_), TwipsToPixels(clientHeightTwips_, layoutDpi_)};
  AdjustWindowRectEx(&rc, static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE)), GetMenu(window_) != nullptr,
                     static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_EXSTYLE)));
  SetWindowPos(window_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const ControlSpec& control : Controls()) {
    POINT offset = ParentOffset(control);
    HWND hwnd = Control(control.id);
    MoveWindow(hwnd, TwipsToPixels(offset.x + control.left, layoutDpi_), TwipsToPixels(offset.y + control.top, layoutDpi_),
               TwipsToPixels(control.width, layoutDpi_), TwipsToPixels(control.height, layoutDpi_), TRUE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(control.font)), TRUE);
  }
}

POINT Form::ParentOffset(const ControlSpec& spec) const {
  POINT offset{0, 0};
  for (const ControlSpec* parent = spec.parent ? SpecOf(spec.parent) : nullptr; parent;
       parent = parent->parent ? SpecOf(parent->parent) : nullptr) {
    offset.x += parent->left;
    offset.y += parent->top;
  }
  return offset;
}

const ControlSpec* Form::SpecOf(int id) const {
  for (const ControlSpec& control : Controls())
    if (control.id == id) return &control;
  return nullptr;
}

HFONT Form::FontFor(const FontSpec& spec) {
  std::wstring key = std::wstring(spec.face) + L"|" + std::to_wstring(spec.hundredthsOfPoint) +
                     (spec.bold ? L"|b" : L"|r") + L"|" + std::to_wstring(layoutDpi_);
  auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second.get();
  HFONT font = CreateFontW(FontHeightPixels(spec.hundredthsOfPoint, layoutDpi_), 0, 0, 0,
                           spec.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, spec.face);
  fonts_[key].reset(font);
  return font;
}

HBRUSH Form::BrushFor(COLORREF colour) {
  auto& brush = brushes_[colour];
  if (!brush) brush.reset(CreateSolidBrush(colour));
  return brush.get();
}

namespace {

std::string WindowText(HWND hwnd) {
  int n = GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, text.data(), n + 1);
  text.resize(static_cast<size_t>(n));
  return Narrow(text);
}

}  // namespace

std::string Form::Text(int id) const { return WindowText(Control(id)); }

void Form::SetText(int id, const std::string& text) { SetWindowTextW(Control(id), Widen(text).c_str()); }

std::string Form::Caption() const { return WindowText(window_); }

void Form::SetCaption(const std::string& caption) { SetWindowTextW(window_, Widen(caption).c_str()); }

bool Form::IsChecked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Form::SetChecked(int id, bool checked) {
  SendMessageW(Control(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  const ControlSpec* control = SpecOf(id);
  if (control && control->kind == ControlKind::OptionButton) FixOptionGroupTabStops();
}

void Form::EnableControl(int id, bool enabled) { EnableWindow(Control(id), enabled ? TRUE : FALSE); }

bool Form::IsControlEnabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }

void Form::ShowControl(int id, bool visible) {
  ShowWindow(Control(id), visible ? SW_SHOW : SW_HIDE);
  // Controls that sit on a frame or panel go with it.
  for (const ControlSpec& control : Controls())
    if (control.parent == id) ShowControl(control.id, visible);
}

void Form::SetClientHeightTwips(int twips) {
  clientHeightTwips_ = twips;
  LayOut();
}

int Form::ClientHeightTwips() const { return clientHeightTwips_; }

void Form::SetWindowHeightTwips(int twips) {
  RECT rc;
  GetWindowRect(window_, &rc);
  SetWindowPos(window_, nullptr, 0, 0, rc.right - rc.left, TwipsToPixels(twips, layoutDpi_),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client;
  GetClientRect(window_, &client);
  clientHeightTwips_ = PixelsToTwips(client.bottom, layoutDpi_);
}

void Form::CenterOnScreen() {
  RECT rc;
  GetWindowRect(window_, &rc);
  int w = rc.right - rc.left, h = rc.bottom - rc.top;
  int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  if (layoutDpi_ < dpi_) {
    // Made to fit: centred in the area it was made to fit.
    const RECT area = FitArea(window_);
    x = std::max(area.left, area.left + (area.right - area.left - w) / 2);
    y = std::max(area.top, area.top + (area.bottom - area.top - h) / 2);
  }
  SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}


}  // namespace lirabo
