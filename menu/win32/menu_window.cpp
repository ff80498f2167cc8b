#include "menu/win32/menu_window.h"

#include <array>

#include "common/help.h"
#include "common/program_version.h"
#include "common/win32/help.h"
#include "common/win32/version_resource.h"
#include "menu/exercise_launcher.h"
#include "menu/menu_texts.h"
#include "menu/win32/menu_window_ids.h"
#include "menu/win32/background_window.h"
#include "common/win32/picture_ids.h"
#include "teacher_pin/win32/pin_prompt_window.h"
#include "options/options_store.h"
#include "options/win32/options_window.h"
#include "records/win32/name_entry_window.h"
#include "records/win32/name_list_window.h"
#include "records/win32/log_viewer_window.h"

namespace lirabo {

namespace id = ids::menu_window;
namespace {


constexpr FontSpec kGreetingFont{L"Arial", 1200, true};
constexpr FontSpec kButtonFont{L"Arial", 1050, true};

// The eight exercise buttons in tab order: place, picture, caption and program.
struct ExerciseButton {
  int id, left, top, picture;
  const char* caption;
  const char* programText;  // the program's file name, a blank and Q
};
constexpr std::array<ExerciseButton, 8> kExerciseButtons = {{
    {id::Kamu1Button, 240, 960, IDB_KAMU1, "Kamu 1", "Kamu1.exe Q"},
    {id::Kamu2Button, 2400, 960, IDB_KAMU2, "Kamu 2", "Kamu2.exe Q"},
    {id::TesraButton, 4560, 960, IDB_TESRA, "Tesra", "tesra.exe Q"},
    {id::OrvinButton, 6720, 960, IDB_ORVIN, "Orvin", "Orvin.exe Q"},
    {id::Pelum1Button, 240, 2520, IDB_PELUM1, "Pelum 1", "Pelum1.exe Q"},
    {id::Pelum2Button, 2400, 2520, IDB_PELUM2, "Pelum 2", "Pelum2.exe Q"},
    {id::Pelum3Button, 4560, 2520, IDB_PELUM3, "Pelum 3", "Pelum3.exe Q"},
    {id::DrusaButton, 6720, 2520, IDB_DRUSA, "Drusa", "Drusa.exe Q"},
}};

// In tab order: the greeting, the exercise buttons, the name button, the end button.
constexpr std::array<ControlSpec, 11> MenuControls() {
  std::array<ControlSpec, 11> controls{};
  controls[0] = {.id = id::Greeting, .kind = ControlKind::Label, .caption = texts::kGreetingDesign, .left = 300,
                 .top = 120, .width = 8415, .height = 735, .font = kGreetingFont};
  for (std::size_t i = 0; i < kExerciseButtons.size(); ++i) {
    const ExerciseButton& b = kExerciseButtons[i];
    controls[i + 1] = {.id = b.id, .kind = ControlKind::PictureButton, .caption = b.caption, .left = b.left,
                       .top = b.top, .width = 2055, .height = 1455, .font = kButtonFont, .pictureResource = b.picture};
  }
  controls[9] = {.id = id::NameButton, .kind = ControlKind::PictureButton, .caption = texts::kNameButton,
                 .left = 4560, .top = 4200, .width = 2055, .height = 1215, .font = kButtonFont,
                 .pictureResource = IDB_NAME};
  controls[10] = {.id = id::EndButton, .kind = ControlKind::PictureButton, .caption = "", .left = 6720, .top = 4440,
                  .width = 2055, .height = 735, .font = kButtonFont, .pictureResource = IDB_END};
  return controls;
}
constexpr std::array<ControlSpec, 11> kMenuControls = MenuControls();

// "Lehrermenü" with its items in the order of the menu tree.
UniqueMenu BuildTeacherMenu() {
  HMENU logs = CreatePopupMenu();
  AppendMenuW(logs, MF_STRING, id::ShowLogsItem, L"Protokolle anzeigen");
  AppendMenuW(logs, MF_STRING, id::NamesItem, L"Namen anzeigen und löschen");
  HMENU items = CreatePopupMenu();
  AppendMenuW(items, MF_STRING, id::PackageHelpItem, L"Hilfe zum Programmpaket\tF1");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_STRING, id::InfoItem, L"Infos über die Programme");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_POPUP, reinterpret_cast<UINT_PTR>(logs), L"Protokolle");
  AppendMenuW(items, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(items, MF_STRING, id::OptionsItem, L"Optionen");
  UniqueMenu bar(CreateMenu());
  AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(items), L"Lehrermenü");
  return bar;
}

}  // namespace

MenuWindow::MenuWindow(MenuProgram& program) : program_(program) {}

MenuWindow::~MenuWindow() = default;

FormSpec MenuWindow::Spec() const {
  FormSpec spec{texts::kMenuCaption, 9105, 5640};
  spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  spec.exStyle = 0;
  spec.keyPreview = true;
  spec.iconResource = IDI_LIRABO;
  return spec;
}

std::span<const ControlSpec> MenuWindow::Controls() const { return kMenuControls; }

MenuPorts MenuWindow::Ports() { return {program_.services, program_.desktop, *this}; }

