#pragma once
// The options dialog Form2, in tafelwahl's narrow variant and regelpult's wide one
// with the word list frame. The decisions are the model's; this view shows them.
#include <functional>
#include <string>

#include "common/win32/form.h"
#include "options/options_dialog.h"

namespace lirabo {

struct Form2Context {
  OptionsVariant variant;
  FilePort& files;
  SystemPort& system;
  MessagePort& messages;
  std::string path;            // the copy this dialog edits
  std::string helpFile;        // tafelwahl's HelpFile (regelpult uses its own)
  OptionsRecord& settings;     // tafelwahl: the menu's settings; regelpult: the dialog's own
  std::string optionsCaller;   // tafelwahl: the form shown again when the dialog closes
};

class Form2 final : public Form {
 public:
  explicit Form2(Form2Context context);
  ~Form2() override;

  // tafelwahl: OK changed something; reload the menu (this dialog is still loaded).
  std::function<void()> onRestartMenu;
  // tafelwahl: the probe failed for another reason than a refusal; the message has
  // been shown and the dialog unloaded, the program must end.
  std::function<void()> onFatalEnd;
  // regelpult: the word list buttons of Frame1.
  std::function<void()> onEditWordList;     // Command2
  std::function<void()> onNewWordList;      // Command3
  std::function<void()> onRestoreWordList;  // Command4

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override;
  void OnLoad() override;
  bool OnQueryUnload(UnloadReason) override { return false; }
  void OnUnload() override;
  void OnCommand(int id, int notifyCode) override;

 private:
  void Render();
  void ReadBoxes();
  void Ok();
  void ShowCaller();
  void EnableBackground(bool enabled);

  Form2Context context_;
  OptionsDialogModel model_;
  OptionsSession session_;
};

}  // namespace lirabo
