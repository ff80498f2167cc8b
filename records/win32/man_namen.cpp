// Man_Namen, the name-entry dialog: the pupil types a name or picks one from the
// register, and "Weiter" records it. The decisions are the name-entry model's.
#include "records/win32/man_namen.h"

#include <windowsx.h>

#include <array>
#include <optional>

#include "common/text.h"
#include "common/win32/form.h"
#include "common/win32/help.h"
#include "common/win32/wide.h"
#include "menu/win32/picture_ids.h"
#include "records/name_entry.h"
#include "records/win32/list_box.h"
#include "records/win32/man_namen_ids.h"

namespace lirabo {

namespace id = ids::man_namen;
namespace {

constexpr int kHelpTopic = 99;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr FontSpec kFont{L"Arial", 1575, true};
// Shows what loading could not do, once the dialog is on the screen.
constexpr UINT kAfterShow = WM_APP + 1;
// A click in the list, handled once the list has moved its selection.
constexpr UINT kListClicked = WM_APP + 2;

// In tab order; positions on the panel are relative to it.
const std::array<ControlSpec, 5> kControls = {{
    {.id = id::Picture1, .kind = ControlKind::Panel, .caption = "", .left = 353, .top = 330, .width = 7815,
     .height = 4695, .backColour = kWhite, .extraStyle = WS_CLIPSIBLINGS},
    {.id = id::Label2, .kind = ControlKind::Label, .caption = "", .left = 870, .top = 240, .width = 6135,
     .height = 855, .font = kFont, .parent = id::Picture1},
    {.id = id::Text1, .kind = ControlKind::TextBox, .caption = "", .left = 1590, .top = 1200, .width = 4695,
     .height = 480, .font = kFont, .parent = id::Picture1, .extraStyle = ES_READONLY},
    {.id = id::List1, .kind = ControlKind::ListBox, .caption = "", .left = 360, .top = 2160, .width = 4695,
     .height = 2220, .font = kFont, .parent = id::Picture1},
    {.id = id::OK, .kind = ControlKind::PictureButton, .caption = texts::kNameEntryContinue, .left = 5520,
     .top = 2520, .width = 1815, .height = 1575, .font = kFont, .parent = id::Picture1, .pictureResource = IDB_Weiter},
}};

class ManNamen final : public Form {
 public:
  explicit ManNamen(RecordsContext& context) : Form("Man_Namen"), context_(context) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{texts::kNameEntryCaption, 8580, 5370};
    spec.style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    spec.exStyle = WS_EX_DLGMODALFRAME;
    spec.defaultButton = id::OK;
    spec.keyPreview = true;
    return spec;
  }

  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    SetWindowPos(Window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The panel lies under its controls and never paints over them.
    SetWindowPos(Control(id::Picture1), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    NameEntryList list = LoadNameEntryList(context_.files, context_.paths);
    FillListBox(Control(id::List1), InListBoxOrder(std::move(list.items)));
    loadError_ = list.error;
    SetText(id::Label2, texts::kNameEntryPrompt);
    PostMessageW(Window(), kAfterShow, 0, 0);
  }

  // The dialog ends only through a confirmed name.
  bool OnQueryUnload(UnloadReason) override { return false; }

  void OnCommand(int id, int notifyCode) override {
    if (id == id::OK && notifyCode == BN_CLICKED) {
      if (ConfirmPupilName(context_.files, context_.messages, context_.paths, Text(id::Text1),
                           context_.pupilName))
        Unload();
    } else if (id == id::List1 && (notifyCode == LBN_SELCHANGE || notifyCode == LBN_DBLCLK)) {
      TakeListSelection();
    }
  }

  bool OnPreviewKey(const MSG& msg) override {
    if (msg.message == WM_CHAR) {
      const std::string before = Text(id::Text1);
      NameKeyResult result = FilterNameKey(before, static_cast<char32_t>(msg.wParam));
      if (result.text != before) SetText(id::Text1, result.text);
      return result.consumed;
    }
    return false;
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
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
      if (ChildWindowFromPointEx(Window(), at, CWP_SKIPINVISIBLE) == Control(id::List1))
        PostMessageW(Window(), kListClicked, 0, 0);
    } else if (message == kListClicked) {
      TakeListSelection();
      return 0;
    }
    return Form::OnMessage(message, wParam, lParam);
  }

 private:
  void TakeListSelection() {
    if (auto entry = ListBoxSelection(Control(id::List1))) SetText(id::Text1, FirstCodePoints(*entry, kNameBoxCapacity));
  }

  RecordsContext& context_;
  SysError loadError_;
};

}  // namespace

void ShowNameEntry(Form* owner, RecordsContext& context) {
  ManNamen dialog(context);
  dialog.ShowModal(owner);
}

}  // namespace lirabo
