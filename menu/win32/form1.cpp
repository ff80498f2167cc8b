#include "menu/win32/form1.h"

#include <array>

#include "common/help.h"
#include "common/program_version.h"
#include "common/win32/help.h"
#include "common/win32/version_resource.h"
#include "menu/exercise_launcher.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "menu/win32/hintergrund.h"
#include "menu/win32/picture_ids.h"
#include "menu/win32/pin_abfrage.h"
#include "options/options_store.h"
#include "options/win32/form2.h"
#include "records/win32/man_namen.h"
#include "records/win32/man_namen_anzeigen.h"
#include "records/win32/man_protokolle.h"

namespace lirabo {

namespace id = ids::form1;
namespace {

constexpr int kPackageHelpTopic = 99;
constexpr int kMenuHelpTopic = 102;

constexpr FontSpec kGreetingFont{L"Arial", 1200, true};
constexpr FontSpec kButtonFont{L"Arial", 1050, true};

constexpr ControlSpec ExerciseButton(int control, int left, int top, int picture) {
  return {.id = control, .kind = ControlKind::PictureButton, .caption = nullptr, .left = left, .top = top,
          .width = 2055, .height = 1455, .font = kButtonFont, .pictureResource = picture};
}

// In tab order; the exercise buttons' captions come from the launcher's table.
const std::array<ControlSpec, 11> kForm1Controls = {{
    {.id = id::Hilfe, .kind = ControlKind::Label, .caption = texts::kGreetingDesign, .left = 300, .top = 120,
     .width = 8415, .height = 735, .font = kGreetingFont},
    ExerciseButton(id::Command1, 240, 960, IDB_Command1),
    ExerciseButton(id::Command2, 2400, 960, IDB_Command2),
    ExerciseButton(id::Command3, 4560, 960, IDB_Command3),
    ExerciseButton(id::Command4, 6720, 960, IDB_Command4),
    ExerciseButton(id::Command7, 240, 2520, IDB_Command7),
    ExerciseButton(id::Command6, 2400, 2520, IDB_Command6),
    ExerciseButton(id::Command5, 4560, 2520, IDB_Command5),
    ExerciseButton(id::Command9, 6720, 2520, IDB_Command9),
    {.id = id::CB_Name, .kind = ControlKind::PictureButton, .caption = texts::kNameButton, .left = 4560,
     .top = 4200, .width = 2055, .height = 1215, .font = kButtonFont, .pictureResource = IDB_CB_Name},
    {.id = id::Command8, .kind = ControlKind::PictureButton, .caption = "", .left = 6720, .top = 4440,
     .width = 2055, .height = 735, .font = kButtonFont, .pictureResource = IDB_Command8},
}};

// Exercise button IDs in the launcher's order.
constexpr std::array<int, 8> kExerciseIds = {id::Command1, id::Command2, id::Command3, id::Command4,
                                             id::Command7, id::Command6, id::Command5, id::Command9};

// "Lehrermenü" with its items in the order of the menu tree.
UniqueMenu BuildTeacherMenu() {
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
  UniqueMenu bar(CreateMenu());
  AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items), L"Lehrermenü");
  return bar;
}

}  // namespace

Form1::Form1(MenuProgram& program) : Form("Form1"), program_(program) {}

Form1::~Form1() = default;

FormSpec Form1::Spec() const {
  FormSpec spec{texts::kMenuCaption, 9105, 5640};
  spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  spec.exStyle = 0;
  spec.keyPreview = true;
  spec.iconResource = IDI_LIRABO;
  return spec;
}

std::span<const ControlSpec> Form1::Controls() const { return kForm1Controls; }

MenuPorts Form1::Ports() { return {program_.services, program_.desktop, *this}; }

RecordsContext Form1::Records() {
  MenuState& state = program_.state;
  return {program_.services, RecordPaths{state.settingsFolder, program_.services.system.ApplicationPath()},
          state.helpFile, state.pupilName};
}

void Form1::OnLoad() {
  for (std::size_t i = 0; i < kExerciseIds.size(); ++i) SetText(kExerciseIds[i], kExercises[i].caption);
  ShowControl(id::CB_Name, false);
  teacherMenu_ = BuildTeacherMenu();
  MenuPorts ports = Ports();
  CarryOut(program_.flow.AfterStartup(RunMenuStartup(program_.state, ports, program_.commandLine)));
}

bool Form1::OnQueryUnload(UnloadReason) {
  // Pupils leave the menu only through its buttons.
  return false;
}

void Form1::OnUnload() {
  MenuPorts ports = Ports();
  RunMenuShutdown(program_.state, ports);
}

void Form1::CarryOut(MenuProgram& program, Form1* menu, MenuStep step) {
  switch (step) {
    case MenuStep::Wait:
      return;
    case MenuStep::ShowMenu:
      menu->Show();
      return;
    case MenuStep::CloseMenu:
    case MenuStep::ReloadMenu:
      // The unload runs the shutdown; once the window is gone the program's loop
      // asks the flow whether a new menu follows.
      menu->Unload();
      return;
    case MenuStep::EndAtOnce:
      // Gone without the unload handler: there is nothing to undo.
      DestroyWindow(menu->Window());
      return;
    case MenuStep::ExitRestoringDesktop:
      RestoreDesktop(program.state, program.desktop, program.services.messages);
      ExitProcess(1);
    case MenuStep::ExitNow:
      ExitProcess(1);
  }
}

