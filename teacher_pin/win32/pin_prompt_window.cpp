// PinPromptWindow: one masked box for the teacher PIN, "OK" and "Abbrechen". The gate
// decides what a PIN is worth; this view only shows its answers.
#include "teacher_pin/win32/pin_prompt_window.h"

#include <array>
#include <optional>
#include <thread>

#include "common/win32/form.h"
#include "teacher_pin/win32/pin_prompt_window_ids.h"

namespace lirabo {

namespace id = ids::pin_prompt;
namespace {

// In tab order.
const std::array<ControlSpec, 4> kControls = {{
    {.id = id::Prompt, .kind = ControlKind::Label, .caption = texts::kPinQueryLabel, .left = 240, .top = 240,
     .width = 3615, .height = 255},
    {.id = id::PinBox, .kind = ControlKind::TextBox, .caption = "", .left = 240, .top = 540, .width = 3615,
     .height = 315, .extraStyle = ES_PASSWORD | ES_NUMBER},
    {.id = id::OkButton, .kind = ControlKind::Button, .caption = "OK", .left = 840, .top = 1080, .width = 1455,
     .height = 375},
    {.id = id::CancelButton, .kind = ControlKind::Button, .caption = "Abbrechen", .left = 2400, .top = 1080,
     .width = 1455, .height = 375},
}};

class PinPromptWindow final : public Form {
 public:
  PinPromptWindow(TeacherPinGate& gate, MessagePort& messages) : gate_(gate), messages_(messages) {}
  ~PinPromptWindow() override {
    if (worker_.joinable()) worker_.join();
  }

  bool Granted() const { return granted_; }

 protected:
  FormSpec Spec() const override {
    FormSpec spec{texts::kPinQueryCaption, 4095, 1695};
    spec.defaultButton = id::OkButton;
    spec.cancelButton = id::CancelButton;
    return spec;
  }

  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    // Above the menu and its black background, as the name entry.
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(Control(id::PinBox), EM_LIMITTEXT, kPinMaxDigits, 0);
  }

  // While the key is derived the dialog takes no input and cannot be closed.
  bool OnQueryUnload(UnloadReason) override { return !worker_.joinable(); }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_SETCURSOR && worker_.joinable()) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    }
    if (message != kCheckDone) return Form::OnMessage(message, wParam, lParam);
    worker_.join();
    SetBusy(false);
    Answer(gate_.Conclude(*result_));
    return 0;
  }

  void OnCommand(int id, int notifyCode) override {
    if (notifyCode != BN_CLICKED || worker_.joinable()) return;
    if (id == id::CancelButton) {
      Unload();
    } else if (id == id::OkButton) {
      TryPin();
    }
  }

 private:
  static constexpr UINT kCheckDone = WM_APP + 1;

  // Deriving the key takes up to seconds: a worker does it, and the menu behind
  // keeps painting.
  void TryPin() {
    SetBusy(true);
    result_.reset();
    worker_ = std::thread([this, window = Window(), record = gate_.Record(), pin = Text(id::PinBox)] {
      result_.emplace(gate_.Verify(record, pin));
      PostMessageW(window, kCheckDone, 0, 0);
    });
  }

  void SetBusy(bool busy) {
    SetText(id::Prompt, busy ? texts::kPinQueryBusy : texts::kPinQueryLabel);
    for (int control : {id::PinBox, id::OkButton, id::CancelButton}) EnableControl(control, !busy);
    if (!busy) FocusControl(id::PinBox);
  }

  void Answer(PinAnswer answer) {
    switch (answer) {
      case PinAnswer::Right:
        granted_ = true;
        Unload();
        return;
      case PinAnswer::LockedOut:
        messages_.Show(gate_.LockOutText());
        Unload();
        return;
      case PinAnswer::Wrong:
        messages_.Show(texts::kPinWrong);
        break;
      case PinAnswer::Failed:
        messages_.Show(gate_.CheckError().description);
        break;
    }
    SetText(id::PinBox, "");
    FocusControl(id::PinBox);
  }

  TeacherPinGate& gate_;
  MessagePort& messages_;
  bool granted_ = false;
  std::thread worker_;
  std::optional<Expected<bool>> result_;  // written by the worker before it posts kCheckDone
};

}  // namespace

bool AskTeacherPin(Form* owner, TeacherPinGate& gate, MessagePort& messages) {
  PinPromptWindow query(gate, messages);
  query.ShowModal(owner);
  return query.Granted();
}

}  // namespace lirabo
