#include "options/win32/options_window.h"

#include <algorithm>
#include <array>

#include "common/help.h"
#include "common/win32/help.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "options/win32/options_window_ids.h"

namespace lirabo {

namespace id = ids::options_window;
namespace {


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
          .width = width, .height = 375, .parent = id::ColourDepthFrame};
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
    {.id = id::ColourDepthFrame, .kind = ControlKind::Frame, .caption = "Farbtiefe", .left = 293, .top = 120,
     .width = 3975, .height = 1095},
    Option(id::HighColourOption, "hoch (für High-Color-Grafikmodi)", 600, 3255),
    Option(id::LowColourOption, "niedrig (für 256-Farben-Grafikmodi)", 240, 3375),
    Check(id::TaskbarVisible, "Taskleiste sichtbar", 533, 4080, 3615, 375),
    Check(id::CoverDesktop, "Bildschirmhintergrund ausblenden", 533, 3645, 3615, 375),
}};

constexpr std::array<ControlSpec, 2> Buttons(int okLeft, int helpLeft) {
  return {{Button(id::OkButton, "OK", okLeft, 5865, 1815, 375), Button(id::HelpButton, "Hilfe", helpLeft, 5865, 1815, 375)}};
}

constexpr std::array<ControlSpec, 7> kRowsAfterButtons = {{
    Check(id::FullScreen, "\"Vollbild\" - Darstellung", 540, 4440, 3615, 375),
    Check(id::SpeechOutput, "Sprachausgabe an", 533, 1470, 3615, 255),
    Check(id::CapitalsOnly, "Nur Großbuchstaben", 533, 1856, 3615, 255),
    Check(id::LogAfterTenTasks, "Protokoll nach 10 Aufgaben", 533, 2242, 3615, 255),
    Check(id::ContinueAfterMistakes, "Bei Fehlern \"Weiter\" möglich", 533, 3120, 3615, 255),
    {.id = id::FullScreenNote, .kind = ControlKind::Label,
     .caption = "Diese Funktion ist bei Monitoren mit Breitbild nicht empfehlenswert, da das Bild dann verzerrt wird.",
     .left = 720, .top = 4920, .width = 3135, .height = 615},
    Check(id::LogUnderPupilName, "Protokoll unter Schülernamen abspeichern", 533, 2628, 3600, 360),
}};

// regelpult only: the word list of "Pelum 1".
constexpr std::array<ControlSpec, 4> kWordListRows = {{
    {.id = id::WordListFrame, .kind = ControlKind::Frame, .caption = "Pelum 1", .left = 4560, .top = 1680, .width = 3015,
     .height = 2775},
    Button(id::EditWordListButton, "Wortliste bearbeiten", 240, 480, 2535, 495, id::WordListFrame),
    Button(id::NewWordListButton, "Wortliste neu erstellen", 240, 1200, 2535, 495, id::WordListFrame),
    Button(id::RestoreWordListButton, "Wortliste wiederherstellen", 240, 1920, 2535, 495, id::WordListFrame),
}};

// regelpult only: the installation's teacher PIN, in the free space under Frame1.
constexpr std::array<ControlSpec, 1> kTeacherPinRows = {{
    Button(id::TeacherPinButton, texts::kPinButton, 4800, 4680, 2535, 495),
}};

constexpr auto kMenuControls = Join(kRowsBeforeButtons, Buttons(353, 2393), kRowsAfterButtons);
constexpr auto kRegelpultControls =
    Join(kRowsBeforeButtons, Buttons(2145, 4185), kRowsAfterButtons, kWordListRows, kTeacherPinRows);

}  // namespace

OptionsWindow::OptionsWindow(OptionsWindowContext context)
    : context_(std::move(context)),
      session_(context_.files, context_.system, context_.messages, context_.path,
               context_.variant == OptionsVariant::Menu ? "Laufzeitfehler: " : "") {}

OptionsWindow::~OptionsWindow() = default;

