#include "options/win32/form2.h"

#include <algorithm>
#include <array>

#include "common/win32/help.h"
#include "options/teacher_pin_setting.h"
#include "options/win32/form2_ids.h"

namespace lirabo {

namespace id = ids::form2;
namespace {

constexpr int kHelpTopic = 110;

constexpr ControlSpec Check(int control, const char* caption, int left, int top, int width, int height) {
  return {.id = control, .kind = ControlKind::CheckBox, .caption = caption, .left = left, .top = top,
          .width = width, .height = height};
}

constexpr ControlSpec Button(int control, const char* caption, int left, int top, int width, int height,
                             int parent = 0) {
  return {.id = control, .kind = ControlKind::Button, .caption = caption, .left = left, .top = top,
          .width = width, .height = height, .parent = parent};
}

constexpr ControlSpec Option(int control, const char* caption, int top, int width) {
  return {.id = control, .kind = ControlKind::OptionButton, .caption = caption, .left = 240, .top = top,
          .width = width, .height = 375, .parent = id::Rahmen1};
}

template <std::size_t... N>
constexpr auto Join(const std::array<ControlSpec, N>&... parts) {
  std::array<ControlSpec, (N + ...)> all{};
  std::size_t at = 0;
  ((std::copy(parts.begin(), parts.end(), all.begin() + static_cast<std::ptrdiff_t>(at)), at += N), ...);
  return all;
}

// Both variants, in tab order: the rows up to the two buttons, the buttons (which
// stand elsewhere in regelpult's wider window), the rows after them.
constexpr std::array<ControlSpec, 5> kRowsBeforeButtons = {{
    {.id = id::Rahmen1, .kind = ControlKind::Frame, .caption = "Farbtiefe", .left = 293, .top = 120,
     .width = 3975, .height = 1095},
    Option(id::Option2, "hoch (für High-Color-Grafikmodi)", 600, 3255),
    Option(id::Option1, "niedrig (für 256-Farben-Grafikmodi)", 240, 3375),
    Check(id::TVis, "Taskleiste sichtbar", 533, 4080, 3615, 375),
    Check(id::HGrund, "Bildschirmhintergrund ausblenden", 533, 3645, 3615, 375),
}};

constexpr std::array<ControlSpec, 2> Buttons(int okLeft, int helpLeft) {
  return {{Button(id::Befehl1, "OK", okLeft, 5865, 1815, 375), Button(id::Command1, "Hilfe", helpLeft, 5865, 1815, 375)}};
}

constexpr std::array<ControlSpec, 7> kRowsAfterButtons = {{
    Check(id::Auflösung, "\"Vollbild\" - Darstellung", 540, 4440, 3615, 375),
    Check(id::Check1, "Sprachausgabe an", 533, 1470, 3615, 255),
    Check(id::Buchstaben, "Nur Großbuchstaben", 533, 1856, 3615, 255),
    Check(id::Proto, "Protokoll nach 10 Aufgaben", 533, 2242, 3615, 255),
    Check(id::FehlerWeiter, "Bei Fehlern \"Weiter\" möglich", 533, 3120, 3615, 255),
    {.id = id::Label1, .kind = ControlKind::Label,
     .caption = "Diese Funktion ist bei Monitoren mit Breitbild nicht empfehlenswert, da das Bild dann verzerrt wird.",
     .left = 720, .top = 4920, .width = 3135, .height = 615},
    Check(id::ProtSave, "Protokoll unter Schülernamen abspeichern", 533, 2628, 3600, 360),
}};

// regelpult only: the word list of "Pelum 1".
constexpr std::array<ControlSpec, 4> kWordListRows = {{
    {.id = id::Frame1, .kind = ControlKind::Frame, .caption = "Pelum 1", .left = 4560, .top = 1680, .width = 3015,
     .height = 2775},
    Button(id::Command2, "Wortliste bearbeiten", 240, 480, 2535, 495, id::Frame1),
    Button(id::Command3, "Wortliste neu erstellen", 240, 1200, 2535, 495, id::Frame1),
    Button(id::Command4, "Wortliste wiederherstellen", 240, 1920, 2535, 495, id::Frame1),
}};

// regelpult only: the installation's teacher PIN, in the free space under Frame1.
constexpr std::array<ControlSpec, 1> kTeacherPinRows = {{
    Button(id::Command5, texts::kPinButton, 4800, 4680, 2535, 495),
}};

constexpr auto kMenuControls = Join(kRowsBeforeButtons, Buttons(353, 2393), kRowsAfterButtons);
constexpr auto kRegelpultControls =
    Join(kRowsBeforeButtons, Buttons(2145, 4185), kRowsAfterButtons, kWordListRows, kTeacherPinRows);

}  // namespace

Form2::Form2(Form2Context context)
    : Form("Form2"),
      context_(std::move(context)),
      session_(context_.files, context_.system, context_.messages, context_.path,
               context_.variant == OptionsVariant::Menu ? "Laufzeitfehler: " : "") {}

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
  if (context_.background && context_.background->IsLoaded())
    EnableWindow(context_.background->Window(), enabled ? TRUE : FALSE);
}

void Form2::Close(OptionsEnd end) {
  Unload();
  if (onClosed) onClosed(end);
}

void Form2::OnLoad() {
  EnableBackground(false);
  std::vector<std::int16_t> values;
  switch (session_.Open(values)) {
    case OptionsSession::OpenResult::Open:
      break;
    case OptionsSession::OpenResult::Refused:
      Close(OptionsEnd::Refused);
      return;
    case OptionsSession::OpenResult::Failed:
      Close(OptionsEnd::Failed);
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
      ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
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
    case id::Command5:
      if (onTeacherPin) onTeacherPin();
      break;
    default:
      break;
  }
}

void Form2::Ok() {
  ReadBoxes();
  // A failed rewrite has been reported and the old file is untouched; the dialog
  // stays open for another OK, and the close box now leaves it as it was.
  if (!session_.Save(model_.Record())) {
    saveFailed_ = true;
    return;
  }
  const bool menu = context_.variant == OptionsVariant::Menu;
  if (menu) model_.StoreInto(context_.settings);
  const bool changed = model_.Changed();
  if (changed && !menu) context_.messages.Show(texts::kClientNotice);
  Close(changed ? OptionsEnd::Changed : OptionsEnd::Unchanged);
}

// Only the program closes the dialog, except after a rewrite that failed: a teacher
// on a full or write-protected disk must not be trapped.
bool Form2::OnQueryUnload(UnloadReason) {
  if (saveFailed_) Close(OptionsEnd::Unchanged);
  return false;
}

}  // namespace lirabo
