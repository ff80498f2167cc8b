#include "menu/win32/form1.h"

#include <array>

#include "menu/exercise_launcher.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "menu/win32/hintergrund.h"
#include "records/win32/man_namen.h"

namespace lirabo {
namespace {

constexpr FontSpec kGreetingFont{L"Arial", 1200, true};
constexpr FontSpec kButtonFont{L"Arial", 1050, true};

#define EXERCISE_BUTTON(n, left, top) \
  {IDC_Command##n, ControlKind::PictureButton, nullptr, left, top, 2055, 1455, kButtonFont, 0, kNoColour, kNoColour, 0, IDB_Command##n}

// In tab order; the exercise buttons' captions come from the launcher's table.
const std::array<ControlSpec, 11> kForm1Controls = {{
    {IDC_Hilfe, ControlKind::Label, texts::kGreetingDesign, 300, 120, 8415, 735, kGreetingFont},
    EXERCISE_BUTTON(1, 240, 960),
    EXERCISE_BUTTON(2, 2400, 960),
    EXERCISE_BUTTON(3, 4560, 960),
    EXERCISE_BUTTON(4, 6720, 960),
    EXERCISE_BUTTON(7, 240, 2520),
    EXERCISE_BUTTON(6, 2400, 2520),
    EXERCISE_BUTTON(5, 4560, 2520),
    EXERCISE_BUTTON(9, 6720, 2520),
    {IDC_CB_Name, ControlKind::PictureButton, texts::kNameButton, 4560, 4200, 2055, 1215, kButtonFont, 0,
     kNoColour, kNoColour, 0, IDB_CB_Name},
    {IDC_Command8, ControlKind::PictureButton, "", 6720, 4440, 2055, 735, kButtonFont, 0, kNoColour, kNoColour,
     0, IDB_Command8},
}};
#undef EXERCISE_BUTTON

// Exercise button IDs in the launcher's order.
constexpr std::array<int, 8> kExerciseIds = {IDC_Command1, IDC_Command2, IDC_Command3, IDC_Command4,
                                             IDC_Command7, IDC_Command6, IDC_Command5, IDC_Command9};

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

MenuPorts Form1::Ports() {
  return {program_.files, program_.system, program_.messages, program_.desktop, *this};
}

void Form1::OnLoad() {
  for (std::size_t i = 0; i < kExerciseIds.size(); ++i) SetText(kExerciseIds[i], kExercises[i].caption);
  ShowControl(IDC_CB_Name, false);
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
  if (endImmediately_) return;
  MenuPorts ports = Ports();
  RunMenuShutdown(program_.state, ports);
}

void Form1::OnCommand(int id, int notifyCode) {
  if (notifyCode != BN_CLICKED) return;
  if (id == IDC_Command8) {
    Unload();
    return;
  }
  if (id == IDC_CB_Name) {
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

void Form1::SetGreeting(const std::string& text) { SetText(IDC_Hilfe, text); }

void Form1::ShowNameButton() { ShowControl(IDC_CB_Name, true); }

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

}  // namespace lirabo
