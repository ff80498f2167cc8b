#pragma once
// A form: one top-level window with its controls, created from a layout table in
// twips; loaded, shown (modeless or modal) and unloaded, with a query before any
// close that the program did not ask for. One window procedure finds the Form
// object and hands it typed events; no exception ever crosses it.
#include <windows.h>

#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "common/win32/handles.h"

namespace lirabo {

enum class ControlKind {
  Button,        // push button
  PictureButton, // push button with a picture above its caption (owner-drawn)
  CheckBox,
  OptionButton,
  Label,
  TextBox,       // single line
  MultiLineText, // multi-line, vertical scroll bar, read-only
  ListBox,       // sorted
  Frame,         // group box; controls naming it as parent sit inside it
  Panel,         // coloured area; controls naming it as parent sit on it
};

struct FontSpec {
  const wchar_t* face = L"MS Sans Serif";
  int hundredthsOfPoint = 825;
  bool bold = false;
};

inline constexpr COLORREF kNoColour = CLR_INVALID;

// One control of a layout table. Positions are twips relative to the parent
// control (a Frame or Panel) or to the form's client area. Tables are in tab order.
struct ControlSpec {
  int id;
  ControlKind kind;
  const char* caption;  // UTF-8
  int left, top, width, height;
  FontSpec font = {};
  int parent = 0;
  COLORREF textColour = kNoColour;
  COLORREF backColour = kNoColour;
  DWORD extraStyle = 0;
  int pictureResource = 0;  // PictureButton: bitmap resource id
};

// Why a form is asked to unload; only the program's own unload is not a request.
enum class UnloadReason { CloseBox, WindowsEnding };

struct FormSpec {
  const char* caption;
  int clientWidth;   // twips
  int clientHeight;  // twips
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD exStyle = WS_EX_DLGMODALFRAME;
  int defaultButton = 0;  // Enter
  int cancelButton = 0;   // Esc
  COLORREF backColour = kNoColour;
  bool keyPreview = false;
  int iconResource = 0;
  // Centred on the screen as it is when the form is first shown (the display may
  // have been switched while it loaded).
  bool centred = true;
};

class Form {
 public:
  Form();
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  HWND Window() const { return window_; }
  bool IsLoaded() const { return window_ != nullptr; }

  // Creates the window hidden, with its controls, and runs OnLoad. False when the
  // form unloaded itself while loading; an exception of OnLoad reaches the caller.
  bool Load();
  void Show();
  // Shows the form modally over `owner` and returns when it has been unloaded.
  void ShowModal(Form* owner);
  void Hide();
  // The program's own unload: no query, OnUnload runs, the window goes.
  void Unload();

  // Every loaded form, oldest first.
  static const std::vector<Form*>& LoadedForms();
  // The message loop of the program; returns when the last form has unloaded.
  static int RunMessageLoop();
  // How the program ends when a handler fails unexpectedly.
  static void SetFatalErrorHandler(std::function<void(const std::string&)> handler);
  // Runs a handler with the top-level guard: an exception becomes the fatal error.
  static void Guard(const std::function<void()>& handler);

  HWND Control(int id) const { return GetDlgItem(window_, id); }
  std::string Text(int id) const;
  void SetText(int id, const std::string& text);
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  bool IsChecked(int id) const;
  void SetChecked(int id, bool checked);
  void EnableControl(int id, bool enabled);
  bool IsControlEnabled(int id) const;
  void ShowControl(int id, bool visible);
  // Client height in twips; the width stays.
  void SetClientHeightTwips(int twips);
  int ClientHeightTwips() const;
  // Outer window height in twips: the word editor's heights are given so.
  void SetWindowHeightTwips(int twips);
  void CenterOnScreen();
  // Gives the keyboard focus to a control, as a dialog would on Tab.
  void FocusControl(int id);

 protected:
  virtual FormSpec Spec() const = 0;
  virtual std::span<const ControlSpec> Controls() const = 0;
  virtual void OnLoad() {}
  // False cancels the request.
  virtual bool OnQueryUnload(UnloadReason) { return true; }
  virtual void OnUnload() {}
  virtual void OnCommand(int /*id*/, int /*notifyCode*/) {}
  // With key preview: sees keys before the focused control; true consumes.
  virtual bool OnPreviewKey(const MSG&) { return false; }
  // F1 anywhere in the form, whichever control has the focus; false lets it pass.
  virtual bool OnHelpKey() { return false; }
  virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void LayOut();
  UINT FittingDpi() const;
  HBITMAP PictureOf(int id);
  HFONT FontFor(const FontSpec& spec);
  HBRUSH BrushFor(COLORREF colour);
  const ControlSpec* SpecOf(int id) const;
  POINT ParentOffset(const ControlSpec& spec) const;  // twips
  void HandleCommand(int id, int code, HWND control);
  LRESULT ControlColours(HDC dc, HWND control);
  void Detach();

  // The dialog manager (form_keyboard.cpp): focus, Tab order, Enter, Esc, arrows.
  static Form* FromWindow(HWND window);
  static bool PreTranslate(MSG& msg);
  static void Dispatch(MSG& msg);
  bool HandleDialogKey(const MSG& msg);
  bool CanTakeFocus(const ControlSpec& control) const;
  // The option group of the control at `index` in the table; empty for any other kind.
  std::span<const ControlSpec> OptionGroupAt(size_t index) const;
  std::span<const ControlSpec> OptionGroupOf(int id) const;
  bool IsUnchosenOption(HWND hwnd) const;
  HWND FirstTabStop() const;
  HWND NextTabStop(HWND from, bool backwards) const;
  void TabToNext(bool backwards);
  void FocusAndNotice(HWND control);
  void MoveInOptionGroup(HWND from, bool backwards);
  void FixOptionGroupTabStops();
  void RememberFocus();
  void RestoreFocus();
  void SetDefaultFrame(HWND focus);
  void PressButton(HWND button);

  FormSpec spec_{};  // read once at load
  HWND window_ = nullptr;
  bool unloading_ = false;
  HWND modalOwner_ = nullptr;
  int clientHeightTwips_ = 0;
  UINT dpi_ = 96;        // the window's monitor
  UINT layoutDpi_ = 96;  // what twips are turned into pixels with: lower where the form would not fit
  bool shown_ = false;
  HWND lastFocus_ = nullptr;     // the control that had the focus when the form last lost it
  HWND defaultFrame_ = nullptr;  // the push button that Enter presses just now
  std::map<std::wstring, UniqueFont> fonts_;
  std::map<int, UniqueBitmap> pictures_;  // by control id, decoded on first draw
  std::map<COLORREF, UniqueBrush> brushes_;
};

}  // namespace lirabo
