#include "menu/win32/form1.h"

#include <array>

#include "common/help.h"
#include "common/program_version.h"
#include "common/win32/help.h"
#include "common/win32/version_resource.h"
#include "menu/exercise_launcher.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "menu/win32/picture_ids.h"
#include "menu/win32/hintergrund.h"
#include "options/options_store.h"
#include "options/win32/form2.h"
#include "records/win32/man_namen.h"
#include "records/win32/man_namen_anzeigen.h"

namespace lirabo {

namespace id = ids::form1;
namespace {

constexpr int kPackageHelpTopic = 99;
constexpr int kMenuHelpTopic = 102;

constexpr FontSpec kGreetingFont{L"Arial", 1200, true};
constexpr FontSpec kButtonFont{L"Arial", 1050, true};

#define EXERCISE_BUTTON(n, left, top) \
  {id::Command##n, ControlKind::PictureButton, nullptr, left, top, 2055, 1455, kButtonFont, 0, kNoColour, kNoColour, 0, IDB_Command##n}

// In tab order; the exercise buttons' captions come from the launcher's table.
const std::array<ControlSpec, 11> kForm1Controls = {{
    {id::Hilfe, ControlKind::Label, texts::kGreetingDesign, 300, 120, 8415, 735, kGreetingFont},
    EXERCISE_BUTTON(1, 240, 960),
    EXERCISE_BUTTON(2, 2400, 960),
    EXERCISE_BUTTON(3, 4560, 960),
    EXERCISE_BUTTON(4, 6720, 960),
    EXERCISE_BUTTON(7, 240, 2520),
    EXERCISE_BUTTON(6, 2400, 2520),
    EXERCISE_BUTTON(5, 4560, 2520),
    EXERCISE_BUTTON(9, 6720, 2520),
    {id::CB_Name, ControlKind::PictureButton, texts::kNameButton, 4560, 4200, 2055, 1215, kButtonFont, 0,
     kNoColour, kNoColour, 0, IDB_CB_Name},
    {id::Command8, ControlKind::PictureButton, "", 6720, 4440, 2055, 735, kButtonFont, 0, kNoColour, kNoColour,
     0, IDB_Command8},
}};
#undef EXERCISE_BUTTON

// Exercise button IDs in the launcher's order.
constexpr std::array<int, 8> kExerciseIds = {id::Command1, id::Command2, id::Command3, id::Command4,
                                             id::Command7, id::Command6, id::Command5, id::Command9};

}  // namespace

Form1::Form1(MenuProgram& program) : Form("Form1"), program_(program) {}

Form1::~Form1() {
  if (teacherMenu_ && !teacherMenuShown_) DestroyMenu(teacherMenu_);
}

FormSpec Form1::Spec() const {
  FormSpec spec{texts::kMenuCaption, 9105, 5640};
  spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  spec.exStyle = 0;
  spec.keyPreview = true;
  spec.iconResource = IDI_LIRABO;
  return spec;
}

std::span<const ControlSpec> Form1::Controls() const { return kForm1Controls; }

MenuPorts Form1::Ports() {
  return {program_.files, program_.system, program_.messages, program_.desktop, *this};
}

void Form1::OnLoad() {
  for (std::size_t i = 0; i < kExerciseIds.size(); ++i) SetText(kExerciseIds[i], kExercises[i].caption);
  ShowControl(id::CB_Name, false);
  BuildTeacherMenu();
  MenuPorts ports = Ports();
  switch (RunMenuStartup(program_.state, ports, program_.commandLine)) {
    case StartupResult::Ready:
      break;
    case StartupResult::Unload:
      Unload();
      break;
    case StartupResult::EndImmediately:
      endImmediately_ = true;
      Unload();
      break;
  }
}

bool Form1::OnQueryUnload(UnloadReason) {
  // Pupils leave the menu only through its buttons.
  return false;
}

void Form1::OnUnload() {
  // A menu attached to the window goes with it; a hidden one is ours to free.
  if (teacherMenu_ && !teacherMenuShown_) DestroyMenu(teacherMenu_);
  teacherMenu_ = nullptr;
  if (endImmediately_) return;
  MenuPorts ports = Ports();
  RunMenuShutdown(program_.state, ports);
}

void Form1::OnCommand(int id, int notifyCode) {
  switch (id) {  // menu items arrive with code 0, which is also BN_CLICKED
    case id::M_Hilfe_Paket:
      ShowHelpTopic(Window(), program_.system, program_.state.helpFile, kPackageHelpTopic);
      return;
    case id::M_Info:
      Proginfo();
      return;
    case id::M_ProtokolleAnzeigen: {
      RecordsContext context = Records();
      ShowLogViewer(this, context);
      return;
    }
    case id::M_Namen: {
      RecordsContext context = Records();
      ShowNameList(this, context);
      // The current pupil's name may just have been deleted.
      SetGreeting(GreetingFor(program_.state.pupilName));
      return;
    }
    case id::M_Optionen:
      OpenOptions();
      return;
    default:
      break;
  }
  if (notifyCode != BN_CLICKED) return;
  if (id == id::Command8) {
    Unload();
    return;
  }
  if (id == id::CB_Name) {
    OpenNameEntry();
    return;
  }
  for (std::size_t i = 0; i < kExerciseIds.size(); ++i) {
    if (kExerciseIds[i] != id) continue;
    if (LaunchExercise(program_.system, program_.messages, program_.state, kExercises[i].programText) ==
        LaunchOutcome::UnloadMenu)
      Unload();
    return;
  }
}

void Form1::SetGreeting(const std::string& text) { SetText(id::Hilfe, text); }

void Form1::ShowNameButton() { ShowControl(id::CB_Name, true); }

void Form1::AddMinimizeBox() {
  LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE);
  SetWindowLongPtrW(Window(), GWL_STYLE, style | WS_MINIMIZEBOX);
  SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void Form1::ShowBackground(bool displaySwitched) {
  PixelRect placement = BackgroundPlacement(program_.state.settings.TVis, program_.desktop.WorkArea(),
                                            program_.desktop.ScreenSize());
  HICON icon = reinterpret_cast<HICON>(SendMessageW(Window(), WM_GETICON, ICON_BIG, 0));
  background_ = std::make_unique<Hintergrund>(Window(), placement, icon);
  background_->Load();
  if (displaySwitched) background_->MoveToSwitchedDisplay();
  background_->Show();
}

bool Form1::IsBackgroundLoaded() { return IsFormLoaded(texts::kBackgroundCaption); }

void Form1::UnloadBackground() {
  if (!background_) return;
  background_->ReturnMenuOwner();
  background_->Unload();
  background_.reset();
}

void Form1::OpenNameEntry() {
  MenuState& state = program_.state;
  NameEntryContext context{program_.files, program_.messages, program_.system,
                           RecordPaths{state.settingsFolder, program_.system.ApplicationPath()},
                           state.helpFile, state.pupilName};
  ShowNameEntry(this, context);
  SetGreeting(GreetingFor(state.pupilName));
}

void Form1::BuildTeacherMenu() {
  HMENU logs = CreatePopupMenu();
  AppendMenuW(logs, MF_STRING, id::M_ProtokolleAnzeigen, L"Protokolle anzeigen");
  AppendMenuW(logs, MF_STRING, id::M_Namen, L"Namen anzeigen und löschen");
  HMENU items = CreatePopupMenu();
  AppendMenuW(items, MF_STRING, id::M_Hilfe_Paket, L"Hilfe zum Programmpaket\tF1");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_STRING, id::M_Info, L"Infos über die Programme");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_POPUP, reinterpret_cast<UINT_PTR>(logs), L"Protokolle");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_STRING, id::M_Optionen, L"Optionen");
  teacherMenu_ = CreateMenu();
  AppendMenuW(teacherMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(items), L"Lehrermenü");
  teacherMenuShown_ = false;
}

