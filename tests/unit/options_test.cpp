// The options dialog's model and the master options.ini while the dialog is open.
#include <gtest/gtest.h>

#include "options/options_dialog.h"
#include "options/options_format.h"
#include "options/options_store.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using Values = std::vector<std::int16_t>;

OptionsDialogModel Loaded(const Values& values, OptionsRecord settings = {}) {
  OptionsDialogModel m;
  m.Load(values, settings);
  return m;
}

TEST(OptionsDialogModel, EnablingRulesAndWhatCountsAsAChange) {
  EXPECT_FALSE(Loaded({0, 0, 0, 0, -1}).taskbarVisibleEnabled);
  OptionsDialogModel m =
      Loaded({2, 0, 0, 0, -1, -1, 0, 0, 0, 0});  // fullScreen on, coverDesktop off, taskbarVisible on
  EXPECT_FALSE(m.coverDesktopEnabled || m.taskbarVisibleEnabled);
  EXPECT_EQ(m.Record(), (OptionsRecord{2, 0, -1, -1, 0, -1, 0, 0, 0, 0}));
  EXPECT_TRUE(m.Changed());
  m.boxes.fullScreen = m.boxes.coverDesktop = false;
  m.boxes.taskbarVisible = true;
  m.ClickCoverDesktop();  // disables taskbarVisible but keeps its tick
  EXPECT_TRUE(!m.taskbarVisibleEnabled && m.Record().taskbarVisible == -1);
  // Unchanged although line 4 differs from line 3; speechOutput compares as a truth value.
  const Values base = {2, -1, -1, 0, -1, 0, 0, -1, 0, 1};
  EXPECT_FALSE(Loaded(base).Changed());
  OptionsDialogModel speech = Loaded({2, 1, -1, -1, -1, 0, 0, -1, 0, 1});
  EXPECT_TRUE(speech.Changed());
  speech.boxes.speechOutput = true;
  EXPECT_FALSE(speech.Changed());
  speech.ChooseColourDepth(1);
  EXPECT_TRUE(speech.Changed());
  using B = OptionsBoxes;
  for (bool B::*box : {&B::speechOutput, &B::coverDesktop, &B::taskbarVisible, &B::logAfterTenTasks,
                       &B::logUnderPupilName, &B::capitalsOnly, &B::continueAfterMistakes, &B::fullScreen}) {
    OptionsDialogModel edited = Loaded(base);
    edited.boxes.*box = !(edited.boxes.*box);
    EXPECT_TRUE(edited.Changed());
  }
}

TEST(OptionsDialogModel, TickedOnlyForMinusOneAndAbsentValuesPerProgram) {
  EXPECT_EQ(Loaded({1, 1, -1, 0, 5, 0, -1, -1, 0, 7}).Record(), (OptionsRecord{1, 0, -1, -1, 0, 0, -1, -1, 0, 1}));
  EXPECT_FALSE(Loaded({}).Changed());  // regelpult: an empty master shows nothing chosen
  EXPECT_EQ(Loaded({}).Record(), OptionsRecord{});
  // tafelwahl: absent lines 2 to 9 show the menu's settings; absent lines 1 and 10 show none.
  OptionsRecord menu{2, -1, 0, 0, 0, 0, -1, -1, 0, 1};
  OptionsDialogModel m = Loaded({0, 0, 0}, menu);
  EXPECT_EQ(m.Record(), (OptionsRecord{0, 0, 0, 0, 0, 0, -1, -1, 0, 0}));
  EXPECT_FALSE(m.Changed());
  // OK stores the boxes into the menu's settings, but not the colour depth or the names.
  m.boxes.speechOutput = m.boxes.continueAfterMistakes = m.boxes.fullScreen = true;
  m.ClickFullScreen();
  m.StoreInto(menu);
  EXPECT_EQ(menu, (OptionsRecord{2, -1, -1, -1, 0, -1, -1, -1, -1, 1}));
}

TEST(OptionsSession, HoldsTheMasterWhileOpenAndReleasesItOnlyForTheRewrite) {
  fake::World w;
  const std::string master = fake::kApp + "\\options.ini";
  OptionsSession session{w.files, w.system, w.messages, master};
  Values values;
  w.files.Put(master, " 1 \r\n-1 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  EXPECT_EQ(values, (Values{1, -1}));
  EXPECT_TRUE(OpenOptionsForReading(w.files, master).ok());
  EXPECT_EQ(OptionsSession(w.files, w.system, w.messages, master).Open(values), OptionsSession::OpenResult::Refused);
  EXPECT_EQ(w.messages.shown.at(0).icon, MsgIcon::None);
  EXPECT_EQ(w.messages.Take(), fake::Texts{OptionsRefusedMessage()});
  {
    // A menu copying the master reads it at the moment of OK: the rewrite shares nothing.
    auto reader = w.files.HoldByOther(master, FileAccess::Read, FileShare::ReadWrite);
    EXPECT_FALSE(session.Save(OptionsRecord{2}));
    EXPECT_EQ(w.system.sleeps, fake::kRetryWaits);
  }
  EXPECT_EQ(ProbeOptionsWritable(w.files, master).result, ProbeResult::Refused);  // held again after the failure
  EXPECT_TRUE(session.Save(OptionsRecord{2}));
  EXPECT_EQ(w.files.Get(master), FormatOptionsFile({2}));
  EXPECT_EQ(ProbeOptionsWritable(w.files, master).result, ProbeResult::Writable);
}

}  // namespace
}  // namespace lirabo
