// Every workflow that writes, walked through a failure at each of its file calls
// with each error class that matters. After every run each file it touches holds
// its old bytes or its complete new bytes, no staged file is left, the user was
// told whenever the outcome is not the complete new state, and what the program
// holds agrees with the disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "options/options_dialog.h"
#include "options/options_format.h"
#include "records/log_viewer.h"
#include "records/name_entry.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "tests/unit/fakes.h"
#include "wordlist/word_editor.h"
#include "wordlist/word_list_decisions.h"

namespace lirabo {
namespace {

using fake::kApp;
using fake::World;
const RecordPaths kPaths{fake::kSettings, kApp};
const std::string kMaster = kApp + "\\options.ini", kUser = fake::kSettings + "\\options.ini";
const std::string kMarker = fake::kSettings + "\\options.bak", kWordList = kApp + "\\wortlst.jw1";
const std::string kAnna = kPaths.PupilLog("Anna"), kPin = kApp + "\\lehrerpin.ini";
const std::string kWord = EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}});

struct Workflow {
  const char* name;
  std::vector<std::string> files;  // what it may change
  std::function<void(World&)> setUp;
  std::function<bool(World&)> run;  // false when what the program holds disagrees with the disk
};

std::map<std::string, std::optional<std::string>> Take(World& w, const std::vector<std::string>& paths) {
  std::map<std::string, std::optional<std::string>> shot;
  for (const auto& f : paths) shot[f] = w.files.FileExists(f) ? std::optional(w.files.Get(f)) : std::nullopt;
  return shot;
}

void Walk(const Workflow& flow) {
  World clean;
  clean.messages.answers = {MsgAnswer::Yes};  // to the question a deleting workflow asks
  flow.setUp(clean);
  const auto before = Take(clean, flow.files);
  EXPECT_TRUE(flow.run(clean)) << flow.name;
  const auto after = Take(clean, flow.files);
  const fake::Texts told = clean.messages.Take();
  EXPECT_NE(before, after) << flow.name << ": the run without a fault changes nothing";
  for (int call = 1; call <= clean.files.calls; ++call) {
    for (std::uint32_t code :
         {win_error::kSharingViolation, win_error::kAccessDenied, win_error::kDiskFull, win_error::kPathNotFound}) {
      World w;
      w.messages.answers = {MsgAnswer::Yes};
      flow.setUp(w);
      w.files.FailCall(call, code);
      const std::string where = flow.name + (", call " + std::to_string(call)) + ", error " + std::to_string(code);
      EXPECT_TRUE(flow.run(w)) << where << ": the program's state disagrees with the disk";
      w.files.FailCall(0, 0);
      const auto now = Take(w, flow.files);
      for (const auto& f : flow.files)
        EXPECT_TRUE((now.at(f) == before.at(f) || now.at(f) == after.at(f)) && !w.files.FileExists(f + ".neu"))
            << where << ": neither old nor new, or a staged file left: " << f;
      EXPECT_TRUE(now == after || w.messages.Take() != told) << where << ": nobody was told";
    }
  }
}

bool SaveOptions(World& w) {
  OptionsSession session(w.files, w.system, w.messages, kMaster);
  std::vector<std::int16_t> values;
  const bool open = session.Open(values) == OptionsSession::OpenResult::Open;
  return !open || !session.Save(OptionsRecord{1}) || w.files.Get(kMaster) == FormatOptionsFile({1});
}

const Workflow kWorkflows[] = {
    {"start-up, first start",
     {kUser, kMarker},
     [](World& w) {
       w.files.Put(kMaster, FormatOptionsFile({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
     },
     [](World& w) {
       return RunMenuStartup(w.state, w.menu, "/n=\"Anna\"") != StartupResult::Ready ||
              w.state.settings.logUnderPupilName == 1;
     }},
    {"confirming a name",
     {kPaths.Register(), kAnna},
     [](World& w) { w.files.Put(kPaths.Register(), "Ben\r\n"); },
     [](World& w) {
       std::string pupil;
       return ConfirmPupilName(w.files, w.messages, kPaths, "Anna", pupil) && pupil == "Anna";
     }},
    {"deleting a log",
     {kAnna},
     [](World& w) {
       w.files.Put(kAnna, "Kamu 1: 10 Aufgaben\r\n");
       w.files.Put(kPaths.PupilLog("Ben"), "");
     },
     [](World& w) {
       LogViewer viewer(w.files, w.messages, kPaths.LogFolder());
       viewer.Load();
       (void)viewer.DeleteLog("Anna.txt");
       return std::ranges::count(viewer.Logs(), "Anna.txt") == w.files.FileExists(kAnna) || viewer.Logs().empty();
     }},
    {"the options rewrite", {kMaster}, [](World& w) { w.files.Put(kMaster, " 2 \r\n"); }, SaveOptions},
    {"the options rewrite in place, without the right to create a file",
     {kMaster},
     [](World& w) {
       w.files.Put(kMaster, FormatOptionsFile({2, 0, 0, 0, 0, 0, 0, 0, 0, 0}) + " 0 \r\n");
       w.files.Deny(kApp);
     },
     SaveOptions},
    {"saving a PIN",
     {kPin},
     [](World& w) { w.files.Put(kPin, "alt\r\n"); },
     [](World& w) {
       return TeacherPinSetting(w.services, w.crypto, kPin).Save("471100", "471100") == (w.files.Get(kPin).size() > 5);
     }},
    {"storing a word",
     {kWordList},
     [](World& w) { w.files.Put(kWordList, kWord); },
     [](World& w) {
       WordEditor editor(w.files, w.system, w.messages);
       if (editor.Load(WordEditMode::ContinueList) != EditorState::Ready) return true;
       (void)editor.Store({"M", "a", ".", "."});
       // The next word goes right after what the file holds, whatever happened.
       w.files.FailCall(0, 0);
       const std::string held = w.files.Get(kWordList);
       const bool agrees =
           editor.Store({"O", "m", "a", "."}) == StoreOutcome::Stored && w.files.Get(kWordList) == held + kWord;
       w.files.Put(kWordList, held);  // the walk judges the first word alone
       return agrees;
     }},
    {"Wortliste neu erstellen",
     {kWordList},
     [](World& w) { w.files.Put(kWordList, kWord); },
     [](World& w) { return PrepareNewWordList(w.services).has_value() == !w.files.FileExists(kWordList); }},
};

TEST(FaultWalk, EveryWritingWorkflowLeavesOldOrCompleteNewFilesAtEveryFailure) {
  for (const Workflow& flow : kWorkflows) Walk(flow);
}

}  // namespace
}  // namespace lirabo
