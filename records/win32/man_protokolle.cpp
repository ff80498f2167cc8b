#include "records/win32/man_protokolle.h"

#include <array>

#include "common/win32/form.h"
#include "common/win32/help.h"
#include "records/log_viewer.h"
#include "records/win32/list_box.h"
#include "records/win32/man_protokolle_ids.h"

namespace lirabo {

namespace id = ids::man_protokolle;
namespace {

constexpr int kHelpTopic = 106;

// In tab order.
const std::array<ControlSpec, 4> kControls = {{
    {.id = id::Text1, .kind = ControlKind::MultiLineText, .caption = "", .left = 2520, .top = 240, .width = 6495,
     .height = 5295},
    {.id = id::File1, .kind = ControlKind::ListBox, .caption = "", .left = 240, .top = 240, .width = 2055,
     .height = 3600},
    {.id = id::Command1, .kind = ControlKind::Button, .caption = "Zurück", .left = 240, .top = 4920,
     .width = 2055, .height = 615},
    {.id = id::Command2, .kind = ControlKind::Button, .caption = "ausgewähltes Protokoll löschen", .left = 240,
     .top = 4080, .width = 2055, .height = 615, .extraStyle = BS_MULTILINE},
}};

class ManProtokolle final : public Form {
 public:
  explicit ManProtokolle(RecordsContext& context)
      : Form("Man_Protokolle"),
        context_(context),
        viewer_(context.files, context.messages, context.paths.LogFolder(), ListBoxOrder()) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{"Protokolle anzeigen", 9255, 5880};
    spec.cancelButton = id::Command1;
    return spec;
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    // Logs grow large; the edit control's default limit would cut them.
    SendMessageW(Control(id::Text1), EM_SETLIMITTEXT, 0, 0);
    viewer_.Load();
    FillListBox(Control(id::File1), viewer_.Logs());
  }

  void OnCommand(int id, int code) override {
    if (id == id::File1 && code == LBN_SELCHANGE) {
      if (auto name = ListBoxSelection(Control(id::File1)))
        if (viewer_.ShowLog(*name)) SetText(id::Text1, viewer_.Text());
    } else if (id == id::Command2 && code == BN_CLICKED) {
      const std::string shownBefore = viewer_.ShownPath();
      if (viewer_.DeleteLog(ListBoxSelection(Control(id::File1)))) {
        FillListBox(Control(id::File1), viewer_.Logs());
        if (viewer_.ShownPath() != shownBefore) SetText(id::Text1, viewer_.Text());
      }
    } else if (id == id::Command1 && code == BN_CLICKED) {
      Unload();
    }
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kHelpTopic);
    return true;
  }

 private:
  RecordsContext& context_;
  LogViewer viewer_;
};

}  // namespace

void ShowLogViewer(Form* owner, RecordsContext& context) {
  ManProtokolle form(context);
  form.ShowModal(owner);
}

}  // namespace lirabo
