// Every workflow that writes, walked through a failure at each of its file calls
// with each error class that matters. After every run each file it touches holds
// its old bytes or its complete new bytes, no staged file is left, the user was
// told whenever the outcome is not the complete new state, and what the program
// holds agrees with the disk.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>

#include "menu/menu_startup.h"
#include "options/options_dialog.h"
#include "options/options_format.h"
#include "records/log_viewer.h"
#include "records/name_entry.h"
#include "records/name_list.h"
#include "tests/unit/fakes.h"
#include "tests/unit/faulty_files.h"
#include "wordlist/word_editor.h"
#include "wordlist/word_list_commands.h"

namespace lirabo {
namespace {

const std::string kApp = "C:\\Lirabo";
const std::string kAppData = "C:\\Users\\Lehrer\\AppData\\Roaming";
const std::string kSettings = kAppData + "\\DE Zuzururu\\Lirabo";
const RecordPaths kPaths{kSettings, kApp};
const std::string kMaster = kApp + "\\options.ini";
const std::string kUser = kSettings + "\\options.ini";
const std::string kMarker = kSettings + "\\options.bak";
const std::string kWordList = kApp + "\\wortlst.jw1";

std::string Options(const std::vector<int>& values) {
  std::string text;
  for (int v : values) text += (v >= 0 ? " " : "") + std::to_string(v) + " \r\n";
  return text;
}

struct World {
  fake::FakeFiles disk;
  fake::FaultyFiles files{disk};
  fake::FakeSystem system;
  fake::FakeMessages messages;
  Services services{files, system, messages};
};

struct Workflow {
  const char* name;
  std::vector<std::string> files;  // what it may change
  std::function<void(World&)> setUp;
  // Runs it; false when what the program holds disagrees with the disk.
  std::function<bool(World&)> run;
};

using Snapshot = std::map<std::string, std::optional<std::string>>;

Snapshot Take(const fake::FakeFiles& disk, const std::vector<std::string>& files) {
  Snapshot shot;
  for (const auto& f : files) shot[f] = disk.Has(f) ? std::optional<std::string>(disk.Get(f)) : std::nullopt;
  return shot;
}

std::string Show(const std::optional<std::string>& bytes) { return bytes ? "\"" + *bytes + "\"" : "(none)"; }

// Walks every fault point; returns how many runs it made.
int Walk(const Workflow& flow) {
  World clean;
  flow.setUp(clean);
  const Snapshot before = Take(clean.disk, flow.files);
  EXPECT_TRUE(flow.run(clean)) << flow.name;
  const Snapshot after = Take(clean.disk, flow.files);
  EXPECT_NE(before, after) << flow.name << ": the run without a fault changes nothing";
  const std::size_t toldAnyway = clean.messages.shown.size();
  const int calls = clean.files.Calls();
  int runs = 0;
  for (int call = 1; call <= calls; ++call) {
    for (std::uint32_t code : {win_error::kSharingViolation, win_error::kAccessDenied, win_error::kDiskFull,
                               win_error::kPathNotFound}) {
      World world;
      flow.setUp(world);
      world.files.FailCall(call, code);
      const bool agrees = flow.run(world);
      world.files.FailCall(0, 0);
      const Snapshot now = Take(world.disk, flow.files);
      const std::string where = std::string(flow.name) + ", call " + std::to_string(call) + " failing with " +
                                std::to_string(code);
      for (const auto& f : flow.files) {
        EXPECT_TRUE(now.at(f) == before.at(f) || now.at(f) == after.at(f))
            << where << ": " << f << " holds " << Show(now.at(f));
        EXPECT_FALSE(world.disk.Has(f + ".neu")) << where << ": staged file left beside " << f;
      }
      EXPECT_TRUE(agrees) << where << ": the program's state disagrees with the disk";
      if (now != after) {
        EXPECT_GT(world.messages.shown.size(), toldAnyway) << where << ": nobody was told";
      }
      ++runs;
    }
  }
  return runs;
}

// The menu's start-up on a desktop and windows that only record.
StartupResult Start(World& w, MenuState& state, const std::string& commandLine) {
  fake::FakeDesktop desktop;
  fake::FakeWindows windows;
  MenuPorts ports{w.services, desktop, windows};
  return RunMenuStartup(state, ports, commandLine);
}

const Workflow kWorkflows[] = {
    {"start-up, first start", {kUser, kMarker},
     [](World& w) {
       w.disk.AddDirectory(kAppData);
       w.disk.Put(kMaster, Options({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
     },
     [](World& w) {
       MenuState state;
       return Start(w, state, "/n=\"Anna\"") != StartupResult::Ready || state.settings.ProtSave == 1;
     }},
    {"start-up, changed master adopted", {kUser, kMarker},
     [](World& w) {
       w.disk.AddDirectory(kAppData);
       w.disk.Put(kMaster, Options({1, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
       w.disk.Put(kUser, Options({2, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
       w.disk.Put(kMarker, Options({2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
     },
     [](World& w) {
       MenuState state;
       // What the menu took in is what the user copy holds.
       return Start(w, state, "") != StartupResult::Ready ||
              state.settings.Farbtiefe == ParseOptionsValues(w.disk.Get(kUser)).at(0);
     }},
    {"confirming a name", {kPaths.Register(), kPaths.PupilLog("Anna")},
     [](World& w) { w.disk.Put(kPaths.Register(), "Ben\r\n"); },
     [](World& w) {
       std::string pupil;
       return ConfirmPupilName(w.files, w.messages, kPaths, "Anna", pupil) && pupil == "Anna";
     }},
    {"the name list's Zurueck", {kPaths.Register()},
     [](World& w) { w.disk.Put(kPaths.Register(), "Ben\r\nAnna\r\nCarl"); },
     [](World& w) {
       std::string pupil = "Anna";
       NameList list(w.files, w.messages, kPaths, pupil);
       list.Load();
       (void)list.Leave(list.Names());
       return true;
     }},
    {"deleting a log", {kPaths.PupilLog("Anna")},
     [](World& w) {
       w.disk.Put(kPaths.PupilLog("Anna"), "Kamu 1: 10 Aufgaben\r\n");
       w.disk.Put(kPaths.PupilLog("Ben"), "");
       w.messages.answers = {MsgAnswer::Yes};
     },
     [](World& w) {
       LogViewer viewer(w.files, w.messages, kPaths.LogFolder());
       viewer.Load();
       (void)viewer.DeleteLog("Anna.txt");
       const auto& logs = viewer.Logs();
       bool listed = std::find(logs.begin(), logs.end(), "Anna.txt") != logs.end();
       return listed == w.disk.Has(kPaths.PupilLog("Anna")) || logs.empty();
     }},
    {"the options rewrite", {kMaster},
     [](World& w) { w.disk.Put(kMaster, Options({2, -1, 0, 0, -1, 0, 0, -1, -1, 1})); },
     [](World& w) {
       OptionsSession session(w.files, w.system, w.messages, kMaster);
       std::vector<std::int16_t> values;
       if (session.Open(values) != OptionsSession::OpenResult::Open) return true;
       OptionsRecord record;
       record.Farbtiefe = 1;
       (void)session.Save(record);
       return true;
     }},
    {"storing a word", {kWordList},
     [](World& w) {
       w.disk.Put(kWordList, EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}}));
     },
     [](World& w) {
       WordEditor editor(w.files, w.system, w.messages);
       if (editor.Load(WordEditMode::ContinueList) != EditorState::Ready) return true;
       (void)editor.Store({"M", "a", ".", "."});
       // The next word goes right after what the file holds, whatever happened.
       w.files.FailCall(0, 0);
       const std::string held = w.disk.Get(kWordList);
       if (editor.Store({"E", "i", "s", "."}) != StoreOutcome::Stored) return false;
       editor.Close();
       const std::string entry = EncodeWordEntry({{{"E", 2}, {"i", 4}, {"s", 9}, {".", 0}}});
       const std::string now = w.disk.Get(kWordList);
       const bool agrees = now == held + entry;
       w.disk.Put(kWordList, held);  // the walk judges the first word alone
       return agrees;
     }},
    {"Wortliste neu erstellen", {kWordList},
     [](World& w) {
       w.disk.Put(kWordList, EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}}));
       w.messages.answers = {MsgAnswer::Yes};
     },
     [](World& w) {
       auto mode = PrepareNewWordList(w.services);
       return mode.has_value() == !w.disk.Has(kWordList);
     }},
    {"Wortliste wiederherstellen", {kWordList},
     [](World& w) {
       w.disk.Put(kWordList, EncodeWordEntry({{{"O", 7}, {"m", 6}, {"a", 1}, {".", 0}}}));
       w.disk.Put(kApp + "\\wortlst.j_", EncodeWordEntry({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}}));
       w.messages.answers = {MsgAnswer::Yes};
     },
     [](World& w) {
       RestoreDeliveredWordList(w.services);
       return true;
     }},
};

TEST(FaultWalk, EveryWritingWorkflowLeavesOldOrCompleteNewFilesAtEveryFailure) {
  for (const Workflow& flow : kWorkflows) {
    const int runs = Walk(flow);
    EXPECT_GT(runs, 0) << flow.name;
    RecordProperty(flow.name, runs);
  }
}

}  // namespace
}  // namespace lirabo
