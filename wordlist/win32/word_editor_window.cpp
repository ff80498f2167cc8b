#include "wordlist/win32/word_editor_window.h"

#include <commctrl.h>

#include <array>

#include "common/help.h"
#include "common/win32/help.h"
#include "common/win32/wide.h"
#include "wordlist/win32/word_editor_window_ids.h"

namespace lirabo {

namespace id = ids::word_editor;
namespace {

constexpr COLORREF kDarkRed = RGB(192, 0, 0);
constexpr COLORREF kNavy = RGB(0, 0, 128);
constexpr FontSpec kWindowFont{L"MS Sans Serif", 825, true};
constexpr FontSpec kBoxFont{L"MS Sans Serif", 2400, true};
constexpr FontSpec kTitleFont{L"MS Sans Serif", 2400, true};
constexpr FontSpec kReadFont{L"MS Sans Serif", 1200, true};
constexpr FontSpec kHelpFont{L"MS Sans Serif", 975, true};

constexpr const char* kHelpText =
    "Die Wörter dürfen maximal 4 Laute lang sein, wobei in jedes weiße Kästchen oben ein Laut eingetragen "
    "wird. Wenn die Wörter kürzer sind muss in die leeren Kästchen ein \".\" eingetragen werden. Da sich "
    "einige Laute nur schwer voneinander unterscheiden lassen, enthält das Programm nur solche, die "
    "eindeutig zu unterscheiden sind. Dies sind im einzelnen: A, E, F, I, L, M, O, P, S, SCH, U. Deshalb "
    "lassen sich nur Wörter mit diesen Lauten bilden; andere werden ignoriert.";

constexpr int kBoxes[] = {id::Sound1, id::Sound2, id::Sound3, id::Sound4};
constexpr std::size_t kBoxLimit = 3;

// In tab order: the four boxes first. The help label comes before its frame so
// that it lies above it.
constexpr ControlSpec SoundBox(int control, int left) {
  return {.id = control, .kind = ControlKind::TextBox, .caption = "", .left = left, .top = 1320, .width = 1215,
          .height = 735, .font = kBoxFont};
}

constexpr ControlSpec Button(int control, const char* caption, int left, int width) {
  return {.id = control, .kind = ControlKind::Button, .caption = caption, .left = left, .top = 2160, .width = width,
          .height = 615, .font = kWindowFont};
}

const std::array<ControlSpec, 12> kWordEditorControls = {{
    SoundBox(id::Sound1, 120),
    SoundBox(id::Sound2, 1440),
    SoundBox(id::Sound3, 2760),
    SoundBox(id::Sound4, 4080),
    Button(id::OkButton, "OK", 3120, 2175),
    Button(id::BackButton, "Zurück", 1200, 1815),
    Button(id::HelpButton, "Hilfe", 120, 975),
    {.id = id::WordLabel, .kind = ControlKind::Label, .caption = "Wort:", .left = 120, .top = 120, .width = 1695,
     .height = 495, .font = kTitleFont, .textColour = kDarkRed},
    {.id = id::HintLabel, .kind = ControlKind::Label,
     .caption = "Hinweis: Wenn das Wort nur aus 1, 2 oder 3 Lauten bestehen soll, in die leeren Kästchen bitte "
                "\".\" eintragen.",
     .left = 2040, .top = 120, .width = 3255, .height = 615, .font = kWindowFont},
    {.id = id::ReadHelpLabel, .kind = ControlKind::Label, .caption = "Hilfe bitte unbedingt lesen!", .left = 120,
     .top = 840, .width = 5175, .height = 375, .font = kReadFont, .textColour = kNavy},
    {.id = id::HelpText, .kind = ControlKind::Label, .caption = kHelpText, .left = 120, .top = 240,
     .width = 4935, .height = 2775, .font = kHelpFont, .parent = id::HelpFrame},
    {.id = id::HelpFrame, .kind = ControlKind::Frame, .caption = "Hilfe zur Wörtereingabe:", .left = 120,
     .top = 3120, .width = 5175, .height = 3135, .font = kHelpFont},
}};

}  // namespace

WordEditorWindow::WordEditorWindow(Services& ports, WordEditMode mode, std::string helpFile)
    : services_(ports),
      editor_(ports.files, ports.system, ports.messages),
      mode_(mode),
      helpFile_(std::move(helpFile)) {}

FormSpec WordEditorWindow::Spec() const {
  FormSpec spec{"Wortliste", 5430, kCompactHeight};
  spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  spec.exStyle = WS_EX_DLGMODALFRAME;
  spec.defaultButton = id::OkButton;
  spec.cancelButton = id::BackButton;
  return spec;
}

std::span<const ControlSpec> WordEditorWindow::Controls() const { return kWordEditorControls; }

void WordEditorWindow::OnLoad() {
  for (int box : kBoxes) SendMessageW(Control(box), EM_LIMITTEXT, kBoxLimit, 0);
  AddToolTips();
  SetHeight(kCompactHeight);
  state_ = editor_.Load(mode_);
  switch (state_) {
    case EditorState::Ready:
      break;
    case EditorState::LockedOut:
      for (int id : {id::Sound1, id::Sound2, id::Sound3, id::Sound4, id::HelpButton, id::OkButton}) EnableControl(id, false);
      break;
    case EditorState::EndProgram:
      // The error has been shown; the opener ends the program.
      Unload();
      break;
  }
}

void WordEditorWindow::OnUnload() { editor_.Close(); }

void WordEditorWindow::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (id) {
    case id::OkButton:
      Store();
      break;
    case id::BackButton:
      Unload();
      break;
    case id::HelpButton:
      ToggleHelp();
      break;
    default:
      break;
  }
}

bool WordEditorWindow::OnHelpKey() {
  ShowHelpTopic(Window(), services_.system, helpFile_, kWordEditorHelpTopic);
  return true;
}

void WordEditorWindow::Store() {
  WordBoxes boxes;
  for (std::size_t k = 0; k < boxes.size(); ++k) boxes[k] = Text(kBoxes[k]);
  if (editor_.Store(boxes) == StoreOutcome::Stored)
    for (int box : kBoxes) SetText(box, "");
}

void WordEditorWindow::ToggleHelp() {
  SetHeight(heightTwips_ == kCompactHeight ? kHelpHeight : kCompactHeight);
}

void WordEditorWindow::SetHeight(int twips) {
  heightTwips_ = twips;
  SetWindowHeightTwips(twips);
  ShowControl(id::HelpFrame, twips == kHelpHeight);
  CenterOnScreen();
}

void WordEditorWindow::AddToolTips() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  // Owned by the form, so it goes with it.
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!tips) return;
  const std::pair<int, const char*> tools[] = {{id::OkButton, "Speichert das gerade angegebene Wort"},
                                               {id::BackButton, "Schließt das Fenster"}};
  for (const auto& [id, text] : tools) {
    std::wstring wide = Widen(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Window();
    tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
    tool.lpszText = wide.data();
    SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

bool ShowWordEditor(Form* owner, Services& ports, WordEditMode mode, const std::string& helpFile) {
  WordEditorWindow editor(ports, mode, helpFile);
  editor.ShowModal(owner);
  return !editor.EndsProgram();
}

}  // namespace lirabo