FormSpec OptionsWindow::Spec() const {
  bool wide = context_.variant == OptionsVariant::Regelpult;
  FormSpec spec{"Optionen", wide ? 8145 : 4560, 6405};
  // No WS_CLIPCHILDREN: the frames are group boxes, which leave their inside to
  // the form's own background.
  spec.style = WS_CAPTION | WS_SYSMENU;
  // Enter and Esc both save.
  spec.defaultButton = id::OkButton;
  spec.cancelButton = id::OkButton;
  return spec;
}

std::span<const ControlSpec> OptionsWindow::Controls() const {
  if (context_.variant == OptionsVariant::Regelpult) return kRegelpultControls;
  return kMenuControls;
}

void OptionsWindow::EnableBackground(bool enabled) {
  if (context_.background && context_.background->IsLoaded())
    EnableWindow(context_.background->Window(), enabled ? TRUE : FALSE);
}

void OptionsWindow::Close(OptionsEnd end) {
  Unload();
  if (onClosed) onClosed(end);
}

void OptionsWindow::OnLoad() {
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

void OptionsWindow::OnUnload() {
  session_.Release();
  EnableBackground(true);
}

void OptionsWindow::Render() {
  SetChecked(id::LowColourOption, model_.colourDepth == 1);
  SetChecked(id::HighColourOption, model_.colourDepth == 2);
  const OptionsBoxes& b = model_.boxes;
  SetChecked(id::SpeechOutput, b.speechOutput);
  SetChecked(id::CapitalsOnly, b.capitalsOnly);
  SetChecked(id::LogAfterTenTasks, b.logAfterTenTasks);
  SetChecked(id::LogUnderPupilName, b.logUnderPupilName);
  SetChecked(id::ContinueAfterMistakes, b.continueAfterMistakes);
  SetChecked(id::CoverDesktop, b.coverDesktop);
  SetChecked(id::TaskbarVisible, b.taskbarVisible);
  SetChecked(id::FullScreen, b.fullScreen);
  EnableControl(id::CoverDesktop, model_.coverDesktopEnabled);
  EnableControl(id::TaskbarVisible, model_.taskbarVisibleEnabled);
}

void OptionsWindow::ReadBoxes() {
  OptionsBoxes& b = model_.boxes;
  b.speechOutput = IsChecked(id::SpeechOutput);
  b.capitalsOnly = IsChecked(id::CapitalsOnly);
  b.logAfterTenTasks = IsChecked(id::LogAfterTenTasks);
  b.logUnderPupilName = IsChecked(id::LogUnderPupilName);
  b.continueAfterMistakes = IsChecked(id::ContinueAfterMistakes);
  b.coverDesktop = IsChecked(id::CoverDesktop);
  b.taskbarVisible = IsChecked(id::TaskbarVisible);
  b.fullScreen = IsChecked(id::FullScreen);
}

void OptionsWindow::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  switch (id) {
    case id::FullScreen:
      ReadBoxes();
      model_.ClickFullScreen();
      Render();
      break;
    case id::CoverDesktop:
      ReadBoxes();
      model_.ClickCoverDesktop();
      Render();
      break;
    case id::LowColourOption:
      model_.ChooseColourDepth(1);
      break;
    case id::HighColourOption:
      model_.ChooseColourDepth(2);
      break;
    case id::OkButton:
      Ok();
      break;
    case id::HelpButton:
      ShowHelpTopic(Window(), context_.system, context_.helpFile, kOptionsHelpTopic);
      break;
    case id::EditWordListButton:
      if (onEditWordList) onEditWordList();
      break;
    case id::NewWordListButton:
      if (onNewWordList) onNewWordList();
      break;
    case id::RestoreWordListButton:
      if (onRestoreWordList) onRestoreWordList();
      break;
    case id::TeacherPinButton:
      if (onTeacherPin) onTeacherPin();
      break;
    default:
      break;
  }
}

void OptionsWindow::Ok() {
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
bool OptionsWindow::OnQueryUnload(UnloadReason) {
  if (saveFailed_) Close(OptionsEnd::Unchanged);
  return false;
}

}  // namespace lirabo
