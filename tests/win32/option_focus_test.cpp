// Windows' automatic option button checks itself and reports a click when it gets
// the focus; Wine's does not. With that emulated, the framework must never be the
// one that chooses an option.
#include <gtest/gtest.h>

#include "common/win32/form.h"

namespace lirabo {
namespace {

constexpr int kHigh = 101, kLow = 102, kOk = 103;
constexpr ControlSpec kControls[] = {
    {kHigh, ControlKind::OptionButton, "hoch", 120, 120, 2000, 375},
    {kLow, ControlKind::OptionButton, "niedrig", 120, 500, 2000, 375},
    {kOk, ControlKind::Button, "OK", 120, 1000, 1200, 375},
};

WNDPROC buttonProc = nullptr;

LRESULT CALLBACK AutoRadioAsOnWindows(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(buttonProc, button, message, wParam, lParam);
  if (message == WM_SETFOCUS && SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  return result;
}

class ChoiceForm final : public Form {
 public:
  int choices = 0;

 protected:
  FormSpec Spec() const override {
    FormSpec spec{"Auswahl", 2400, 1600};
    spec.defaultButton = kOk;
    return spec;
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }
  void OnCommand(int id, int code) override { choices += code == BN_CLICKED && id != kOk; }
};

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void SwitchAwayAndBack(HWND window) {
  HWND other = CreateWindowExW(0, L"STATIC", L"anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  Pump();
  SetForegroundWindow(window);
  Pump();
  DestroyWindow(other);
}

TEST(OptionFocus, NeitherTheFirstFocusNorTheFocusRestoredOnActivationChoosesAnOption) {
  ChoiceForm form;
  ASSERT_TRUE(form.Load());
  for (int id : {kHigh, kLow})
    buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.Control(id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AutoRadioAsOnWindows)));
  form.Show();
  Pump();
  EXPECT_EQ(GetFocus(), form.Control(kOk));
  SwitchAwayAndBack(form.Window());
  EXPECT_EQ(form.choices, 0);

  // The user's choice counts; the program then clears it while the focus stays.
  form.FocusControl(kLow);
  EXPECT_EQ(form.choices, 1);
  form.SetChecked(kLow, false);
  SwitchAwayAndBack(form.Window());
  EXPECT_EQ(form.choices, 1);
  EXPECT_FALSE(form.IsChecked(kHigh) || form.IsChecked(kLow));
  form.Unload();
}

}  // namespace
}  // namespace lirabo
