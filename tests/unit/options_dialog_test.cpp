#include "options/options_dialog.h"

#include <gtest/gtest.h>

#include "options/options_format.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

const std::string kMaster = "C:\\Lirabo\\options.ini";
using Values = std::vector<std::int16_t>;

OptionsDialogModel Loaded(const Values& values, OptionsRecord settings = {}) {
  OptionsDialogModel m;
  m.Load(values, settings);
  return m;
}

TEST(OptionsDialogModel, EnablingRulesOnLoadingAndClicking) {
  EXPECT_FALSE(Loaded({0, 0, 0, 0, -1}).tVisEnabled);  // HGrund cleared
  // Auflösung on, HGrund off, TVis on in the file: a change.
  OptionsDialogModel m = Loaded({2, 0, 0, 0, -1, -1, 0, 0, 0, 0});
  EXPECT_FALSE(m.hGrundEnabled || m.tVisEnabled);
  EXPECT_EQ(m.Record(), (OptionsRecord{2, 0, -1, -1, 0, -1, 0, 0, 0, 0}));
  EXPECT_TRUE(m.Changed());
  // Clearing Auflösung leaves HGrund ticked, TVis cleared but enabled.
  m.boxes.Auflösung = false;
  m.ClickAuflösung();
  EXPECT_TRUE(m.boxes.HGrund && !m.boxes.TVis);
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

TEST(OptionsDialogModel, ChangeDecision) {
  // Unchanged, although line 4 differs from line 3 (HGrundCopy takes no part).
  const Values base = {2, -1, -1, 0, -1, 0, 0, -1, 0, 1};
  EXPECT_FALSE(Loaded(base).Changed());
  // Sprachausgabe is compared as a truth value: 1 in the file shows cleared, so OK
  // changes it, but ticking it is no change although -1 is written.
  OptionsDialogModel speech = Loaded({2, 1, -1, -1, -1, 0, 0, -1, 0, 1});
  EXPECT_TRUE(speech.Changed());
  speech.boxes.Check1 = true;
  EXPECT_FALSE(speech.Changed());
  using Edit = void (*)(OptionsDialogModel&);
  const Edit edits[] = {
      [](OptionsDialogModel& m) { m.ChooseColourDepth(1); }, [](OptionsDialogModel& m) { m.boxes.Check1 = false; },
      [](OptionsDialogModel& m) { m.boxes.HGrund = false; }, [](OptionsDialogModel& m) { m.boxes.TVis = false; },
      [](OptionsDialogModel& m) { m.boxes.Proto = false; },  [](OptionsDialogModel& m) { m.boxes.ProtSave = false; },
      [](OptionsDialogModel& m) { m.boxes.Buchstaben = true; },
      [](OptionsDialogModel& m) { m.boxes.FehlerWeiter = true; },
      [](OptionsDialogModel& m) { m.boxes.Auflösung = true; },  // alone: TVis stays ticked
  };
  for (std::size_t i = 0; i < std::size(edits); ++i) {
    OptionsDialogModel m = Loaded(base);
    edits[i](m);
    EXPECT_TRUE(m.Changed()) << "edit " << i;
  }
}

TEST(OptionsDialogModel, TickedOnlyForMinusOneAndAbsentValuesPerVariant) {
  OptionsDialogModel m = Loaded({1, 1, -1, 0, 5, 0, -1, -1, 0, 7});  // 1 and 5 are not -1
  EXPECT_EQ(m.Record(), (OptionsRecord{1, 0, -1, -1, 0, 0, -1, -1, 0, 1}));
  // regelpult: an empty master shows nothing chosen, writes ten lines of 0 and is unchanged.
  OptionsDialogModel empty = Loaded({});
  EXPECT_EQ(empty.Record(), OptionsRecord{});
  EXPECT_FALSE(empty.Changed());
  // tafelwahl: absent lines 2 to 9 show the menu's settings, present ones replace them;
  // absent lines 1 and 10 show none.
  OptionsRecord menu{2, -1, 0, 0, 0, 0, -1, -1, 0, 1};
  m = OptionsDialogModel{};
  m.Load({0, 0, 0}, menu);
  EXPECT_EQ(menu, (OptionsRecord{2, 0, 0, 0, 0, 0, -1, -1, 0, 1}));
  EXPECT_EQ(m.Record(), (OptionsRecord{0, 0, 0, 0, 0, 0, -1, -1, 0, 0}));
  EXPECT_FALSE(m.Changed());
  // OK stores the boxes into the menu's settings, but not the colour depth or the names.
  m.boxes.Check1 = m.boxes.FehlerWeiter = m.boxes.Auflösung = true;
  m.ClickAuflösung();
  m.StoreInto(menu);
  EXPECT_EQ(menu, (OptionsRecord{2, -1, -1, -1, 0, -1, -1, -1, -1, 1}));
}

struct OptionsSessionTest : ::testing::Test {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  OptionsSession session{files, system, messages, kMaster};
  Values values;
};

TEST_F(OptionsSessionTest, HoldsWhileOpenSoASecondDialogIsRefusedWithTheFourLines) {
  files.Put(kMaster, " 1 \r\n-1 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  EXPECT_EQ(values, (Values{1, -1}));
  fake::FakeMessages otherMessages;
  OptionsSession second{files, system, otherMessages, kMaster};
  EXPECT_EQ(second.Open(values), OptionsSession::OpenResult::Refused);
  ASSERT_EQ(otherMessages.shown.size(), 1u);
  EXPECT_EQ(otherMessages.shown[0].text,
            "Die Optionen-Datei kann nicht geändert werden.\r\nDies kann folgende Gründe haben:\r\n"
            "- Das Optionen-Fenster ist schon geöffnet (bei einer Netzwerkinstallation eventuell an einem "
            "anderen PC). Schließen Sie zuerst dieses Fenster.\r\n- Sie haben keine Schreibrechte auf dem "
            "Laufwerk, auf dem die Programme installiert sind. Stellen Sie die Schreibrechte bitte her, bevor "
            "Sie die Optionen ändern.");
  EXPECT_EQ(otherMessages.shown[0].icon, MsgIcon::None);
  // OK releases the hold right before the rewrite; afterwards nothing is held.
  OptionsRecord r;
  r.ProtSave = 1;
  EXPECT_TRUE(session.Save(r));
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile(r));
  EXPECT_EQ(files.OpenHandles(kMaster), 0);
  EXPECT_EQ(second.Open(values), OptionsSession::OpenResult::Open);
}

TEST_F(OptionsSessionTest, FailuresShowTheSystemsDescriptionAndAFailedRewriteHoldsTheFileAgain) {
  EXPECT_EQ(session.Open(values), OptionsSession::OpenResult::Failed);  // no folder
  files.Put(kMaster, " 0 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  OptionsRecord r;
  r.Auflösung = -1;
  {
    // A menu copying the master has it open for reading at the moment of OK.
    auto reader = files.HoldByOther(kMaster, FileAccess::Read, FileShare::ReadWrite);
    EXPECT_FALSE(session.Save(r));
    EXPECT_EQ(system.sleeps, (std::vector<unsigned>{500, 1000, 1500}));
    EXPECT_EQ(files.Get(kMaster), " 0 \r\n");
    EXPECT_FALSE(files.Open(kMaster, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenExisting));
  }
  // A full disk during the write or the flush is no lock: no waiting, and the old
  // file stays byte for byte, without a staged file beside it.
  files.FailWritesAfter(20);
  EXPECT_FALSE(session.Save(r));
  files.writeBudget_.reset();
  files.failFlush = true;
  EXPECT_FALSE(session.Save(r));
  files.failFlush = false;
  EXPECT_EQ(system.sleeps.size(), 3u);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Systemfehler 3", "Systemfehler 32", "Systemfehler 112",
                                                        "Systemfehler 112"}));
  EXPECT_EQ(files.Get(kMaster), " 0 \r\n");
  EXPECT_FALSE(files.Has(kMaster + ".neu"));
  EXPECT_FALSE(files.Open(kMaster, FileAccess::Write, FileShare::ReadWrite, FileCreation::OpenExisting));
  EXPECT_TRUE(session.Save(r));
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile(r));
}

}  // namespace
}  // namespace lirabo
