#include "options/options_dialog.h"

#include <gtest/gtest.h>

#include "options/options_format.h"
#include "options/options_store.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kMaster = "C:\\Lirabo\\options.ini";

std::vector<std::int16_t> Values(std::initializer_list<int> v) {
  std::vector<std::int16_t> out;
  for (int x : v) out.push_back(static_cast<std::int16_t>(x));
  return out;
}

OptionsDialogModel Loaded(std::initializer_list<int> values, OptionsRecord settings = {}) {
  OptionsDialogModel m;
  m.Load(Values(values), settings);
  return m;
}

TEST(OptionsDialogModel, FullScreenForcesBackgroundOnAndTaskbarOffAndCountsAsAChange) {
  // Auflösung on, HGrund off, TVis on in the file.
  OptionsDialogModel m = Loaded({2, 0, 0, 0, -1, -1, 0, 0, 0, 0});
  EXPECT_TRUE(m.boxes.HGrund);
  EXPECT_FALSE(m.hGrundEnabled);
  EXPECT_FALSE(m.boxes.TVis);
  EXPECT_FALSE(m.tVisEnabled);
  OptionsRecord r = m.Record();
  EXPECT_EQ(r.HGrund, -1);
  EXPECT_EQ(r.HGrundCopy, -1);
  EXPECT_EQ(r.TVis, 0);
  EXPECT_TRUE(m.Changed());
}

