#include <gtest/gtest.h>

#include "common/win32/win32_files.h"
#include "menu/menu_texts.h"
#include "menu/win32/form1_ids.h"
#include "options/win32/form2_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

constexpr const char* kDialogCaption = "Optionen";

// OK (or Esc) with a change: the notice about the clients, then the end.
void ExpectClientNoticeAndEnd(Process& p) {
  HWND box = WaitForMessageBox(p.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box),
            "Die Änderungen werden mit dem nächsten Neustart der Programme auf den Clients übernommen.");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(p.WaitForExit());
}

class Regelpult : public ::testing::Test {
 protected:
  void SetUp() override { install.AddProgram("regelpult.exe"); }
  HWND Open(Process& p) {
    p = Process::Start(install.Path("regelpult.exe"));
    return WaitForVisibleWindow(p.Id(), kDialogCaption);
  }
  Installation install{"regelpult"};
};

TEST_F(Regelpult, ASecondDialogIsRefusedAndEndsWhileTheFirstStaysAndAMenuStartsAsUsual) {
  ResetUserData();
  install.AddProgram("tafelwahl.exe");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
  Process first;
  HWND dialog = Open(first);
  ASSERT_TRUE(dialog);
  Process second = Process::Start(install.Path("regelpult.exe"));
  HWND box = WaitForMessageBox(second.Id());
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box),
            "Die Optionen-Datei kann nicht geändert werden.\r\n"
            "Dies kann folgende Gründe haben:\r\n"
            "- Das Optionen-Fenster ist schon geöffnet (bei einer Netzwerkinstallation eventuell an einem "
            "anderen PC). Schließen Sie zuerst dieses Fenster.\r\n"
            "- Sie haben keine Schreibrechte auf dem Laufwerk, auf dem die Programme installiert sind. "
            "Stellen Sie die Schreibrechte bitte her, bevor Sie die Optionen ändern.");
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(second.WaitForExit());
  EXPECT_TRUE(first.IsRunning() && IsWindowVisible(dialog));

  // The held master does not hold up a starting menu.
  Process menu = Process::Start(install.Path("tafelwahl.exe"));
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_EQ(WaitForMessageBox(menu.Id(), 500ms), nullptr);
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());

  // The dialog ignores a close request; only OK ends it.
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(first.WaitForExit(500ms));
  Click(dialog, ids::form2::Befehl1);
  EXPECT_TRUE(first.WaitForExit());
}

TEST_F(Regelpult, OpensAsTheMasterSaysAndOkOrEscWritesItInTheWritersFormat) {
  // A missing master opens cleared; Esc saves like OK.
  Process p;
  HWND dialog = Open(p);
  ASSERT_TRUE(dialog);
  for (int id : {ids::form2::Option1, ids::form2::Option2, ids::form2::Check1, ids::form2::Buchstaben, ids::form2::Proto, ids::form2::ProtSave, ids::form2::FehlerWeiter,
                 ids::form2::HGrund, ids::form2::TVis, ids::form2::Auflösung})
    EXPECT_FALSE(IsChecked(dialog, id)) << id;
  Click(dialog, ids::form2::Buchstaben);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog, ids::form2::Buchstaben); }));
  PostKey(dialog, VK_ESCAPE);
  ExpectClientNoticeAndEnd(p);
  EXPECT_EQ(install.Read("options.ini"), OptionsText({0, 0, 0, 0, 0, 0, -1, 0, 0, 0}));

  // Full screen on, background off: the background shows ticked, the taskbar cleared, both disabled.
  install.Write("options.ini", OptionsText({1, 0, 0, 0, -1, -1, 0, 0, 0, 1}));
  dialog = Open(p);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsChecked(dialog, ids::form2::HGrund));
  EXPECT_FALSE(IsControlEnabled(dialog, ids::form2::HGrund));
  EXPECT_FALSE(IsChecked(dialog, ids::form2::TVis));
  EXPECT_FALSE(IsControlEnabled(dialog, ids::form2::TVis));
  Click(dialog, ids::form2::Befehl1);
  ExpectClientNoticeAndEnd(p);
  const std::string written = OptionsText({1, 0, -1, -1, 0, -1, 0, 0, 0, 1});
  EXPECT_EQ(install.Read("options.ini"), written);

  // Unchanged: byte for byte again, and another writer's blanks and line ends are put right.
  for (const std::string& before : {written, std::string("1\r\n0\r\n-1\r\n-1\r\n0\r\n-1\r\n0\r\n0\r\n0\r\n1\r\n")}) {
    install.Write("options.ini", before);
    dialog = Open(p);
    ASSERT_TRUE(dialog);
    PostKey(dialog, VK_RETURN);
    EXPECT_TRUE(p.WaitForExit());  // no notice holds it up
    EXPECT_EQ(install.Read("options.ini"), written);
  }
}

TEST_F(Regelpult, ARewriteThatCannotBeMadeKeepsTheOldFileAndTheCloseBoxThenLeaves) {
  const std::string before = OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 0});
  install.Write("options.ini", before);
  Process p;
  HWND dialog = Open(p);
  ASSERT_TRUE(dialog);
  PostMessageW(dialog, WM_CLOSE, 0, 0);  // refused while nothing has failed
  EXPECT_FALSE(p.WaitForExit(300ms));
  // A menu on another PC keeps the master open for longer than the rewrite waits.
  Process reader = HoldFileInOtherProcess(install.Path("options.ini"), "r", "rw");
  ASSERT_TRUE(reader.IsRunning());
  Click(dialog, ids::form2::Buchstaben);
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(dialog, ids::form2::Buchstaben); }));
  Click(dialog, ids::form2::Befehl1);
  HWND box = WaitForMessageBox(p.Id());
  ASSERT_TRUE(box);
  const std::string said = MessageBoxText(box);
  EXPECT_TRUE(said == SystemErrorDescription(ERROR_ACCESS_DENIED) || said == SystemErrorDescription(ERROR_SHARING_VIOLATION))
      << said;
  AnswerMessageBox(box, IDOK);
  EXPECT_TRUE(IsWindowVisible(dialog));
  EXPECT_EQ(install.Read("options.ini"), before);
  EXPECT_FALSE(install.Has("options.ini.neu"));
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(p.WaitForExit());
  EXPECT_EQ(install.Read("options.ini"), before);
}

// F6, the items by keys, and OK without a change: keyboard_e2e.cpp.
TEST(TeacherMenu, AChangeOfTheOptionsReloadsTheMenuWithTheNewSettings) {
  ResetUserData();
  Installation install{"teacher"};
  install.AddProgram("tafelwahl.exe");
  install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
  install.Write("options.ini", OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  Process menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_TRUE(IsControlVisible(window, ids::form1::CB_Name));
  PostMessageW(window, WM_COMMAND, ids::form1::M_Optionen, 0);
  HWND dialog = WaitForVisibleWindow(menu.Id(), kDialogCaption);
  ASSERT_TRUE(dialog);
  // Without names the name button is gone and the greeting has no name.
  Click(dialog, ids::form2::ProtSave);
  ASSERT_TRUE(WaitUntil([&] { return !IsChecked(dialog, ids::form2::ProtSave); }));
  Click(dialog, ids::form2::Befehl1);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
  window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
  ASSERT_TRUE(window);
  EXPECT_FALSE(IsControlVisible(window, ids::form1::CB_Name));
  EXPECT_EQ(ControlText(window, ids::form1::Hilfe), "Hallo!\r\nWähle ein Programm aus:");
  EXPECT_EQ(ReadFileBytes(SettingsFolder() + "\\options.ini"), OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 0}));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
