#pragma once
// The pupil's menu window: greeting, eight exercise buttons, the end button and
// the name button. Start-up and shutdown are the menu workflow's; this view wires
// them to the window.
#include <memory>

#include "common/win32/form.h"
#include "menu/menu_startup.h"
#include "records/win32/man_protokolle.h"

namespace lirabo {

class Hintergrund;
class Form2;

// What the menu form needs from the program: the ports and the program-wide state.
struct MenuProgram {
  MenuState state;
  FilePort& files;
  SystemPort& system;
  MessagePort& messages;
  DesktopPort& desktop;
  std::string commandLine;
  std::string optionsCaller;     // the form the options dialog shows again
  bool restartRequested = false; // the options changed: load a new menu
};

class Form1 final : public Form, private MenuWindows {
 public:
  explicit Form1(MenuProgram& program);
  ~Form1() override;

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override;
  void OnLoad() override;
  bool OnQueryUnload(UnloadReason reason) override;
  void OnUnload() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnPreviewKey(const MSG& msg) override;
  bool OnHelpKey() override;

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
  void BuildTeacherMenu();
  void ToggleTeacherMenu();
  void Proginfo();
  void OpenOptions();
  void RestartMenu();
  RecordsContext Records();

  MenuProgram& program_;
  std::unique_ptr<Hintergrund> background_;
  std::unique_ptr<Form2> options_;
  HMENU teacherMenu_ = nullptr;  // owned while it is not attached to the window
  bool teacherMenuShown_ = false;
  bool endImmediately_ = false;
};

}  // namespace lirabo
