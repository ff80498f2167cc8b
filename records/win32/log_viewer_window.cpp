#include "records/win32/log_viewer_window.h"

#include <array>

#include "common/win32/form.h"
#include "common/help.h"
#include "common/win32/help.h"
#include "records/log_viewer.h"
#include "records/win32/list_box.h"
#include "records/win32/log_viewer_window_ids.h"

namespace lirabo {

namespace id = ids::log_viewer;
namespace {


// In tab order.
const std::array<ControlSpec, 4> kControls = {{
    {.id = id::LogText, .kind = ControlKind::MultiLineText, .caption = "", .left = 2520, .top = 240, .width = 6495,
     .height = 5295},
    {.id = id::Logs, .kind = ControlKind::ListBox, .caption = "", .left = 240, .top = 240, .width = 2055,
     .height = 3600},
    {.id = id::BackButton, .kind = ControlKind::Button, .caption = "Zurück", .left = 240, .top = 4920,
     .width = 2055, .height = 615},
    {.id = id::DeleteButton, .kind = ControlKind::Button, .caption = "ausgewähltes Protokoll löschen", .left = 240,
     .top = 4080, .width = 2055, .height = 615, .extraStyle = BS_MULTILINE},
}};

class LogViewerWindow final : public Form {
 public:
  explicit LogViewerWindow(RecordsContext& context)
      : context_(context),
        viewer_(context.files, context.messages, context.paths.LogFolder(), ListBoxOrder()) {}

 protected:
  FormSpec Spec() const override {
    FormSpec spec{"Protokolle anzeigen", 9255, 5880};
    spec.cancelButton = id::BackButton;
    return spec;
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }

  void OnLoad() override {
    // Logs grow large; the edit control's default limit would cut them.
    SendMessageW(Control(id::LogText), EM_SETLIMITTEXT, 0, 0);
    viewer_.Load();
    FillListBox(Control(id::Logs), viewer_.Logs());
  }

  void OnCommand(int id, int code) override {
    if (id == id::Logs && code == LBN_SELCHANGE) {
      if (auto name = ListBoxSelection(Control(id::Logs)))
        if (viewer_.ShowLog(*name)) SetText(id::LogText, viewer_.Text());
    } else if (id == id::DeleteButton && code == BN_CLICKED) {
      const std::string shownBefore = viewer_.ShownPath();
      if (viewer_.DeleteLog(ListBoxSelection(Control(id::Logs)))) {
        FillListBox(Control(id::Logs), viewer_.Logs());
        if (viewer_.ShownPath() != shownBefore) SetText(id::LogText, viewer_.Text());
      }
    } else if (id == id::BackButton && code == BN_CLICKED) {
      Unload();
    }
  }

  bool OnHelpKey() override {
    ShowHelpTopic(Window(), context_.system, context_.helpFile, kRecordsHelpTopic);
    return true;
  }

 private:
  RecordsContext& context_;
  LogViewer viewer_;
};

}  // namespace

void ShowLogViewer(Form* owner, RecordsContext& context) {
  LogViewerWindow form(context);
  form.ShowModal(owner);
}

}  // namespace lirabo
