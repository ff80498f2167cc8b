#include "wordlist/win32/form3.h"

#include <commctrl.h>

#include <array>

#include "common/help.h"
#include "common/win32/help.h"
#include "common/win32/wide.h"
#include "wordlist/win32/form3_ids.h"

namespace lirabo {

namespace id = ids::form3;
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

constexpr int kBoxes[] = {id::Text1, id::Text2, id::Text3, id::Text4};
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

const std::array<ControlSpec, 12> kForm3Controls = {{
    SoundBox(id::Text1, 120),
    SoundBox(id::Text2, 1440),
    SoundBox(id::Text3, 2760),
    SoundBox(id::Text4, 4080),
    Button(id::Befehl1, "OK", 3120, 2175),
    Button(id::Befehl2, "Zurück", 1200, 1815),
    Button(id::Befehl3, "Hilfe", 120, 975),
    {.id = id::Bezeichnung1, .kind = ControlKind::Label, .caption = "Wort:", .left = 120, .top = 120, .width = 1695,
     .height = 495, .font = kTitleFont, .textColour = kDarkRed},
    {.id = id::Bezeichnung2, .kind = ControlKind::Label,
     .caption = "Hinweis: Wenn das Wort nur aus 1, 2 oder 3 Lauten bestehen soll, in die leeren Kästchen bitte "
                "\".\" eintragen.",
     .left = 2040, .top = 120, .width = 3255, .height = 615, .font = kWindowFont},
    {.id = id::Bezeichnung3, .kind = ControlKind::Label, .caption = "Hilfe bitte unbedingt lesen!", .left = 120,
     .top = 840, .width = 5175, .height = 375, .font = kReadFont, .textColour = kNavy},
    {.id = id::Bezeichnung4, .kind = ControlKind::Label, .caption = kHelpText, .left = 120, .top = 240,
     .width = 4935, .height = 2775, .font = kHelpFont, .parent = id::Rahmen1},
    {.id = id::Rahmen1, .kind = ControlKind::Frame, .caption = "Hilfe zur Wörtereingabe:", .left = 120,
     .top = 3120, .width = 5175, .height = 3135, .font = kHelpFont},
}};

}  // namespace

Form3::Form3(Services& ports, WordEditMode mode)
    : Form("Form3"), services_(ports), editor_(ports.files, ports.system, ports.messages), mode_(mode) {}

FormSpec Form3::Spec() const {
  FormSpec spec{"Wortliste", 5430, kCompactHeight};
  spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  spec.exStyle = WS_EX_DLGMODALFRAME;
  spec.defaultButton = id::Befehl1;
  spec.cancelButton = id::Befehl2;
  return spec;
}

std::span<const ControlSpec> Form3::Controls() const { return kForm3Controls; }

void Form3::OnLoad() {
  for (int box : kBoxes) SendMessageW(Control(box), EM_LIMITTEXT, kBoxLimit, 0);
  AddToolTips();
  SetHeight(kCompactHeight);
  state_ = editor_.Load(mode_);
  switch (state_) {
    case EditorState::Ready:
      break;
    case EditorState::LockedOut:
      for (int id : {id::Text1, id::Text2, id::Text3, id::Text4, id::Befehl3, id::Befehl1}) EnableControl(id, false);
      break;
    case EditorState::EndProgram:
      // The error has been shown; the opener ends the program.
      Unload();
      break;
  }
}

void Form3::OnUnload() { editor_.Close(); }

void Form3::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (id) {
    case id::Befehl1:
      Store();
      break;
    case id::Befehl2:
      Unload();
      break;
    case id::Befehl3:
      ToggleHelp();
      break;
    default:
      break;
  }
}

bool Form3::OnHelpKey() {
  SystemPort& system = services_.system;
  ShowHelpTopic(Window(), system, RegelpultHelpFile(system.ApplicationPath(), system.IsNt6OrLater()), kHelpContext);
  return true;
}

void Form3::Store() {
  WordBoxes boxes;
  for (std::size_t k = 0; k < boxes.size(); ++k) boxes[k] = Text(kBoxes[k]);
  if (editor_.Store(boxes) == StoreOutcome::Stored)
    for (int box : kBoxes) SetText(box, "");
}

void Form3::ToggleHelp() {
  SetHeight(heightTwips_ == kCompactHeight ? kHelpHeight : kCompactHeight);
}

void Form3::SetHeight(int twips) {
  heightTwips_ = twips;
  SetWindowHeightTwips(twips);
  ShowControl(id::Rahmen1, twips == kHelpHeight);
  CenterOnScreen();
}

void Form3::AddToolTips() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  // Owned by the form, so it goes with it.
  HWND tips = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Window(), nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  if (!tips) return;
  const std::pair<int, const char*> tools[] = {{id::Befehl1, "Speichert das gerade angegebene Wort"},
                                               {id::Befehl2, "Schließt das Fenster"}};
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

bool ShowWordEditor(Form* owner, Services& ports, WordEditMode mode) {
  Form3 editor(ports, mode);
  editor.ShowModal(owner);
  return !editor.EndsProgram();
}

}  // namespace lirabo
