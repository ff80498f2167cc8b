#include "options/options_dialog.h"

#include "common/retry.h"
#include "options/options_format.h"
#include "options/options_store.h"

namespace lirabo {
namespace {

std::int16_t Truth(bool ticked) { return ticked ? kTrue : kFalse; }

}  // namespace

void OptionsDialogModel::Load(const std::vector<std::int16_t>& values, OptionsRecord& settings) {
  auto present = [&](std::size_t index) { return index < values.size(); };
  colourDepth = present(0) ? values[0] : 0;
  for (std::size_t i = 1; i <= 8; ++i)
    if (present(i)) settings.At(i) = values[i];
  std::int16_t protSave = present(9) ? values[9] : 0;

  boxes.speechOutput = settings.speechOutput == kTrue;
  boxes.capitalsOnly = settings.capitalsOnly == kTrue;
  boxes.coverDesktop = settings.coverDesktop == kTrue;
  boxes.taskbarVisible = settings.taskbarVisible == kTrue;
  boxes.continueAfterMistakes = settings.continueAfterMistakes == kTrue;
  boxes.logAfterTenTasks = settings.logAfterTenTasks == kTrue;
  boxes.fullScreen = settings.fullScreen == kTrue;
  // The menu uses names whenever line 10 is non-zero; the box shows the same.
  boxes.logUnderPupilName = protSave != 0;

  loaded = settings;
  loaded.colourDepth = colourDepth;
  loaded.speechOutput = Truth(settings.speechOutput != 0);  // any non-zero value counts as on
  loaded.logUnderPupilName = protSave;
  ApplyEnablingRules();
}

void OptionsDialogModel::ApplyEnablingRules() {
  if (boxes.fullScreen) {
    boxes.coverDesktop = true;
    boxes.taskbarVisible = false;
    coverDesktopEnabled = false;
    taskbarVisibleEnabled = false;
  } else {
    coverDesktopEnabled = true;
    taskbarVisibleEnabled = boxes.coverDesktop;
  }
}

void OptionsDialogModel::ClickCoverDesktop() { taskbarVisibleEnabled = !boxes.fullScreen && boxes.coverDesktop; }

void OptionsDialogModel::StoreInto(OptionsRecord& settings) const {
  const OptionsRecord boxesAsWritten = Record();
  for (std::size_t i = 1; i <= 8; ++i) settings.At(i) = boxesAsWritten.At(i);  // lines 2 to 9
}

OptionsRecord OptionsDialogModel::Record() const {
  OptionsRecord r;
  r.colourDepth = colourDepth;
  r.speechOutput = Truth(boxes.speechOutput);
  r.coverDesktop = Truth(boxes.coverDesktop);
  r.coverDesktopCopy = Truth(boxes.coverDesktop);
  r.taskbarVisible = Truth(boxes.taskbarVisible);
  r.fullScreen = Truth(boxes.fullScreen);
  r.capitalsOnly = Truth(boxes.capitalsOnly);
  r.logAfterTenTasks = Truth(boxes.logAfterTenTasks);
  r.continueAfterMistakes = Truth(boxes.continueAfterMistakes);
  r.logUnderPupilName = boxes.logUnderPupilName ? 1 : 0;
  return r;
}

bool OptionsDialogModel::Changed() const {
  OptionsRecord written = Record();
  written.coverDesktopCopy = loaded.coverDesktopCopy;  // always rewritten from the box, never a change
  return written != loaded;
}

std::string OptionsRefusedMessage() {
  return "Die Optionen-Datei kann nicht geändert werden.\r\n"
         "Dies kann folgende Gründe haben:\r\n"
         "- Das Optionen-Fenster ist schon geöffnet (bei einer Netzwerkinstallation eventuell an einem "
         "anderen PC). Schließen Sie zuerst dieses Fenster.\r\n"
         "- Sie haben keine Schreibrechte auf dem Laufwerk, auf dem die Programme installiert sind. "
         "Stellen Sie die Schreibrechte bitte her, bevor Sie die Optionen ändern.";
}

OptionsSession::OpenResult OptionsSession::Open(std::vector<std::int16_t>& values) {
  ProbeOutcome probe = ProbeOptionsWritable(files_, path_);
  if (probe.result == ProbeResult::Refused) {
    messages_.Show(OptionsRefusedMessage());
    return OpenResult::Refused;
  }
  if (probe.result == ProbeResult::Failed) {
    messages_.Show(probe.error.description);
    return OpenResult::Failed;
  }
  auto hold = HoldOptionsFile(files_, path_);
  if (!hold) {
    // Another dialog got in between probe and hold: the same situation as a refusal.
    messages_.Show(hold.error().IsLockedOrDenied() ? OptionsRefusedMessage()
                                                   : loadFailurePrefix_ + hold.error().description);
    return hold.error().IsLockedOrDenied() ? OpenResult::Refused : OpenResult::Failed;
  }
  auto bytes = (*hold)->ReadAll();
  if (!bytes) {
    messages_.Show(loadFailurePrefix_ + bytes.error().description);
    return OpenResult::Failed;
  }
  values = ParseOptionsValues(*bytes);
  hold_ = std::move(*hold);
  return OpenResult::Open;
}

bool OptionsSession::Save(const OptionsRecord& record) {
  hold_.reset();
  // A failure leaves the file as the dialog found it.
  SysError error = RetryWhileLocked(system_, [&] { return WriteOptionsFile(files_, path_, record); });
  if (!error) return true;
  messages_.Show(error.description);
  // Keep other dialogs out again while the teacher decides what to do.
  if (auto hold = HoldOptionsFile(files_, path_)) hold_ = std::move(*hold);
  return false;
}

}  // namespace lirabo
