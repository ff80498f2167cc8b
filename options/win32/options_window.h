#pragma once
// The options dialog OptionsWindow, in tafelwahl's narrow variant and regelpult's wide one
// with the word list frame. The decisions are the model's; this view shows them.
#include <functional>
#include <string>

#include "common/win32/form.h"
#include "common/services.h"
#include "options/options_dialog.h"

namespace lirabo {

struct OptionsWindowContext : Services {
  OptionsVariant variant;
  std::string path;            // the copy this dialog edits
  std::string helpFile;        // tafelwahl's HelpFile (regelpult uses its own)
  OptionsRecord& settings;     // tafelwahl: the menu's settings; regelpult: the dialog's own
  Form* background = nullptr;  // tafelwahl: disabled while the dialog is open
};

class OptionsWindow final : public Form {
 public:
  explicit OptionsWindow(OptionsWindowContext context);
  ~OptionsWindow() override;

  // How the dialog ended, once it has unloaded; the opener decides what follows.
  std::function<void(OptionsEnd)> onClosed;
  // regelpult: the word list buttons of Frame1.
  std::function<void()> onEditWordList;
  std::function<void()> onNewWordList;
  std::function<void()> onRestoreWordList;
  // regelpult: the teacher PIN button under Frame1.
  std::function<void()> onTeacherPin;

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override;
  void OnLoad() override;
  bool OnQueryUnload(UnloadReason) override;
  void OnUnload() override;
  void OnCommand(int id, int notifyCode) override;

 private:
  void Render();
  void ReadBoxes();
  void Ok();
  void EnableBackground(bool enabled);
  void Close(OptionsEnd end);

  OptionsWindowContext context_;
  bool saveFailed_ = false;  // the close box may then leave, keeping the old file
  OptionsDialogModel model_;
  OptionsSession session_;
};

}  // namespace lirabo