TEST(OptionsDialogModel, EnablingRulesFollowTheClicks) {
  OptionsDialogModel m = Loaded({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(m.hGrundEnabled);
  EXPECT_FALSE(m.tVisEnabled);  // HGrund cleared
  // Ticking Auflösung and clearing it again: HGrund stays ticked, TVis cleared but enabled.
  m.boxes.Auflösung = true;
  m.ClickAuflösung();
  EXPECT_TRUE(m.boxes.HGrund);
  EXPECT_FALSE(m.hGrundEnabled || m.tVisEnabled);
  m.boxes.Auflösung = false;
  m.ClickAuflösung();
  EXPECT_TRUE(m.boxes.HGrund);
  EXPECT_FALSE(m.boxes.TVis);
  EXPECT_TRUE(m.hGrundEnabled && m.tVisEnabled);
  // Clearing HGrund disables TVis but keeps its tick, and OK saves it ticked.
  m.boxes.TVis = true;
  m.boxes.HGrund = false;
  m.ClickHGrund();
  EXPECT_FALSE(m.tVisEnabled);
  EXPECT_EQ(m.Record().TVis, -1);
  m.boxes.HGrund = true;
  m.ClickHGrund();
  EXPECT_TRUE(m.tVisEnabled);
}

TEST(OptionsDialogModel, BoxesAreTickedOnlyForMinusOneAndLineTenIsWrittenAsOne) {
  OptionsDialogModel m = Loaded({1, 1, -1, 0, 5, 0, -1, -1, 0, 1});
  EXPECT_FALSE(m.boxes.Check1);  // 1 is not -1
  EXPECT_TRUE(m.boxes.HGrund);
  EXPECT_FALSE(m.boxes.TVis);
  EXPECT_TRUE(m.boxes.Buchstaben && m.boxes.Proto && m.boxes.ProtSave);
  EXPECT_EQ(m.colourDepth, 1);
  OptionsRecord r = m.Record();
  EXPECT_EQ(FormatOptionsFile(r), " 1 \r\n 0 \r\n-1 \r\n-1 \r\n 0 \r\n 0 \r\n-1 \r\n-1 \r\n 0 \r\n 1 \r\n");
  // TVis 5 shows cleared and is written 0: that is a change.
  EXPECT_TRUE(m.Changed());
}

TEST(OptionsDialogModel, ChangeDecision) {
  const auto base = {2, -1, -1, 0, -1, 0, 0, -1, 0, 1};
  // Unchanged, although line 4 differs from line 3 (HGrundCopy takes no part).
  EXPECT_FALSE(Loaded(base).Changed());
  // Sprachausgabe is compared as a truth value: 1 in the file is "on" for the
  // snapshot, but the box shows cleared, so OK changes it.
  EXPECT_TRUE(Loaded({2, 1, -1, -1, -1, 0, 0, -1, 0, 1}).Changed());
  struct Edit {
    const char* what;
    void (*apply)(OptionsDialogModel&);
  } edits[] = {
      {"Farbtiefe", [](OptionsDialogModel& m) { m.ChooseColourDepth(1); }},
      {"Sprachausgabe", [](OptionsDialogModel& m) { m.boxes.Check1 = false; }},
      {"Buchstaben", [](OptionsDialogModel& m) { m.boxes.Buchstaben = true; }},
      {"HGrund", [](OptionsDialogModel& m) { m.boxes.HGrund = false; }},
      {"TVis", [](OptionsDialogModel& m) { m.boxes.TVis = false; }},
      {"Auflösung", [](OptionsDialogModel& m) { m.boxes.Auflösung = true; m.boxes.TVis = true; }},
      {"Proto", [](OptionsDialogModel& m) { m.boxes.Proto = false; }},
      {"FehlerWeiter", [](OptionsDialogModel& m) { m.boxes.FehlerWeiter = true; }},
      {"ProtSave", [](OptionsDialogModel& m) { m.boxes.ProtSave = false; }},
  };
  for (const Edit& e : edits) {
    OptionsDialogModel m = Loaded(base);
    e.apply(m);
    EXPECT_TRUE(m.Changed()) << e.what;
  }
}

TEST(OptionsDialogModel, AbsentValuesPerVariant) {
  // regelpult: an empty master shows nothing chosen, writes ten lines of 0 and is unchanged.
  OptionsDialogModel empty = Loaded({});
  EXPECT_EQ(empty.colourDepth, 0);
  EXPECT_FALSE(empty.boxes.Check1 || empty.boxes.HGrund || empty.boxes.ProtSave || empty.boxes.Auflösung);
  EXPECT_EQ(FormatOptionsFile(empty.Record()), FormatOptionsFile(OptionsRecord{}));
  EXPECT_FALSE(empty.Changed());

  // tafelwahl: absent lines 2 to 9 show the menu's settings; present ones replace them.
  OptionsRecord menu;
  menu.Sprachausgabe = -1;
  menu.Proto = -1;
  menu.Buchstaben = -1;
  menu.Farbtiefe = 2;
  menu.ProtSave = 1;
  OptionsDialogModel m;
  m.Load(Values({0, 0, 0}), menu);
  EXPECT_FALSE(m.boxes.Check1);
  EXPECT_EQ(menu.Sprachausgabe, 0);  // line 2 was present
  EXPECT_TRUE(m.boxes.Proto && m.boxes.Buchstaben);
  EXPECT_EQ(m.colourDepth, 0);    // absent line 1: no colour depth
  EXPECT_FALSE(m.boxes.ProtSave); // absent line 10: cleared
  EXPECT_FALSE(m.Changed());
}

TEST(OptionsDialogModel, OkStoresTheBoxesIntoTheMenuSettingsButNotColourDepthOrNames) {
  OptionsRecord menu;
  menu.Farbtiefe = 2;
  menu.ProtSave = 1;
  OptionsDialogModel m;
  m.Load(Values({1, 0, 0, -1, 0, 0, 0, 0, 0, 0}), menu);
  EXPECT_EQ(menu.HGrundCopy, -1);  // line 4 as read
  m.boxes.Check1 = m.boxes.Proto = m.boxes.FehlerWeiter = m.boxes.Buchstaben = true;
  m.boxes.Auflösung = true;
  m.ClickAuflösung();
  m.StoreInto(menu);
  EXPECT_EQ(menu.Sprachausgabe, -1);
  EXPECT_EQ(menu.HGrund, -1);
  EXPECT_EQ(menu.HGrundCopy, -1);
  EXPECT_EQ(menu.TVis, 0);
  EXPECT_EQ(menu.Auflösung, -1);
  EXPECT_EQ(menu.Proto, -1);
  EXPECT_EQ(menu.FehlerWeiter, -1);
  EXPECT_EQ(menu.Buchstaben, -1);
  EXPECT_EQ(menu.Farbtiefe, 2);
  EXPECT_EQ(menu.ProtSave, 1);
}

struct OptionsSessionTest : ::testing::Test {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  OptionsSession session{files, system, messages, kMaster};
  std::vector<std::int16_t> values;
};

TEST_F(OptionsSessionTest, HoldsWhileOpenSoASecondDialogIsRefusedWithTheFourLines) {
  files.Put(kMaster, " 1 \r\n-1 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  EXPECT_EQ(values, Values({1, -1}));
  fake::FakeMessages otherMessages;
  OptionsSession second{files, system, otherMessages, kMaster};
  std::vector<std::int16_t> ignored;
  EXPECT_EQ(second.Open(ignored), OptionsSession::OpenResult::Refused);
  ASSERT_EQ(otherMessages.shown.size(), 1u);
  EXPECT_EQ(otherMessages.shown[0].text,
            "Die Optionen-Datei kann nicht geändert werden.\r\nDies kann folgende Gründe haben:\r\n"
            "- Das Optionen-Fenster ist schon geöffnet (bei einer Netzwerkinstallation eventuell an einem "
            "anderen PC). Schließen Sie zuerst dieses Fenster.\r\n- Sie haben keine Schreibrechte auf dem "
            "Laufwerk, auf dem die Programme installiert sind. Stellen Sie die Schreibrechte bitte her, bevor "
            "Sie die Optionen ändern.");
  EXPECT_EQ(otherMessages.shown[0].icon, MsgIcon::None);
  // Readers (a starting menu) are not kept out by the hold.
  EXPECT_TRUE(OpenOptionsForReading(files, kMaster).ok());
  // OK releases the hold right before the rewrite; afterwards nothing is held.
  OptionsRecord r;
  r.ProtSave = 1;
  EXPECT_TRUE(session.Save(r));
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile(r));
  EXPECT_EQ(files.OpenHandles(kMaster), 0);
  EXPECT_EQ(second.Open(ignored), OptionsSession::OpenResult::Open);
}

TEST_F(OptionsSessionTest, ProbeFailingOtherwiseShowsTheSystemsDescription) {
  OptionsSession missing{files, system, messages, "C:\\Fehlt\\options.ini"};
  EXPECT_EQ(missing.Open(values), OptionsSession::OpenResult::Failed);
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 3"});
  // An empty or missing file in an existing folder is created empty and opens.
  files.AddDirectory("C:\\Lirabo");
  EXPECT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  EXPECT_TRUE(values.empty());
  EXPECT_TRUE(files.Has(kMaster));
}

TEST_F(OptionsSessionTest, RewriteWaitsForAReaderThenSucceeds) {
  files.Put(kMaster, " 0 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  // A menu copying the master has it open for reading at the moment of OK.
  auto reader = files.HoldByOther(kMaster, FileAccess::Read, FileShare::ReadWrite);
  OptionsRecord r;
  r.Auflösung = -1;
  EXPECT_FALSE(session.Save(r));
  EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 32"});
  EXPECT_EQ(files.Get(kMaster), " 0 \r\n");  // untouched
  EXPECT_TRUE(session.IsHolding());          // other dialogs stay out meanwhile
  reader.reset();
  EXPECT_TRUE(session.Save(r));  // OK pressed again
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile(r));
}

TEST_F(OptionsSessionTest, AFullDiskLeavesNoHalfWrittenRecord) {
  const std::string original = " 2 \r\n-1 \r\n";
  files.Put(kMaster, original);
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  files.FailWritesAfter(20);
  OptionsRecord r;
  EXPECT_FALSE(session.Save(r));
  EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Systemfehler 112"});
  EXPECT_TRUE(system.sleeps.empty());  // not a lock: no waiting
  std::string left = files.Get(kMaster);
  EXPECT_TRUE(left.empty() || left == original) << left;
  EXPECT_TRUE(session.IsHolding());
  files.writeBudget_.reset();
  EXPECT_TRUE(session.Save(r));
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile(r));
}

}  // namespace
}  // namespace lirabo