RecordsContext MenuWindow::Records() {
  MenuState& state = program_.state;
  return {program_.services, RecordPaths{state.settingsFolder, program_.services.system.ApplicationPath()},
          state.helpFile, state.pupilName};
}

void MenuWindow::OnLoad() {
  ShowControl(id::NameButton, false);
  teacherMenu_ = BuildTeacherMenu();
  MenuPorts ports = Ports();
  CarryOut(program_.flow.AfterStartup(RunMenuStartup(program_.state, ports, program_.commandLine)));
}

bool MenuWindow::OnQueryUnload(UnloadReason) {
  // Pupils leave the menu only through its buttons.
  return false;
}

void MenuWindow::OnUnload() {
  MenuPorts ports = Ports();
  RunMenuShutdown(program_.state, ports);
}

void MenuWindow::CarryOut(MenuProgram& program, MenuWindow* menu, MenuStep step) {
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

void MenuWindow::OnCommand(int id, int notifyCode) {
  switch (id) {  // menu items arrive with code 0, which is also BN_CLICKED
    case id::PackageHelpItem:
      ShowHelpTopic(Window(), program_.services.system, program_.state.helpFile, kPackageHelpTopic);
      return;
    case id::InfoItem:
      Proginfo();
      return;
    case id::ShowLogsItem: {
      RecordsContext context = Records();
      ShowLogViewer(this, context);
      return;
    }
    case id::NamesItem: {
      RecordsContext context = Records();
      ShowNameList(this, context);
      // The current pupil's name may just have been deleted.
      SetGreeting(GreetingFor(program_.state.pupilName));
      return;
    }
    case id::OptionsItem:
      OpenOptions();
      return;
    default:
      break;
  }
  if (notifyCode != BN_CLICKED) return;
  if (id == id::EndButton) {
    CarryOut(program_.flow.AfterEndButton());
    return;
  }
  if (id == id::NameButton) {
    OpenNameEntry();
    return;
  }
  for (const ExerciseButton& button : kExerciseButtons) {
    if (button.id != id) continue;
    const bool started = LaunchExercise(program_.services.system, program_.services.messages, program_.state,
                                        button.programText);
    if (started) HideGuardedTeacherMenu();  // the teacher has handed the PC to a pupil
    CarryOut(program_.flow.AfterLaunch(started));
    return;
  }
}

void MenuWindow::SetGreeting(const std::string& text) { SetText(id::Greeting, text); }

void MenuWindow::ShowNameButton() { ShowControl(id::NameButton, true); }

void MenuWindow::AddMinimizeBox() {
  LONG_PTR style = GetWindowLongPtrW(Window(), GWL_STYLE);
  SetWindowLongPtrW(Window(), GWL_STYLE, style | WS_MINIMIZEBOX);
  SetWindowPos(Window(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void MenuWindow::ShowBackground(bool displaySwitched) {
  PixelRect placement = BackgroundPlacement(program_.state.settings.taskbarVisible, program_.desktop.WorkArea(),
                                            program_.desktop.ScreenSize());
  HICON icon = reinterpret_cast<HICON>(SendMessageW(Window(), WM_GETICON, ICON_BIG, 0));
  background_ = std::make_unique<BackgroundWindow>(Window(), placement, icon);
  background_->Load();
  if (displaySwitched) background_->MoveToSwitchedDisplay();
  background_->Show();
}

bool MenuWindow::IsBackgroundLoaded() { return background_ && background_->IsLoaded(); }

void MenuWindow::UnloadBackground() {
  if (!background_) return;
  background_->ReturnMenuOwner();
  background_->Unload();
  background_.reset();
}

void MenuWindow::OpenNameEntry() {
  RecordsContext context = Records();
  ShowNameEntry(this, context);
  SetGreeting(GreetingFor(program_.state.pupilName));
}

bool MenuWindow::OnPreviewKey(const MSG& msg) {
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
bool MenuWindow::OnHelpKey() {
  if (GetMenu(Window()))
    OnCommand(id::PackageHelpItem, 0);
  else
    ShowHelpTopic(Window(), program_.services.system, program_.state.helpFile, kMenuHelpTopic);
  return true;
}

// F6: the teacher menu at once, or after the installation's PIN.
void MenuWindow::OnTeacherMenuKey() {
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

void MenuWindow::HideGuardedTeacherMenu() {
  if (GetMenu(Window()) && program_.pinGate.PinSet()) ToggleTeacherMenu();
}

LRESULT MenuWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
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

void MenuWindow::ToggleTeacherMenu() {
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

void MenuWindow::Proginfo() {
  ProgramVersionInfo version = ReadOwnVersionInfo();
  program_.services.messages.Show(
      "JW Lirabo Version " + FormatProgramVersion(version.major, version.minor, version.revision) + "\r\n" +
          version.legalCopyright,
      MsgButtons::Ok, MsgIcon::Information, "Info über " + version.productName);
}

void MenuWindow::OpenOptions() {
  try {
    Hide();
    MenuState& state = program_.state;
    options_ = std::make_unique<OptionsWindow>(OptionsWindowContext{program_.services, OptionsVariant::Menu,
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
