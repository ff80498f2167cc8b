#pragma once
// The options dialog without its window: what it shows after loading, the
// enabling rules, what OK writes and whether it changed anything; and the editing
// protocol (probe, hold, rewrite) as a workflow against the ports.
#include <cstdint>
#include <string>
#include <vector>

#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"
#include "options/options_record.h"
#include "options/options_texts.h"

namespace lirabo {

// tafelwahl's dialog edits the user copy and the menu's settings; regelpult's the master.
enum class OptionsVariant { Menu, Regelpult };

// How an open dialog ended.
enum class OptionsEnd {
  Refused,    // another dialog holds the file, or it may not be written
  Failed,     // the file could not be tested otherwise; the description was shown
  Unchanged,  // OK without a change
  Changed,    // OK with a change
};

// The eight check boxes, ticked or cleared.
struct OptionsBoxes {
  bool speechOutput = false;
  bool capitalsOnly = false;
  bool logAfterTenTasks = false;
  bool logUnderPupilName = false;
  bool continueAfterMistakes = false;
  bool coverDesktop = false;
  bool taskbarVisible = false;
  bool fullScreen = false;
};

class OptionsDialogModel {
 public:
  // Takes the values present in the file. Lines 2 to 9 go into `settings` (the
  // menu's program-wide settings in tafelwahl, a blank record in regelpult), so
  // an absent line shows what `settings` held; absent lines 1 and 10 show none.
  void Load(const std::vector<std::int16_t>& values, OptionsRecord& settings);

  // Click handlers; the view has already put the clicked box's new state in boxes.
  void ClickFullScreen() { ApplyEnablingRules(); }
  void ClickCoverDesktop();
  void ChooseColourDepth(std::int16_t depth) { colourDepth = depth; }

  // OK step 1 in tafelwahl: the check boxes into the menu's settings.
  void StoreInto(OptionsRecord& settings) const;
  // The ten lines that OK writes.
  OptionsRecord Record() const;
  bool Changed() const;

  OptionsBoxes boxes;
  std::int16_t colourDepth = 0;  // 0 none, 1 low, 2 high
  bool coverDesktopEnabled = true;
  bool taskbarVisibleEnabled = true;
  // The values as loaded, for telling whether OK changed anything.
  OptionsRecord loaded;

 private:
  void ApplyEnablingRules();
};

// The editing protocol of one open dialog on one copy of the file.
class OptionsSession {
 public:
  enum class OpenResult { Open, Refused, Failed };

  // `loadFailurePrefix` goes in front of a failure of the hold or the read: the
  // menu reports them as run-time errors of its opener.
  OptionsSession(FilePort& files, SystemPort& system, MessagePort& messages, std::string path,
                 std::string loadFailurePrefix = {})
      : files_(files), system_(system), messages_(messages), path_(std::move(path)),
        loadFailurePrefix_(std::move(loadFailurePrefix)) {}

  // Probes, holds and reads the file. A refusal shows the refusal message, any
  // other failure its description; the caller then closes the dialog.
  OpenResult Open(std::vector<std::int16_t>& values);
  // Releases the hold and rewrites the file, waiting for a reader that has it
  // open. On failure shows the description, holds the file again and returns
  // false: the dialog stays open with the teacher's choices.
  bool Save(const OptionsRecord& record);
  void Release() { hold_.reset(); }

 private:
  FilePort& files_;
  SystemPort& system_;
  MessagePort& messages_;
  std::string path_;
  std::string loadFailurePrefix_;
  FileHandle hold_;
};

// The message of a refused probe: four lines joined by CR LF.
std::string OptionsRefusedMessage();

}  // namespace lirabo
