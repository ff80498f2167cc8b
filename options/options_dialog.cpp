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

  boxes.Check1 = settings.Sprachausgabe == kTrue;
  boxes.Buchstaben = settings.Buchstaben == kTrue;
  boxes.HGrund = settings.HGrund == kTrue;
  boxes.TVis = settings.TVis == kTrue;
  boxes.FehlerWeiter = settings.FehlerWeiter == kTrue;
  boxes.Proto = settings.Proto == kTrue;
  boxes.Auflösung = settings.Auflösung == kTrue;
  // The menu uses names whenever line 10 is non-zero; the box shows the same.
  boxes.ProtSave = protSave != 0;

  snapshot = {colourDepth,       settings.Sprachausgabe != 0, settings.Buchstaben, settings.HGrund,
              settings.TVis,     settings.FehlerWeiter,       settings.Proto,      settings.Auflösung,
              protSave};
  ApplyEnablingRules();
}

void OptionsDialogModel::ApplyEnablingRules() {
  if (boxes.Auflösung) {
    boxes.HGrund = true;
    boxes.TVis = false;
    hGrundEnabled = false;
    tVisEnabled = false;
  } else {
    hGrundEnabled = true;
    tVisEnabled = boxes.HGrund;
  }
}

void OptionsDialogModel::ClickHGrund() { tVisEnabled = !boxes.Auflösung && boxes.HGrund; }

void OptionsDialogModel::StoreInto(OptionsRecord& settings) const {
  settings.Proto = Truth(boxes.Proto);
  settings.FehlerWeiter = Truth(boxes.FehlerWeiter);
  settings.Sprachausgabe = Truth(boxes.Check1);
  settings.Buchstaben = Truth(boxes.Buchstaben);
  settings.HGrund = Truth(boxes.HGrund);
  settings.HGrundCopy = Truth(boxes.HGrund);
  settings.TVis = Truth(boxes.TVis);
  settings.Auflösung = Truth(boxes.Auflösung);
}

OptionsRecord OptionsDialogModel::Record() const {
  OptionsRecord r;
  r.Farbtiefe = colourDepth;
  r.Sprachausgabe = Truth(boxes.Check1);
  r.HGrund = Truth(boxes.HGrund);
  r.HGrundCopy = Truth(boxes.HGrund);
  r.TVis = Truth(boxes.TVis);
  r.Auflösung = Truth(boxes.Auflösung);
  r.Buchstaben = Truth(boxes.Buchstaben);
  r.Proto = Truth(boxes.Proto);
  r.FehlerWeiter = Truth(boxes.FehlerWeiter);
  r.ProtSave = boxes.ProtSave ? 1 : 0;
  return r;
}

bool OptionsDialogModel::Changed() const {
  const OptionsRecord r = Record();
  return r.ProtSave != snapshot.ProtSave || r.Proto != snapshot.Proto || r.Auflösung != snapshot.Auflösung ||
         r.FehlerWeiter != snapshot.FehlerWeiter || r.Farbtiefe != snapshot.colourDepth ||
         boxes.Check1 != snapshot.sprachausgabe || r.Buchstaben != snapshot.Buchstaben ||
         r.HGrund != snapshot.HGrund || r.TVis != snapshot.TVis;
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
