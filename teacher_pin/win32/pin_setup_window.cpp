// PinSetupWindow: the new PIN twice (masked, digits only), "Speichern", "PIN
// entfernen", "Abbrechen". The decisions are TeacherPinSetting's.
#include "teacher_pin/win32/pin_setup_window.h"

#include <array>

#include "teacher_pin/teacher_pin.h"
#include "common/win32/form.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "teacher_pin/win32/pin_setup_window_ids.h"

namespace lirabo {

namespace id = ids::pin_setup;
namespace {

// Shows what loading found wrong, once the dialog is on the screen.
constexpr UINT kAfterShow = WM_APP + 1;

constexpr ControlSpec Label(int control, const char* caption, int left, int top, int width, int height) {
  return {.id = control, .kind = ControlKind::Label, .caption = caption, .left = left, .top = top,
          .width = width, .height = height};
}

constexpr ControlSpec PinBox(int control, int top) {
  return {.id = control, .kind = ControlKind::TextBox, .caption = "", .left = 1920, .top = top, .width = 2655,
          .height = 315, .extraStyle = ES_PASSWORD | ES_NUMBER};
}

constexpr ControlSpec Button(int control, const char* caption, int left) {
  return {.id = control, .kind = ControlKind::Button, .caption = caption, .left = left, .top = 2160, .width = 1375,
          .height = 375};
}

// In tab order.
const std::array<ControlSpec, 9> kControls = {{
    Label(id::State, "", 240, 240, 4335, 435),
    Label(id::NewPinLabel, texts::kPinNew, 240, 840, 1575, 255),
    PinBox(id::NewPin, 780),
    Label(id::RepeatLabel, texts::kPinRepeat, 240, 1320, 1575, 255),
    PinBox(id::RepeatPin, 1260),
    Label(id::RuleLabel, texts::kPinRule, 1920, 1635, 2655, 255),
    Button(id::SaveButton, texts::kPinSave, 240),
    Button(id::RemoveButton, texts::kPinRemove, 1720),
    Button(id::CancelButton, texts::kPinCancel, 3200),
}};

class PinSetupWindow final : public Form {
 public:
  PinSetupWindow(Services& services, CryptoPort& crypto)
      : services_(services),
        setting_(services, crypto, services.system.ApplicationPath() + kTeacherPinFileName) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{texts::kPinDialogCaption, 4815, 2775};
    spec.defaultButton = id::SaveButton;
    spec.cancelButton = id::CancelButton;
    return spec;
  }

  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    for (int box : {id::NewPin, id::RepeatPin}) SendMessageW(Control(box), EM_LIMITTEXT, kPinMaxDigits, 0);
    setting_.Load();
    SetText(id::State, setting_.StateText());
    EnableControl(id::RemoveButton, setting_.CanRemove());
    PostMessageW(Window(), kAfterShow, 0, 0);
  }

  void OnCommand(int id, int notifyCode) override {
    if (notifyCode != BN_CLICKED) return;
    switch (id) {
      case id::SaveButton: {
        HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));  // deriving the key takes a moment
        const bool saved = setting_.Save(Text(id::NewPin), Text(id::RepeatPin));
        SetCursor(before);
        if (saved) {
          Unload();
          return;
        }
        SetText(id::NewPin, "");
        SetText(id::RepeatPin, "");
        FocusControl(id::NewPin);
        return;
      }
      case id::RemoveButton:
        if (setting_.Remove()) Unload();
        return;
      case id::CancelButton:
        Unload();
        return;
      default:
        return;
    }
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kAfterShow) {
      if (!setting_.LoadProblem().empty()) services_.messages.Show(setting_.LoadProblem());
      return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
  }

 private:
  Services& services_;
  TeacherPinSetting setting_;
};

}  // namespace

void ShowTeacherPinDialog(Form* owner, Services& services, CryptoPort& crypto) {
  PinSetupWindow dialog(services, crypto);
  dialog.ShowModal(owner);
}

}  // namespace lirabo
