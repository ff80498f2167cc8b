// PinAbfrage: one masked box for the teacher PIN, "OK" and "Abbrechen". The gate
// decides what a PIN is worth; this view only shows its answers.
#include "menu/win32/pin_abfrage.h"

#include <array>

#include "common/win32/form.h"
#include "menu/win32/pin_abfrage_ids.h"

namespace lirabo {

namespace id = ids::pin_abfrage;
namespace {

// In tab order.
const std::array<ControlSpec, 4> kControls = {{
    {.id = id::Label1, .kind = ControlKind::Label, .caption = texts::kPinQueryLabel, .left = 240, .top = 240,
     .width = 3615, .height = 255},
    {.id = id::Text1, .kind = ControlKind::TextBox, .caption = "", .left = 240, .top = 540, .width = 3615,
     .height = 315, .extraStyle = ES_PASSWORD | ES_NUMBER},
    {.id = id::OK, .kind = ControlKind::Button, .caption = "OK", .left = 840, .top = 1080, .width = 1455,
     .height = 375},
    {.id = id::Abbrechen, .kind = ControlKind::Button, .caption = "Abbrechen", .left = 2400, .top = 1080,
     .width = 1455, .height = 375},
}};

class PinAbfrage final : public Form {
 public:
  PinAbfrage(TeacherPinGate& gate, MessagePort& messages) : Form("PinAbfrage"), gate_(gate), messages_(messages) {}

  bool Granted() const { return granted_; }

 protected:
  FormSpec Spec() const override {
    FormSpec spec{texts::kPinQueryCaption, 4095, 1695};
    spec.defaultButton = id::OK;
    spec.cancelButton = id::Abbrechen;
    return spec;
  }

  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    // Above the menu and its black background, as the name entry.
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SendMessageW(Control(id::Text1), EM_LIMITTEXT, kPinMaxDigits, 0);
  }

  void OnCommand(int id, int notifyCode) override {
    if (notifyCode != BN_CLICKED) return;
    if (id == id::Abbrechen) {
      Unload();
    } else if (id == id::OK) {
      TryPin();
    }
  }

 private:
  void TryPin() {
    // Deriving the key takes a moment.
    HCURSOR before = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    PinAnswer answer = gate_.Check(Text(id::Text1));
    SetCursor(before);
    switch (answer) {
      case PinAnswer::Right:
        granted_ = true;
        Unload();
        return;
      case PinAnswer::LockedOut:
        messages_.Show(texts::kPinLockedOut);
        Unload();
        return;
      case PinAnswer::Wrong:
        messages_.Show(texts::kPinWrong);
        break;
      case PinAnswer::Failed:
        messages_.Show(gate_.CheckError().description);
        break;
    }
    SetText(id::Text1, "");
    FocusControl(id::Text1);
  }

  TeacherPinGate& gate_;
  MessagePort& messages_;
  bool granted_ = false;
};

}  // namespace

bool AskTeacherPin(Form* owner, TeacherPinGate& gate, MessagePort& messages) {
  PinAbfrage query(gate, messages);
  query.ShowModal(owner);
  return query.Granted();
}

}  // namespace lirabo
