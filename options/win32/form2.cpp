#include "options/win32/form2.h"

#include <array>

#include "common/win32/help.h"
#include "options/win32/form2_ids.h"

namespace lirabo {

namespace id = ids::form2;
namespace {

constexpr int kHelpTopic = 110;
constexpr const char* kRegelpultHelpFile = "LiraboHilfe.hlp";
constexpr const char* kBackgroundForm = "Hintergrund";

// Rows both variants share, in tab order up to the two buttons.
#define FORM2_SETTINGS_ROWS                                                                              \
  {id::Rahmen1, ControlKind::Frame, "Farbtiefe", 293, 120, 3975, 1095},                                 \
      {id::Option2, ControlKind::OptionButton, "hoch (für High-Color-Grafikmodi)", 240, 600, 3255, 375, \
       {}, id::Rahmen1},                                                                                 \
      {id::Option1, ControlKind::OptionButton, "niedrig (für 256-Farben-Grafikmodi)", 240, 240, 3375,   \
       375, {}, id::Rahmen1},                                                                            \
      {id::TVis, ControlKind::CheckBox, "Taskleiste sichtbar", 533, 4080, 3615, 375},                   \
      {id::HGrund, ControlKind::CheckBox, "Bildschirmhintergrund ausblenden", 533, 3645, 3615, 375}

#define FORM2_AFTER_BUTTONS_ROWS                                                                         \
  {id::Auflösung, ControlKind::CheckBox, "\"Vollbild\" - Darstellung", 540, 4440, 3615, 375},           \
      {id::Check1, ControlKind::CheckBox, "Sprachausgabe an", 533, 1470, 3615, 255},                    \
      {id::Buchstaben, ControlKind::CheckBox, "Nur Großbuchstaben", 533, 1856, 3615, 255},              \
      {id::Proto, ControlKind::CheckBox, "Protokoll nach 10 Aufgaben", 533, 2242, 3615, 255},           \
      {id::FehlerWeiter, ControlKind::CheckBox, "Bei Fehlern \"Weiter\" möglich", 533, 3120, 3615, 255}, \
      {id::Label1, ControlKind::Label,                                                                   \
       "Diese Funktion ist bei Monitoren mit Breitbild nicht empfehlenswert, da das Bild dann verzerrt " \
       "wird.",                                                                                          \
       720, 4920, 3135, 615},                                                                            \
      {id::ProtSave, ControlKind::CheckBox, "Protokoll unter Schülernamen abspeichern", 533, 2628, 3600, 360}

const std::array<ControlSpec, 14> kMenuControls = {{
    FORM2_SETTINGS_ROWS,
    {id::Befehl1, ControlKind::Button, "OK", 353, 5865, 1815, 375},
    {id::Command1, ControlKind::Button, "Hilfe", 2393, 5865, 1815, 375},
    FORM2_AFTER_BUTTONS_ROWS,
}};

const std::array<ControlSpec, 18> kRegelpultControls = {{
    FORM2_SETTINGS_ROWS,
    {id::Befehl1, ControlKind::Button, "OK", 2145, 5865, 1815, 375},
    {id::Command1, ControlKind::Button, "Hilfe", 4185, 5865, 1815, 375},
    FORM2_AFTER_BUTTONS_ROWS,
    {id::Frame1, ControlKind::Frame, "Pelum 1", 4560, 1680, 3015, 2775},
    {id::Command2, ControlKind::Button, "Wortliste bearbeiten", 240, 480, 2535, 495, {}, id::Frame1},
    {id::Command3, ControlKind::Button, "Wortliste neu erstellen", 240, 1200, 2535, 495, {}, id::Frame1},
    {id::Command4, ControlKind::Button, "Wortliste wiederherstellen", 240, 1920, 2535, 495, {}, id::Frame1},
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
  spec.defaultButton = id::Befehl1;
  spec.cancelButton = id::Befehl1;
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
  SetChecked(id::Option1, model_.colourDepth == 1);
  SetChecked(id::Option2, model_.colourDepth == 2);
  const OptionsBoxes& b = model_.boxes;
  SetChecked(id::Check1, b.Check1);
  SetChecked(id::Buchstaben, b.Buchstaben);
  SetChecked(id::Proto, b.Proto);
  SetChecked(id::ProtSave, b.ProtSave);
  SetChecked(id::FehlerWeiter, b.FehlerWeiter);
  SetChecked(id::HGrund, b.HGrund);
  SetChecked(id::TVis, b.TVis);
  SetChecked(id::Auflösung, b.Auflösung);
  EnableControl(id::HGrund, model_.hGrundEnabled);
  EnableControl(id::TVis, model_.tVisEnabled);
}

void Form2::ReadBoxes() {
  OptionsBoxes& b = model_.boxes;
  b.Check1 = IsChecked(id::Check1);
  b.Buchstaben = IsChecked(id::Buchstaben);
  b.Proto = IsChecked(id::Proto);
  b.ProtSave = IsChecked(id::ProtSave);
  b.FehlerWeiter = IsChecked(id::FehlerWeiter);
  b.HGrund = IsChecked(id::HGrund);
  b.TVis = IsChecked(id::TVis);
  b.Auflösung = IsChecked(id::Auflösung);
}

void Form2::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (id) {
    case id::Auflösung:
      ReadBoxes();
      model_.ClickAuflösung();
      Render();
      break;
    case id::HGrund:
      ReadBoxes();
      model_.ClickHGrund();
      Render();
      break;
    case id::Option1:
      model_.ChooseColourDepth(1);
      break;
    case id::Option2:
      model_.ChooseColourDepth(2);
      break;
    case id::Befehl1:
      Ok();
      break;
    case id::Command1:
      if (context_.variant == OptionsVariant::Menu)
        ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
      else
        ShowWinHelpTopic(Window(), kRegelpultHelpFile, kHelpTopic);
      break;
    case id::Command2:
      if (onEditWordList) onEditWordList();
      break;
    case id::Command3:
      if (onNewWordList) onNewWordList();
      break;
    case id::Command4:
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
