// The name entry: the pupil types a name or picks one from the
// register, and "Weiter" records it. The decisions are the name-entry model's.
#include "records/win32/name_entry_window.h"

#include <windowsx.h>

#include <array>
#include <optional>

#include "common/text.h"
#include "common/win32/form.h"
#include "common/help.h"
#include "common/win32/help.h"
#include "common/win32/wide.h"
#include "common/win32/picture_ids.h"
#include "records/name_entry.h"
#include "records/win32/list_box.h"
#include "records/win32/name_entry_window_ids.h"

namespace lirabo {

namespace id = ids::name_entry;
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr FontSpec kFont{L"Arial", 1575, true};
// Shows what loading could not do, once the dialog is on the screen.
constexpr UINT kAfterShow = WM_APP + 1;
// A click in the list, handled once the list has moved its selection.
constexpr UINT kListClicked = WM_APP + 2;

// In tab order; positions on the panel are relative to it.
const std::array<ControlSpec, 5> kControls = {{
    {.id = id::Picture, .kind = ControlKind::Panel, .caption = "", .left = 353, .top = 330, .width = 7815,
     .height = 4695, .backColour = kWhite, .extraStyle = WS_CLIPSIBLINGS},
    {.id = id::Prompt, .kind = ControlKind::Label, .caption = "", .left = 870, .top = 240, .width = 6135,
     .height = 855, .font = kFont, .parent = id::Picture},
    {.id = id::NameBox, .kind = ControlKind::TextBox, .caption = "", .left = 1590, .top = 1200, .width = 4695,
     .height = 480, .font = kFont, .parent = id::Picture, .extraStyle = ES_READONLY},
    {.id = id::Names, .kind = ControlKind::ListBox, .caption = "", .left = 360, .top = 2160, .width = 4695,
     .height = 2220, .font = kFont, .parent = id::Picture},
    {.id = id::ContinueButton, .kind = ControlKind::PictureButton, .caption = texts::kNameEntryContinue, .left = 5520,
     .top = 2520, .width = 1815, .height = 1575, .font = kFont, .parent = id::Picture, .pictureResource = IDB_CONTINUE},
}};

class NameEntryWindow final : public Form {
 public:
  explicit NameEntryWindow(RecordsContext& context) : context_(context) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{texts::kNameEntryCaption, 8580, 5370};
    spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    spec.exStyle = WS_EX_DLGMODALFRAME;
    spec.defaultButton = id::ContinueButton;
    spec.keyPreview = true;
    return spec;
  }

  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The panel lies under its controls and never paints over them.
    SetWindowPos(Control(id::Picture), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    NameEntryList list = LoadNameEntryList(context_.files, context_.paths);
    FillListBox(Control(id::Names), InListBoxOrder(std::move(list.items)));
    loadError_ = list.error;
    SetText(id::Prompt, texts::kNameEntryPrompt);
    PostMessageW(Window(), kAfterShow, 0, 0);
  }

  // The dialog ends only through a confirmed name.
  bool OnQueryUnload(UnloadReason) override { return false; }

  void OnCommand(int id, int notifyCode) override {
    if (id == id::ContinueButton && notifyCode == BN_CLICKED) {
      if (ConfirmPupilName(context_.files, context_.messages, context_.paths, Text(id::NameBox),
                           context_.pupilName))
        Unload();
    } else if (id == id::Names && (notifyCode == LBN_SELCHANGE || notifyCode == LBN_DBLCLK)) {
      TakeListSelection();
    }
  }

  bool OnPreviewKey(const MSG& msg) override {
    if (msg.message == WM_CHAR) {
      const std::string before = Text(id::NameBox);
      NameKeyResult result = FilterNameKey(before, static_cast<char32_t>(msg.wParam));
      if (result.text != before) SetText(id::NameBox, result.text);
      return result.consumed;
    }
    return false;
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kPackageHelpTopic);
    return true;
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kAfterShow) {
      if (loadError_) context_.messages.Show(loadError_.description);
      return 0;
    }
    // Clicking the entry that is already selected changes no selection, but it
    // still chooses that name again.
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_LBUTTONDOWN) {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (ChildWindowFromPointEx(Window(), at, CWP_SKIPINVISIBLE) == Control(id::Names))
        PostMessageW(Window(), kListClicked, 0, 0);
    } else if (message == kListClicked) {
      TakeListSelection();
      return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
  }

 private:
  void TakeListSelection() {
    if (auto entry = ListBoxSelection(Control(id::Names))) SetText(id::NameBox, FirstCodePoints(*entry, kNameBoxCapacity));
  }

  RecordsContext& context_;
  SysError loadError_;
};

}  // namespace

void ShowNameEntry(Form* owner, RecordsContext& context) {
  NameEntryWindow dialog(context);
  dialog.ShowModal(owner);
}

}  // namespace lirabo
