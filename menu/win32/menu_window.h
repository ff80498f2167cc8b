#pragma once
// The pupil's menu window: greeting, eight exercise buttons, the end button,
// the name button and the teacher menu behind F6. Start-up, shutdown and every way
// the menu goes on or ends are the menu's models; this view carries them out.
#include <memory>

#include "common/services.h"
#include "common/win32/form.h"
#include "common/win32/handles.h"
#include "menu/menu_flow.h"
#include "menu/menu_startup.h"
#include "teacher_pin/teacher_pin_gate.h"
#include "records/records_context.h"

namespace lirabo {

class BackgroundWindow;
class OptionsWindow;

// The menu program: its ports and its program-wide state, alive across reloads.
struct MenuProgram {
  MenuState state;
  Services services;
  DesktopPort& desktop;
  CryptoPort& crypto;
  ClockPort& clock;
  std::string commandLine;
  std::string installedFolder;  // the package's record of its folder; "" when none
  MenuFlow flow{state};
  // A lock-out after wrong PINs outlasts a reload of the menu.
  TeacherPinGate pinGate{services.files, services.system, crypto, clock, state.settingsFolder, installedFolder};
};

class MenuWindow final : public Form, private MenuWindows {
 public:
  explicit MenuWindow(MenuProgram& program);
  ~MenuWindow() override;

  // The one place where the flow's steps happen. `menu` may be null only for the
  // steps after a failure, which touch no window.
  static void CarryOut(MenuProgram& program, MenuWindow* menu, MenuStep step);

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override;
  void OnLoad() override;
  bool OnQueryUnload(UnloadReason reason) override;
  void OnUnload() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnPreviewKey(const MSG& msg) override;
  bool OnHelpKey() override;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // MenuWindows
  std::string MenuCaption() override { return Caption(); }
  void SetMenuCaption(const std::string& caption) override { SetCaption(caption); }
  void SetGreeting(const std::string& text) override;
  void ShowNameButton() override;
  void AddMinimizeBox() override;
  void ShowBackground(bool displaySwitched) override;
  bool IsBackgroundLoaded() override;
  void UnloadBackground() override;
  void OpenNameEntry() override;

  MenuPorts Ports();
  RecordsContext Records();
  void CarryOut(MenuStep step) { CarryOut(program_, this, step); }
  void OnTeacherMenuKey();
  void ToggleTeacherMenu();
  // With a PIN set, a shown teacher menu does not stay open for the pupils.
  void HideGuardedTeacherMenu();
  static constexpr UINT_PTR kIdleTimer = 1;
  void Proginfo();
  void OpenOptions();

  MenuProgram& program_;
  std::unique_ptr<BackgroundWindow> background_;
  std::unique_ptr<OptionsWindow> options_;
  UniqueMenu teacherMenu_;  // owned while hidden; the window owns it while shown
  DWORD lastInput_ = 0;  // GetTickCount of the last input seen in the menu
};

}  // namespace lirabo
