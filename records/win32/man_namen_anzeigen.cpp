#include "records/win32/man_namen_anzeigen.h"

#include <array>

#include "common/win32/form.h"
#include "common/win32/help.h"
#include "records/name_list.h"
#include "records/win32/list_box.h"
#include "records/win32/man_namen_anzeigen_ids.h"

namespace lirabo {

namespace id = ids::man_namen_anzeigen;
namespace {

constexpr int kHelpTopic = 106;
constexpr FontSpec kListFont{L"Arial", 1800, true};

// In tab order.
const std::array<ControlSpec, 3> kControls = {{
    {.id = id::OK, .kind = ControlKind::Button, .caption = "Zurück", .left = 2880, .top = 3600, .width = 2295,
     .height = 495},
    {.id = id::List1, .kind = ControlKind::ListBox, .caption = "", .left = 240, .top = 240, .width = 4935,
     .height = 3105, .font = kListFont},
    {.id = id::Command1, .kind = ControlKind::Button, .caption = "Name löschen", .left = 240, .top = 3600,
     .width = 2295, .height = 495},
}};

class ManNamenAnzeigen final : public Form {
 public:
  explicit ManNamenAnzeigen(RecordsContext& context)
      : Form("Man_NamenAnzeigen"),
        context_(context),
        list_(context.files, context.messages, context.paths, context.pupilName, ListBoxOrder()) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{"Namen löschen", 5430, 4380};
    spec.cancelButton = id::OK;
    return spec;
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    list_.Load();
    FillListBox(Control(id::List1), list_.Names());
  }

  void OnCommand(int id, int code) override {
    if (code != BN_CLICKED) return;
    if (id == id::Command1) {
      HWND listBox = Control(id::List1);
      LRESULT index = SendMessageW(listBox, LB_GETCURSEL, 0, 0);
      if (list_.DeleteName(ListBoxSelection(listBox)) && index != LB_ERR)
        SendMessageW(listBox, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    } else if (id == id::OK) {
      // The close box leaves without writing; only "Zurück" writes.
      if (list_.Leave(ListBoxEntries(Control(id::List1)))) Unload();
    }
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
    return true;
  }

 private:
  RecordsContext& context_;
  NameList list_;
};

}  // namespace

void ShowNameList(Form* owner, RecordsContext& context) {
  ManNamenAnzeigen form(context);
  form.ShowModal(owner);
}

}  // namespace lirabo
