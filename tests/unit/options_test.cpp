// The options dialog's model, the master options.ini while the dialog is open, and
// regelpult's teacher PIN setting.
#include <gtest/gtest.h>

#include "teacher_pin/teacher_pin.h"
#include "options/options_dialog.h"
#include "options/options_format.h"
#include "options/options_store.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "tests/unit/fakes.h"

namespace lirabo {
namespace {

using fake::Texts;
using Values = std::vector<std::int16_t>;
const std::string kMaster = "C:\\Lirabo\\options.ini";

OptionsDialogModel Loaded(const Values& values, OptionsRecord settings = {}) {
  OptionsDialogModel m;
  m.Load(values, settings);
  return m;
}

TEST(OptionsDialogModel, EnablingRulesAndWhatCountsAsAChange) {
  EXPECT_FALSE(Loaded({0, 0, 0, 0, -1}).taskbarVisibleEnabled);
  OptionsDialogModel m = Loaded({2, 0, 0, 0, -1, -1, 0, 0, 0, 0});  // fullScreen on, coverDesktop off, taskbarVisible on
  EXPECT_FALSE(m.coverDesktopEnabled || m.taskbarVisibleEnabled);
  EXPECT_EQ(m.Record(), (OptionsRecord{2, 0, -1, -1, 0, -1, 0, 0, 0, 0}));
  EXPECT_TRUE(m.Changed());
  m.boxes.fullScreen = false;
  m.ClickFullScreen();  // leaves coverDesktop ticked, taskbarVisible cleared but enabled
  EXPECT_TRUE(m.boxes.coverDesktop && !m.boxes.taskbarVisible && m.coverDesktopEnabled && m.taskbarVisibleEnabled);
  m.boxes.taskbarVisible = true;
  m.boxes.coverDesktop = false;
  m.ClickCoverDesktop();  // disables taskbarVisible but keeps its tick
  EXPECT_FALSE(m.taskbarVisibleEnabled);
  EXPECT_EQ(m.Record().taskbarVisible, -1);
  // Unchanged although line 4 differs from line 3; speechOutput compares as a truth value.
  const Values base = {2, -1, -1, 0, -1, 0, 0, -1, 0, 1};
  EXPECT_FALSE(Loaded(base).Changed());
  OptionsDialogModel speech = Loaded({2, 1, -1, -1, -1, 0, 0, -1, 0, 1});
  EXPECT_TRUE(speech.Changed());
  speech.boxes.speechOutput = true;
  EXPECT_FALSE(speech.Changed());
  using B = OptionsBoxes;
  for (bool B::*box :
       {&B::speechOutput, &B::coverDesktop, &B::taskbarVisible, &B::logAfterTenTasks, &B::logUnderPupilName, &B::capitalsOnly, &B::continueAfterMistakes, &B::fullScreen}) {
    OptionsDialogModel edited = Loaded(base);
    edited.boxes.*box = !(edited.boxes.*box);
    EXPECT_TRUE(edited.Changed());
  }
  m = Loaded(base);
  m.ChooseColourDepth(1);
  EXPECT_TRUE(m.Changed());
}

TEST(OptionsDialogModel, TickedOnlyForMinusOneAndAbsentValuesPerProgram) {
  EXPECT_EQ(Loaded({1, 1, -1, 0, 5, 0, -1, -1, 0, 7}).Record(), (OptionsRecord{1, 0, -1, -1, 0, 0, -1, -1, 0, 1}));
  EXPECT_FALSE(Loaded({}).Changed());  // regelpult: an empty master shows nothing chosen
  EXPECT_EQ(Loaded({}).Record(), OptionsRecord{});
  // tafelwahl: absent lines 2 to 9 show the menu's settings; absent lines 1 and 10 show none.
  OptionsRecord menu{2, -1, 0, 0, 0, 0, -1, -1, 0, 1};
  OptionsDialogModel m;
  m.Load({0, 0, 0}, menu);
  EXPECT_EQ(m.Record(), (OptionsRecord{0, 0, 0, 0, 0, 0, -1, -1, 0, 0}));
  EXPECT_FALSE(m.Changed());
  // OK stores the boxes into the menu's settings, but not the colour depth or the names.
  m.boxes.speechOutput = m.boxes.continueAfterMistakes = m.boxes.fullScreen = true;
  m.ClickFullScreen();
  m.StoreInto(menu);
  EXPECT_EQ(menu, (OptionsRecord{2, -1, -1, -1, 0, -1, -1, -1, -1, 1}));
}

TEST(OptionsSession, HoldsTheMasterWhileOpenAndReleasesItOnlyForTheRewrite) {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  OptionsSession session{files, system, messages, kMaster};
  Values values;
  files.Put(kMaster, " 1 \r\n-1 \r\n");
  ASSERT_EQ(session.Open(values), OptionsSession::OpenResult::Open);
  EXPECT_EQ(values, (Values{1, -1}));
  EXPECT_TRUE(OpenOptionsForReading(files, kMaster).ok());
  EXPECT_EQ(OptionsSession(files, system, messages, kMaster).Open(values), OptionsSession::OpenResult::Refused);
  EXPECT_EQ(messages.shown.at(0).icon, MsgIcon::None);
  {
    // A menu copying the master reads it at the moment of OK: the rewrite shares nothing.
    auto reader = files.HoldByOther(kMaster, FileAccess::Read, FileShare::ReadWrite);
    EXPECT_FALSE(session.Save(OptionsRecord{2}));
    EXPECT_EQ(system.sleeps, fake::kRetryWaits);
  }
  EXPECT_TRUE(session.Save(OptionsRecord{2}));
  EXPECT_EQ(files.Get(kMaster), FormatOptionsFile({2}));
  EXPECT_EQ(ProbeOptionsWritable(files, kMaster).result, ProbeResult::Writable);
}

TEST(OptionsStore, RefreshAdoptsTheMasterOnlyWhenACommonValueDiffers) {
  const std::string user = "C:\\U\\Lirabo\\options.ini", marker = "C:\\U\\Lirabo\\options.bak";
  fake::FakeFiles files;
  files.Put(user, "mine");
  files.Put(marker, " 1 \r\n-1 \r\n");
  files.Put(kMaster, "1\n-1\n 0 \r\n");  // only blanks, line ends and a longer tail differ
  ASSERT_FALSE(RefreshOptionsCopy(files, "C:\\Lirabo", "C:\\U\\Lirabo"));
  EXPECT_EQ(files.Get(user), "mine");
  files.Put(kMaster, " 1 \r\n 0 \r\n");
  ASSERT_FALSE(RefreshOptionsCopy(files, "C:\\Lirabo", "C:\\U\\Lirabo"));
  EXPECT_EQ(files.Get(user), " 1 \r\n 0 \r\n");
  EXPECT_EQ(files.Get(marker), " 1 \r\n 0 \r\n");
}

TEST(PinSetting, SavesOneCheckedPinRemovesItAndReportsEveryFailure) {
  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  fake::FakeCrypto crypto;
  Services services{files, system, messages};
  const std::string path = "C:\\Lirabo\\lehrerpin.ini";
  files.AddDirectory("C:\\Lirabo");
  TeacherPinSetting setting{services, crypto, path};
  setting.Load();
  EXPECT_FALSE(setting.CanRemove());
  const std::tuple<const char*, const char*, const char*> refused[] = {{"12345", "12345", texts::kPinNotDigits},
                                                                       {"12a456", "12a456", texts::kPinNotDigits},
                                                                       {"1234567", "123456", texts::kPinMismatch}};
  for (const auto& [pin, repeated, message] : refused) {
    EXPECT_FALSE(setting.Save(pin, repeated)) << pin;
    EXPECT_EQ(messages.Take(), Texts{message}) << pin;
  }
  EXPECT_FALSE(files.FileExists(path));
  ASSERT_TRUE(setting.Save("471100", "471100"));
  EXPECT_EQ(messages.Take(), Texts{"Die PIN gilt ab sofort für alle Computer dieser Installation."});
  auto record = ParsePinFile(files.Get(path));
  ASSERT_TRUE(record);
  EXPECT_EQ(record->iterations, 200000u);
  EXPECT_TRUE(*PinMatches(crypto, *record, "471100"));
  EXPECT_FALSE(*PinMatches(crypto, *record, "471200"));
  EXPECT_NE(MakePinRecord(crypto, "4711")->salt, record->salt);
  files.Deny(path);  // write-protected by the administrator
  EXPECT_FALSE(setting.Save("987654", "987654"));
  EXPECT_EQ(messages.Take(), Texts{"Die PIN konnte nicht gespeichert werden.\r\nSystemfehler 5"});
  EXPECT_FALSE(setting.Remove());
  EXPECT_EQ(messages.Take(), Texts{"Die PIN konnte nicht entfernt werden.\r\nSystemfehler 5"});
  files = fake::FakeFiles{};
  files.Put(path, "pbkdf2-sha256:200000:kaputt\r\n");
  setting.Load();
  EXPECT_EQ(setting.StateText(), "Die Datei lehrerpin.ini ist beschädigt.");
  ASSERT_TRUE(setting.CanRemove() && setting.Remove());
  EXPECT_FALSE(files.FileExists(path) || setting.CanRemove());
}

}  // namespace
}  // namespace lirabo
