#pragma once
// The word editor "Wortliste": four boxes for the sounds of one word, stored in
// wortlst.jw1, which the window holds exclusively while it is open.
#include <span>

#include "common/win32/form.h"
#include "wordlist/word_editor.h"
#include "wordlist/word_list_decisions.h"

namespace lirabo {

class WordEditorWindow final : public Form {
 public:
  // Outer window heights without and with the help frame.
  static constexpr int kCompactHeight = 3400;
  static constexpr int kHelpHeight = 6800;

  WordEditorWindow(Services& ports, WordEditMode mode, std::string helpFile);

  void ToggleHelp();
  // Whether loading met an error after which regelpult ends.
  bool EndsProgram() const { return state_ == EditorState::EndProgram; }

 protected:
  FormSpec Spec() const override;
  std::span<const ControlSpec> Controls() const override;
  void OnLoad() override;
  void OnUnload() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnHelpKey() override;

 private:
  void SetHeight(int twips);
  void AddToolTips();
  void Store();

  Services& services_;
  WordEditor editor_;
  WordEditMode mode_;
  std::string helpFile_;
  EditorState state_ = EditorState::Ready;
  int heightTwips_ = kCompactHeight;
};

// Shows the editor modally over `owner` and returns when it has closed: false
// when an error was shown after which regelpult ends.
bool ShowWordEditor(Form* owner, Services& ports, WordEditMode mode, const std::string& helpFile);

}  // namespace lirabo
