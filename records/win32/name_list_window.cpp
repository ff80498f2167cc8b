#include "records/win32/name_list_window.h"

#include <array>

#include "common/win32/form.h"
#include "common/help.h"
#include "common/win32/help.h"
#include "records/name_list.h"
#include "records/win32/list_box.h"
#include "records/win32/name_list_window_ids.h"

namespace lirabo {

namespace id = ids::name_list;
namespace {

constexpr FontSpec kListFont{L"Arial", 1800, true};

// In tab order.
const std::array<ControlSpec, 3> kControls = {{
    {.id = id::BackButton, .kind = ControlKind::Button, .caption = "Zurück", .left = 2880, .top = 3600, .width = 2295,
     .height = 495},
    {.id = id::Names, .kind = ControlKind::ListBox, .caption = "", .left = 240, .top = 240, .width = 4935,
     .height = 3105, .font = kListFont},
    {.id = id::DeleteButton, .kind = ControlKind::Button, .caption = "Name löschen", .left = 240, .top = 3600,
     .width = 2295, .height = 495},
}};

class NameListWindow final : public Form {
 public:
  explicit NameListWindow(RecordsContext& context)
      : context_(context),
        list_(context.files, context.messages, context.paths, context.pupilName, ListBoxOrder()) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{"Namen löschen", 5430, 4380};
    spec.cancelButton = id::BackButton;
    return spec;
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    list_.Load();
    FillListBox(Control(id::Names), list_.Names());
  }

  void OnCommand(int id, int code) override {
    if (code != BN_CLICKED) return;
    if (id == id::DeleteButton) {
      HWND listBox = Control(id::Names);
      LRESULT index = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
      if (list_.DeleteName(ListBoxSelection(listBox)) && index != LB_ERR)
        SendMessageW(listBox, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    } else if (id == id::BackButton) {
      // The close box leaves without writing; only "Zurück" writes.
      if (list_.Leave(ListBoxEntries(Control(id::Names)))) Unload();
    }
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kRecordsHelpTopic);
    return true;
  }

 private:
  RecordsContext& context_;
  NameList list_;
};

}  // namespace

void ShowNameList(Form* owner, RecordsContext& context) {
  NameListWindow form(context);
  form.ShowModal(owner);
}

}  // namespace lirabo