void Form1::OnCommand(int id, int notifyCode) {
  switch (id) {  // menu items arrive with code 0, which is also BN_CLICKED
    case id::M_Hilfe_Paket:
      ShowHelpTopic(Window(), program_.services.system, program_.state.helpFile, kPackageHelpTopic);
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
    CarryOut(program_.flow.AfterEndButton());
    return;
  }
  if (id == id::CB_Name) {
    OpenNameEntry();
    return;
  }
  for (std::size_t i = 0; i < kExerciseIds.size(); ++i) {
    if (kExerciseIds[i] != id) continue;
    const bool started = LaunchExercise(program_.services.system, program_.services.messages, program_.state,
                                        kExercises[i].programText);
    if (started) HideGuardedTeacherMenu();  // the teacher has handed the PC to a pupil
    CarryOut(program_.flow.AfterLaunch(started));
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

bool Form1::IsBackgroundLoaded() { return background_ && background_->IsLoaded(); }

void Form1::UnloadBackground() {
  if (!background_) return;
  background_->ReturnMenuOwner();
  background_->Unload();
  background_.reset();
}

void Form1::OpenNameEntry() {
  RecordsContext context = Records();
  ShowNameEntry(this, context);
  SetGreeting(GreetingFor(program_.state.pupilName));
}

bool Form1::OnPreviewKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  // Shift, Ctrl and Alt are not looked at.
  if (msg.wParam == VK_F6) {
    OnTeacherMenuKey();
    return true;
  }
  return false;
}

// F1 is the package help's shortcut while the teacher menu is shown; otherwise it
// is the platform's help key for the menu window's own topic.
bool Form1::OnHelpKey() {
  if (GetMenu(Window()))
    OnCommand(id::M_Hilfe_Paket, 0);
  else
    ShowHelpTopic(Window(), program_.services.system, program_.state.helpFile, kMenuHelpTopic);
  return true;
}

// F6: the teacher menu at once, or after the installation's PIN.
void Form1::OnTeacherMenuKey() {
  TeacherPinGate& gate = program_.pinGate;
  MessagePort& messages = program_.services.messages;
  switch (gate.OnF6(GetMenu(Window()) != nullptr)) {
    case TeacherMenuKey::Toggle:
      ToggleTeacherMenu();
      return;
    case TeacherMenuKey::AskPin:
      if (AskTeacherPin(this, gate, messages)) ToggleTeacherMenu();
      return;
    case TeacherMenuKey::Ignore:
      return;
    case TeacherMenuKey::Damaged:
      messages.Show(texts::kPinFileDamaged);
      return;
    case TeacherMenuKey::Unreadable:
      messages.Show(std::string(texts::kPinFileUnreadable) + "\r\n" + gate.ReadError().description);
      return;
  }
}

void Form1::HideGuardedTeacherMenu() {
  if (GetMenu(Window()) && program_.pinGate.PinSet()) ToggleTeacherMenu();
}

LRESULT Form1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER || wParam != kIdleTimer) return Form::OnMessage(message, wParam, lParam);
  // Input counts while one of the menu's windows is in front: the menu, a
  // teacher's dialog or a message box of it.
  DWORD foregroundProcess = 0;
  GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
  LASTINPUTINFO input{sizeof input, 0};
  if (foregroundProcess == GetCurrentProcessId() && GetLastInputInfo(&input) &&
      static_cast<LONG>(input.dwTime - lastInput_) > 0)
    lastInput_ = input.dwTime;
  if (GetTickCount() - lastInput_ >= static_cast<DWORD>(kTeacherMenuIdle.count())) HideGuardedTeacherMenu();
  return 0;
}

void Form1::ToggleTeacherMenu() {
  // The window grows or shrinks by the menu bar, so the client area stays.
  const int client = ClientHeightTwips();
  if (HMENU shown = GetMenu(Window())) {
    SetMenu(Window(), nullptr);
    teacherMenu_.reset(shown);
    KillTimer(Window(), kIdleTimer);
  } else if (teacherMenu_) {
    SetMenu(Window(), teacherMenu_.release());
    if (program_.pinGate.PinSet()) {
      lastInput_ = GetTickCount();
      SetTimer(Window(), kIdleTimer, 10000, nullptr);
    }
  }
  SetClientHeightTwips(client);
  DrawMenuBar(Window());
}

void Form1::Proginfo() {
  ProgramVersionInfo version = ReadOwnVersionInfo();
  program_.services.messages.Show(
      "JW Lirabo Version " + FormatProgramVersion(version.major, version.minor, version.revision) + "\r\n" +
          version.legalCopyright,
      MsgButtons::Ok, MsgIcon::Information, "Info über " + version.productName);
}

void Form1::OpenOptions() {
  try {
    Hide();
    MenuState& state = program_.state;
    options_ = std::make_unique<Form2>(Form2Context{program_.services, OptionsVariant::Menu,
                                                    state.settingsFolder + kOptionsFileName, state.helpFile,
                                                    state.settings, background_.get()});
    options_->onClosed = [this](OptionsEnd end) { CarryOut(program_.flow.AfterOptions(end)); };
    options_->Show();
  } catch (const std::exception& e) {
    // Ends like any unexpected failure: no form's closing handler runs.
    program_.services.messages.Show(std::string("Laufzeitfehler: ") + e.what());
    CarryOut(program_.flow.AfterFatalError());
  }
}

}  // namespace lirabo