bool Form1::OnPreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // Shift, Ctrl and Alt are not looked at.
  if (msg.wParam == VK_F6) {
    ToggleTeacherMenu();
    return true;
  }
  return false;
}

// F1 is the package help's shortcut while the teacher menu is shown; otherwise it
// is the platform's help key for the menu window's own topic.
bool Form1::OnHelpKey() {
  if (teacherMenuShown_)
    OnCommand(id::M_Hilfe_Paket, 0);
  else
    ShowHelpTopic(Window(), program_.system, program_.state.helpFile, kMenuHelpTopic);
  return true;
}

void Form1::ToggleTeacherMenu() {
  if (!teacherMenu_) return;
  // The window grows or shrinks by the menu bar, so the client area stays.
  const int client = ClientHeightTwips();
  teacherMenuShown_ = !teacherMenuShown_;
  SetMenu(Window(), teacherMenuShown_ ? teacherMenu_ : nullptr);
  SetClientHeightTwips(client);
  DrawMenuBar(Window());
}

void Form1::Proginfo() {
  ProgramVersionInfo version = ReadOwnVersionInfo();
  program_.messages.Show("JW Lirabo Version " + FormatProgramVersion(version.major, version.minor, version.revision) +
                             "\r\n" + version.legalCopyright,
                         MsgButtons::Ok, MsgIcon::Information, "Info über " + version.productName);
}

RecordsContext Form1::Records() {
  MenuState& state = program_.state;
  return {program_.files, program_.messages, program_.system,
          RecordPaths{state.settingsFolder, program_.system.ApplicationPath()}, state.helpFile, state.pupilName};
}

void Form1::OpenOptions() {
  try {
    Hide();
    program_.optionsCaller = Name();
    MenuState& state = program_.state;
    options_ = std::make_unique<Form2>(Form2Context{OptionsVariant::Menu, program_.files, program_.system,
                                                    program_.messages, state.settingsFolder + kOptionsFileName,
                                                    state.helpFile, state.settings, program_.optionsCaller});
    options_->onRestartMenu = [this] { RestartMenu(); };
    // The dialog has shown why; the menu's closing steps give the desktop back.
    options_->onFatalEnd = [this] { Unload(); };
    // The dialog may unload itself while loading; it then shows this form again.
    options_->Show();
  } catch (const std::exception& e) {
    program_.messages.Show(std::string("Laufzeitfehler: ") + e.what());
    if (options_) options_->Unload();
    Unload();
  }
}

void Form1::RestartMenu() {
  // Copy first: unloading changes the list.
  std::vector<Form*> others;
  for (Form* form : Form::LoadedForms())
    if (form != this && form->Name() != texts::kBackgroundCaption) others.push_back(form);
  for (Form* form : others) form->Unload();
  // The program loads a new menu once this one has gone, with its settings.
  program_.restartRequested = true;
  Unload();
  program_.state.pupilName.clear();
}

}  // namespace lirabo
