#include "options/win32/form2.h"

#include <array>

#include "common/win32/help.h"
#include "options/win32/form2_ids.h"

namespace lirabo {
namespace {

constexpr int kHelpTopic = 110;
constexpr const char* kRegelpultHelpFile = "LiraboHilfe.hlp";
constexpr const char* kBackgroundForm = "Hintergrund";

// Rows both variants share, in tab order up to the two buttons.
#define FORM2_SETTINGS_ROWS                                                                              \
  {IDC_Rahmen1, ControlKind::Frame, "Farbtiefe", 293, 120, 3975, 1095},                                 \
      {IDC_Option2, ControlKind::OptionButton, "hoch (für High-Color-Grafikmodi)", 240, 600, 3255, 375, \
       {}, IDC_Rahmen1},                                                                                 \
      {IDC_Option1, ControlKind::OptionButton, "niedrig (für 256-Farben-Grafikmodi)", 240, 240, 3375,   \
       375, {}, IDC_Rahmen1},                                                                            \
      {IDC_TVis, ControlKind::CheckBox, "Taskleiste sichtbar", 533, 4080, 3615, 375},                   \
      {IDC_HGrund, ControlKind::CheckBox, "Bildschirmhintergrund ausblenden", 533, 3645, 3615, 375}

#define FORM2_AFTER_BUTTONS_ROWS                                                                         \
  {IDC_Auflösung, ControlKind::CheckBox, "\"Vollbild\" - Darstellung", 540, 4440, 3615, 375},           \
      {IDC_Check1, ControlKind::CheckBox, "Sprachausgabe an", 533, 1470, 3615, 255},                    \
      {IDC_Buchstaben, ControlKind::CheckBox, "Nur Großbuchstaben", 533, 1856, 3615, 255},              \
      {IDC_Proto, ControlKind::CheckBox, "Protokoll nach 10 Aufgaben", 533, 2242, 3615, 255},           \
      {IDC_FehlerWeiter, ControlKind::CheckBox, "Bei Fehlern \"Weiter\" möglich", 533, 3120, 3615, 255}, \
      {IDC_Label1, ControlKind::Label,                                                                   \
       "Diese Funktion ist bei Monitoren mit Breitbild nicht empfehlenswert, da das Bild dann verzerrt " \
       "wird.",                                                                                          \
       720, 4920, 3135, 615},                                                                            \
      {IDC_ProtSave, ControlKind::CheckBox, "Protokoll unter Schülernamen abspeichern", 533, 2628, 3600, 360}

const std::array<ControlSpec, 14> kMenuControls = {{
    FORM2_SETTINGS_ROWS,
    {IDC_Befehl1, ControlKind::Button, "OK", 353, 5865, 1815, 375},
    {IDC_Command1, ControlKind::Button, "Hilfe", 2393, 5865, 1815, 375},
    FORM2_AFTER_BUTTONS_ROWS,
}};

const std::array<ControlSpec, 18> kRegelpultControls = {{
    FORM2_SETTINGS_ROWS,
    {IDC_Befehl1, ControlKind::Button, "OK", 2145, 5865, 1815, 375},
    {IDC_Command1, ControlKind::Button, "Hilfe", 4185, 5865, 1815, 375},
    FORM2_AFTER_BUTTONS_ROWS,
    {IDC_Frame1, ControlKind::Frame, "Pelum 1", 4560, 1680, 3015, 2775},
    {IDC_Command2, ControlKind::Button, "Wortliste bearbeiten", 240, 480, 2535, 495, {}, IDC_Frame1},
    {IDC_Command3, ControlKind::Button, "Wortliste neu erstellen", 240, 1200, 2535, 495, {}, IDC_Frame1},
    {IDC_Command4, ControlKind::Button, "Wortliste wiederherstellen", 240, 1920, 2535, 495, {}, IDC_Frame1},
}};
#undef FORM2_SETTINGS_ROWS
#undef FORM2_AFTER_BUTTONS_ROWS

}  // namespace

Form2::Form2(Form2Context context)
    : Form("Form2"),
      context_(std::move(context)),
      session_(context_.files, context_.system, context_.messages, context_.path) {}

Form2::~Form2() = default;

FormSpec Form2::Spec() const {
  bool wide = context_.variant == OptionsVariant::Regelpult;
  FormSpec spec{"Optionen", wide ? 8145 : 4560, 6405};
  // No WS_CLIPCHILDREN: the frames are group boxes, which leave their inside to
  // the form's own background.
  spec.style = WS_CAPTION | WS_SYSMENU;
  // Enter and Esc both save.
  spec.defaultButton = IDC_Befehl1;
  spec.cancelButton = IDC_Befehl1;
  return spec;
}

std::span<const ControlSpec> Form2::Controls() const {
  if (context_.variant == OptionsVariant::Regelpult) return kRegelpultControls;
  return kMenuControls;
}

void Form2::EnableBackground(bool enabled) {
  if (context_.variant != OptionsVariant::Menu) return;
  if (Form* background = Form::FindLoaded(kBackgroundForm)) EnableWindow(background->Window(), enabled);
}

void Form2::ShowCaller() {
  if (Form* caller = Form::FindLoaded(context_.optionsCaller)) caller->Show();
}

void Form2::OnLoad() {
  EnableBackground(false);
  std::vector<std::int16_t> values;
  switch (session_.Open(values)) {
    case OptionsSession::OpenResult::Open:
      break;
    case OptionsSession::OpenResult::Refused:
      Unload();
      if (context_.variant == OptionsVariant::Menu) ShowCaller();
      return;
    case OptionsSession::OpenResult::Failed:
      Unload();
      if (onFatalEnd) onFatalEnd();
      return;
  }
  model_.Load(values, context_.settings);
  Render();
}

void Form2::OnUnload() {
  session_.Release();
  EnableBackground(true);
}

void Form2::Render() {
  SetChecked(IDC_Option1, model_.colourDepth == 1);
  SetChecked(IDC_Option2, model_.colourDepth == 2);
  const OptionsBoxes& b = model_.boxes;
  SetChecked(IDC_Check1, b.Check1);
  SetChecked(IDC_Buchstaben, b.Buchstaben);
  SetChecked(IDC_Proto, b.Proto);
  SetChecked(IDC_ProtSave, b.ProtSave);
  SetChecked(IDC_FehlerWeiter, b.FehlerWeiter);
  SetChecked(IDC_HGrund, b.HGrund);
  SetChecked(IDC_TVis, b.TVis);
  SetChecked(IDC_Auflösung, b.Auflösung);
  EnableControl(IDC_HGrund, model_.hGrundEnabled);
  EnableControl(IDC_TVis, model_.tVisEnabled);
}

void Form2::ReadBoxes() {
  OptionsBoxes& b = model_.boxes;
  b.Check1 = IsChecked(IDC_Check1);
  b.Buchstaben = IsChecked(IDC_Buchstaben);
  b.Proto = IsChecked(IDC_Proto);
  b.ProtSave = IsChecked(IDC_ProtSave);
  b.FehlerWeiter = IsChecked(IDC_FehlerWeiter);
  b.HGrund = IsChecked(IDC_HGrund);
  b.TVis = IsChecked(IDC_TVis);
  b.Auflösung = IsChecked(IDC_Auflösung);
}

void Form2::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (id) {
    case IDC_Auflösung:
      ReadBoxes();
      model_.ClickAuflösung();
      Render();
      break;
    case IDC_HGrund:
      ReadBoxes();
      model_.ClickHGrund();
      Render();
      break;
    case IDC_Option1:
      model_.ChooseColourDepth(1);
      break;
    case IDC_Option2:
      model_.ChooseColourDepth(2);
      break;
    case IDC_Befehl1:
      Ok();
      break;
    case IDC_Command1:
      if (context_.variant == OptionsVariant::Menu)
        ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
      else
        ShowWinHelpTopic(Window(), kRegelpultHelpFile, kHelpTopic);
      break;
    case IDC_Command2:
      if (onEditWordList) onEditWordList();
      break;
    case IDC_Command3:
      if (onNewWordList) onNewWordList();
      break;
    case IDC_Command4:
      if (onRestoreWordList) onRestoreWordList();
      break;
    default:
      break;
  }
}

void Form2::Ok() {
  ReadBoxes();
  const bool menu = context_.variant == OptionsVariant::Menu;
  if (menu) model_.StoreInto(context_.settings);
  // A failed rewrite has been reported; the dialog stays open for another OK.
  if (!session_.Save(model_.Record())) return;
  const bool changed = model_.Changed();
  if (menu) {
    if (changed && onRestartMenu) {
      onRestartMenu();
      return;
    }
    Unload();
    ShowCaller();
    return;
  }
  if (changed) context_.messages.Show(texts::kClientNotice);
  Unload();
}

}  // namespace lirabo
