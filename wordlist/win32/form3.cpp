#include "wordlist/win32/form3.h"

#include <commctrl.h>

#include <array>

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
const std::array<ControlSpec, 12> kForm3Controls = {{
    {id::Text1, ControlKind::TextBox, "", 120, 1320, 1215, 735, kBoxFont},
    {id::Text2, ControlKind::TextBox, "", 1440, 1320, 1215, 735, kBoxFont},
    {id::Text3, ControlKind::TextBox, "", 2760, 1320, 1215, 735, kBoxFont},
    {id::Text4, ControlKind::TextBox, "", 4080, 1320, 1215, 735, kBoxFont},
    {id::Befehl1, ControlKind::Button, "OK", 3120, 2160, 2175, 615, kWindowFont},
    {id::Befehl2, ControlKind::Button, "Zurück", 1200, 2160, 1815, 615, kWindowFont},
    {id::Befehl3, ControlKind::Button, "Hilfe", 120, 2160, 975, 615, kWindowFont},
    {id::Bezeichnung1, ControlKind::Label, "Wort:", 120, 120, 1695, 495, kTitleFont, 0, kDarkRed},
    {id::Bezeichnung2, ControlKind::Label,
     "Hinweis: Wenn das Wort nur aus 1, 2 oder 3 Lauten bestehen soll, in die leeren Kästchen bitte \".\" "
     "eintragen.",
     2040, 120, 3255, 615, kWindowFont},
    {id::Bezeichnung3, ControlKind::Label, "Hilfe bitte unbedingt lesen!", 120, 840, 5175, 375, kReadFont, 0,
     kNavy},
    {id::Bezeichnung4, ControlKind::Label, kHelpText, 120, 240, 4935, 2775, kHelpFont, id::Rahmen1},
    {id::Rahmen1, ControlKind::Frame, "Hilfe zur Wörtereingabe:", 120, 3120, 5175, 3135, kHelpFont},
}};

}  // namespace

Form3::Form3(WordListPorts& ports, WordEditMode mode)
    : Form("Form3"), editor_(ports.files, ports.system, ports.messages), mode_(mode) {}

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
  switch (editor_.Load(mode_)) {
    case EditorState::Ready:
      break;
    case EditorState::LockedOut:
      for (int id : {id::Text1, id::Text2, id::Text3, id::Text4, id::Befehl3, id::Befehl1}) EnableControl(id, false);
      break;
    case EditorState::EndProgram:
      // The error has been shown; nothing is open that needs saving.
      ExitProcess(1);
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
  ShowWinHelpTopic(Window(), "LiraboHilfe.hlp", kHelpContext);
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

void ShowWordEditor(Form* owner, WordListPorts& ports, WordEditMode mode) {
  Form3 editor(ports, mode);
  editor.ShowModal(owner);
}

}  // namespace lirabo
