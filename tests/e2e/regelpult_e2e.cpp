// regelpult and its word editor, by keys and clicks as a teacher uses them.
#include <regex>

#include "common/win32/twips.h"
#include "options/win32/options_window_ids.h"
#include "teacher_pin/teacher_pin_setting.h"
#include "teacher_pin/win32/pin_setup_window_ids.h"
#include "tests/e2e/walk.h"
#include "wordlist/win32/word_editor_window_ids.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

constexpr DWORD kProtected = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

TEST_F(WalkWithScreenshots, RegelpultAndTheWordEditorByKeysAndClicks) {
  namespace f2 = ids::options_window;
  namespace f3 = ids::word_editor;
  // Low colour, speech, background, taskbar, log after ten, names.
  install.Write("options.ini", OptionsText({1, -1, -1, -1, -1, 0, 0, -1, 0, 1}));
  install.Write("wortlst.jw1", "");
  HWND options = StartRegelpult();
  ASSERT_TRUE(options);
  SaveScreenshot("regelpult");
  const std::pair<int, bool> shown[] = {{f2::LowColourOption, true},        {f2::HighColourOption, false},
                                        {f2::SpeechOutput, true},           {f2::CoverDesktop, true},
                                        {f2::TaskbarVisible, true},         {f2::FullScreen, false},
                                        {f2::CapitalsOnly, false},          {f2::LogAfterTenTasks, true},
                                        {f2::ContinueAfterMistakes, false}, {f2::LogUnderPupilName, true}};
  for (const auto& [id, checked] : shown) EXPECT_EQ(IsChecked(options, id), checked) << id;
  // The chosen colour depth is the group's tab stop; the arrow keys choose within it.
  ASSERT_TRUE(Focused(options, f2::LowColourOption));
  EXPECT_EQ(TabWalk(options, 15),
            (Ids{f2::LowColourOption, f2::TaskbarVisible, f2::CoverDesktop, f2::OkButton, f2::HelpButton,
                 f2::FullScreen, f2::SpeechOutput, f2::CapitalsOnly, f2::LogAfterTenTasks, f2::ContinueAfterMistakes,
                 f2::LogUnderPupilName, f2::EditWordListButton, f2::NewWordListButton, f2::RestoreWordListButton,
                 f2::TeacherPinButton, f2::LowColourOption}));
  PressKeys(options, {VK_UP});
  ASSERT_TRUE(WaitUntil(
      [&] { return IsChecked(options, f2::HighColourOption) && FocusedControl(options) == f2::HighColourOption; }));
  PressKeys(options, {VK_DOWN});
  ASSERT_TRUE(
      WaitUntil([&] { return IsChecked(options, f2::LowColourOption) && !IsChecked(options, f2::HighColourOption); }));

  // The enabling rules follow a click: the box clicked, then background and taskbar as {checked, enabled}.
  const struct {
    int box;
    bool hGrund[2];
    bool tVis[2];
  } clicks[] = {{f2::FullScreen, {true, false}, {false, false}},
                {f2::FullScreen, {true, true}, {false, true}},
                {f2::CoverDesktop, {false, true}, {false, false}}};
  for (const auto& c : clicks) {
    Click(options, c.box);
    EXPECT_TRUE(WaitUntil([&] {
      return IsChecked(options, f2::CoverDesktop) == c.hGrund[0] &&
             IsWindowEnabled(Child(options, f2::CoverDesktop)) == c.hGrund[1] &&
             IsChecked(options, f2::TaskbarVisible) == c.tVis[0] &&
             IsWindowEnabled(Child(options, f2::TaskbarVisible)) == c.tVis[1];
    })) << c.box;
  }
  Click(options, f2::CapitalsOnly);
  Click(options, f2::HelpButton);
  EXPECT_EQ(NextCall(), Help(110));

  {  // The word editor: focus, Tab order, a word stored with Enter, help, Esc.
    Click(options, f2::EditWordListButton);
    HWND editor = WaitForVisibleWindow(regelpult.Id(), "Wortliste");
    ASSERT_TRUE(editor);
    ASSERT_TRUE(Focused(editor, f3::Sound1));
    EXPECT_EQ(TabWalk(editor, 7), (Ids{f3::Sound1, f3::Sound2, f3::Sound3, f3::Sound4, f3::OkButton, f3::BackButton,
                                       f3::HelpButton, f3::Sound1}));
    SaveScreenshot("word-editor");
    PressKeys(editor, {VK_OEM_PERIOD, VK_TAB, 'A', VK_TAB, VK_OEM_PERIOD, VK_TAB, VK_OEM_PERIOD, VK_RETURN});
    EXPECT_EQ(Answer(regelpult), "regelpult: Sie haben einen ungültigen Laut in ihrem Wort verwendet. (Siehe Hilfe)");
    ASSERT_TRUE(Focused(editor, f3::Sound4));
    PressKeys(editor, {VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_BACK, 'M', VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, f3::Sound1).empty(); }));
    EXPECT_EQ(FocusedControl(editor), f3::Sound1);
    EXPECT_EQ(HelpOnF1(editor), Help(5));
    // The help frame comes with the tall editor.
    for (int twips : {6800, 3400}) {
      Click(editor, f3::HelpButton);
      EXPECT_TRUE(WaitUntil([&] {
        const RECT rc = WindowRect(editor);
        return rc.bottom - rc.top == TwipsToPixels(twips, DpiOf(editor)) &&
               IsWindowVisible(Child(editor, f3::HelpFrame)) == (twips == 6800);
      })) << twips;
      if (twips == 6800) SaveScreenshot("word-editor-help");
    }
    PressKeys(editor, {VK_ESCAPE});
    ASSERT_TRUE(Closed(editor));
    EXPECT_EQ(install.Read("wortlst.jw1"), EncodeWordEntry({{{"m", 6}, {"a", 1}, {".", 0}, {".", 0}}}));
    EXPECT_TRUE(Focused(options, f2::EditWordListButton));
  }
  // A delivery copy from a CD is write-protected; the restored list is not. A new list is empty.
  install.Write("wortlst.j_", std::string(80, 'j'));
  ASSERT_TRUE(SetFileAttributesW(Widen(install.Path("wortlst.j_")).c_str(), kProtected));
  Click(options, f2::RestoreWordListButton);
  Answer(regelpult, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return install.Read("wortlst.jw1") == std::string(80, 'j'); }));
  EXPECT_EQ(GetFileAttributesW(Widen(install.Path("wortlst.jw1")).c_str()) & kProtected, 0u);
  Click(options, f2::NewWordListButton);
  Answer(regelpult, IDYES);
  HWND editor = WaitForVisibleWindow(regelpult.Id(), "Wortliste");
  ASSERT_TRUE(editor);
  EXPECT_EQ(install.Read("wortlst.j_"), std::string(80, 'j'));
  PressKeys(editor, {VK_ESCAPE});
  ASSERT_TRUE(Closed(editor));
  EXPECT_EQ(install.Read("wortlst.jw1"), "");

  {  // The teacher PIN: set by keys, a mismatch refused and letters ignored; then removed again.
    namespace ps = ids::pin_setup;
    Click(options, f2::TeacherPinButton);
    HWND dialog = WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateNone);
    EXPECT_FALSE(IsWindowEnabled(Child(dialog, ps::RemoveButton)));
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    EXPECT_EQ(TabWalk(dialog, 4), (Ids{ps::NewPin, ps::RepeatPin, ps::SaveButton, ps::CancelButton, ps::NewPin}));
    Type(dialog, "471100\t471200\r");
    EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinMismatch);
    EXPECT_FALSE(install.Has("lehrerpin.ini"));
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    Type(dialog, "47AB1100\t471100");
    SaveScreenshot("teacher-pin-regelpult");
    PressKeys(dialog, {VK_RETURN});
    EXPECT_EQ(Answer(regelpult), "regelpult: Die PIN gilt ab sofort für alle Computer dieser Installation.");
    EXPECT_TRUE(std::regex_match(install.Read("lehrerpin.ini"),
                                 std::regex("pbkdf2-sha256:200000:[0-9a-f]{32}:[0-9a-f]{64}\r\n")));
    ASSERT_TRUE(Closed(dialog));
    Click(options, f2::TeacherPinButton);
    dialog = WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(ControlText(dialog, ps::State), texts::kPinStateSet);
    ASSERT_TRUE(Focused(dialog, ps::NewPin));
    PressKeys(dialog, {VK_TAB, VK_TAB, VK_TAB});
    ASSERT_TRUE(Focused(dialog, ps::RemoveButton));
    PressKeys(dialog, {VK_RETURN});
    EXPECT_EQ(Answer(regelpult), std::string("regelpult: ") + texts::kPinRemoved);
    EXPECT_FALSE(install.Has("lehrerpin.ini"));
    ASSERT_TRUE(Closed(dialog));
  }

  // The close box is refused; Enter on a check box is OK, and the change is written.
  PostMessageW(options, WM_CLOSE, 0, 0);
  EXPECT_FALSE(regelpult.WaitForExit(300ms));
  Click(options, f2::HighColourOption);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(options, f2::HighColourOption); }));
  PressKeys(options, {VK_RETURN});
  EXPECT_EQ(Answer(regelpult),
            "regelpult: Die Änderungen werden mit dem nächsten Neustart der Programme auf den Clients übernommen.");
  EXPECT_TRUE(regelpult.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({2, -1, 0, 0, 0, 0, -1, -1, 0, 1}));
}

}  // namespace
}  // namespace lirabo::test
