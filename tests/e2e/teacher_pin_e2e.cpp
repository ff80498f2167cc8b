// The teacher PIN used as a teacher and a pupil use it: set in regelpult by keys,
// asked for by the menu at F6, refused, locked, removed and a damaged file replaced.
#include <gtest/gtest.h>

#include "common/text.h"

#include <regex>

#include "common/teacher_pin.h"
#include "common/win32/bcrypt_crypto.h"
#include "menu/menu_texts.h"
#include "menu/teacher_pin_gate.h"
#include "menu/win32/form1_ids.h"
#include "menu/win32/pin_abfrage_ids.h"
#include "options/teacher_pin_setting.h"
#include "options/win32/form2_ids.h"
#include "options/win32/pin_festlegen_ids.h"
#include "tests/driver/driver.h"

namespace lirabo::test {
namespace {

namespace pq = ids::pin_abfrage;
namespace ps = ids::pin_festlegen;

// Digits and other keys whose virtual-key codes are their characters.
void Type(HWND window, const std::string& keys) {
  for (char c : keys) PressKeys(window, {static_cast<UINT>(c)});
}

// Waits for a message box, answers it with Enter and returns its text.
std::string AnswerWithEnter(DWORD processId) {
  HWND box = WaitForMessageBox(processId);
  if (!box) return "(no message box)";
  std::string text = MessageBoxText(box);
  PressKeys(box, {VK_RETURN});
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

bool MatchesPinFileFormat(const std::string& bytes, std::uint32_t iterations) {
  return std::regex_match(bytes, std::regex("pbkdf2-sha256:" + std::to_string(iterations) +
                                            ":[0-9a-f]{32}:[0-9a-f]{64}\r\n"));
}

class TeacherPin : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.AddProgram("regelpult.exe");
    install.AddProgram("placeholder.exe", "hh.exe");
    install.Write("Protokoll_2\\Namen.ini", "Anna\r\n");
    install.Write("options.ini", OptionsText({0, -1, 0, 0, -1, 0, 0, -1, -1, 1}));
  }

  HWND StartMenu(Process& menu) {
    menu = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
    HWND window = WaitForVisibleWindow(menu.Id(), texts::kMenuCaption);
    if (window) WaitUntil([&] { return FocusedControl(window) == ids::form1::Command1; });
    return window;
  }

  // regelpult's "Lehrer-PIN…" by keys: it is the last tab stop, two Shift+Tab back
  // from the first focus (the colour-depth group lies between).
  HWND OpenPinDialog(Process& regelpult) {
    regelpult = Process::Start(install.Path("regelpult.exe"));
    HWND options = WaitForVisibleWindow(regelpult.Id(), "Optionen");
    if (!options || !WaitUntil([&] { return FocusedControl(options) == ids::form2::HGrund; })) return nullptr;
    PressKeys(options, {VK_TAB, VK_TAB}, VK_SHIFT);
    if (!WaitUntil([&] { return FocusedControl(options) == ids::form2::Command5; })) return nullptr;
    PressKeys(options, {VK_RETURN});
    return WaitForVisibleWindow(regelpult.Id(), "Lehrer-PIN");
  }

  // Ends regelpult with Esc on its options, which changed nothing.
  void CloseRegelpult(Process& regelpult) {
    HWND options = WaitForVisibleWindow(regelpult.Id(), "Optionen");
    ASSERT_TRUE(options);
    PressKeys(options, {VK_ESCAPE});
    EXPECT_TRUE(regelpult.WaitForExit());
  }

  // F6 and then F1, whose help call shows that the menu has dealt with F6.
  void F6ThenF1(HWND window) {
    const std::size_t before = Calls().size();
    PressKeys(window, {VK_F6, VK_F1});
    EXPECT_TRUE(WaitUntil([&] { return Calls().size() > before; }));
  }

  std::vector<std::string> Calls() const { return SplitLines(install.Read("Aufrufe.txt")); }

  Installation install{"pin"};
};

TEST_F(TeacherPin, SetInRegelpultByKeysAskedForAtF6LockedAfterThreeWrongAndRemovedAgain) {
  Process regelpult;
  HWND dialog = OpenPinDialog(regelpult);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, ps::Zustand), texts::kPinStateNone);
  EXPECT_FALSE(IsControlEnabled(dialog, ps::Entfernen));
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));
  EXPECT_EQ(TabWalk(dialog, 5), (std::vector<int>{ps::Text1, ps::Text2, ps::Speichern, ps::Abbrechen, ps::Text1,
                                                  ps::Text2}));
  PressKeys(dialog, {VK_TAB}, VK_SHIFT);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));

  // Too short and mismatched entries are refused.
  Type(dialog, "12");
  PressKeys(dialog, {VK_TAB, '1', '2', VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), texts::kPinNotDigits);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));
  Type(dialog, "471100");
  PressKeys(dialog, {VK_TAB, '4', '7', '1', '2', '0', '0', VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), texts::kPinMismatch);
  EXPECT_FALSE(install.Has("lehrerpin.ini"));

  // Letters never reach the boxes, so these two match.
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));
  Type(dialog, "47AB1100");
  PressKeys(dialog, {VK_TAB, '4', '7', '1', '1', '0', '0', VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), "Die PIN gilt ab sofort für alle Computer dieser Installation.");
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  const std::string line = install.Read("lehrerpin.ini");
  EXPECT_TRUE(MatchesPinFileFormat(line, 200000)) << line;
  auto record = ParsePinFile(line);
  ASSERT_TRUE(record);
  Win32CryptoPort crypto;
  EXPECT_TRUE(*PinMatches(crypto, *record, "471100"));
  CloseRegelpult(regelpult);

  // The menu asks; a wrong PIN is refused and may be retried; the right one shows the menu.
  Process menu;
  HWND window = StartMenu(menu);
  ASSERT_TRUE(window);
  PressKeys(window, {VK_F6});
  HWND query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  EXPECT_TRUE(GetWindowLongPtrW(query, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(GetMenu(window), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(query) == pq::Text1; }));
  EXPECT_EQ(TabWalk(query, 3), (std::vector<int>{pq::Text1, pq::OK, pq::Abbrechen, pq::Text1}));
  Type(query, "1234");
  PressKeys(query, {VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(menu.Id()), "Die PIN ist falsch.");
  EXPECT_TRUE(IsWindow(query));
  EXPECT_EQ(GetMenu(window), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(query) == pq::Text1; }));
  Type(query, "471100");
  PressKeys(query, {VK_RETURN});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(query) && GetMenu(window) != nullptr; }));

  // F6 hides the shown menu without asking.
  F6ThenF1(window);
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_TRUE(WindowsOf(menu.Id(), "Lehrermenü").empty());

  // Three wrong PINs (counted across the dialogs): the query closes and F6 rests.
  PressKeys(window, {VK_F6});
  query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  Type(query, "1111");
  PressKeys(query, {VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(menu.Id()), "Die PIN ist falsch.");
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(query) == pq::Text1; }));
  PressKeys(query, {VK_ESCAPE});  // "Abbrechen"
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(query); }));
  EXPECT_EQ(GetMenu(window), nullptr);
  PressKeys(window, {VK_F6});
  query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(query) == pq::Text1; }));
  Type(query, "2222");
  PressKeys(query, {VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(menu.Id()), "Die PIN ist falsch.");
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(query) == pq::Text1; }));
  Type(query, "3333");
  PressKeys(query, {VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(menu.Id()), texts::kPinLockedOut);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(query); }));
  F6ThenF1(window);
  EXPECT_TRUE(WindowsOf(menu.Id(), "Lehrermenü").empty());
  EXPECT_EQ(WaitForMessageBox(menu.Id(), 0ms), nullptr);
  EXPECT_EQ(GetMenu(window), nullptr);

  // Removed in regelpult: F6 shows the teacher menu at once again, lock-out or not.
  dialog = OpenPinDialog(regelpult);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ControlText(dialog, ps::Zustand), texts::kPinStateSet);
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));
  PressKeys(dialog, {VK_TAB, VK_TAB, VK_TAB});
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Entfernen; }));
  PressKeys(dialog, {VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), texts::kPinRemoved);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_FALSE(install.Has("lehrerpin.ini"));
  CloseRegelpult(regelpult);
  PressKeys(window, {VK_F6});
  ASSERT_TRUE(WaitUntil([&] { return GetMenu(window) != nullptr; }));
  EXPECT_TRUE(WindowsOf(menu.Id(), "Lehrermenü").empty());
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

TEST_F(TeacherPin, ADamagedFileOpensNoTeacherMenuAndRegelpultReplacesIt) {
  install.Write("lehrerpin.ini", "pbkdf2-sha256:200000:kaputt\r\n");
  Process menu;
  HWND window = StartMenu(menu);
  ASSERT_TRUE(window);
  PressKeys(window, {VK_F6});
  EXPECT_EQ(AnswerWithEnter(menu.Id()),
            "Die Datei lehrerpin.ini ist beschädigt. Legen Sie die Lehrer-PIN mit regelpult neu fest.");
  EXPECT_EQ(GetMenu(window), nullptr);
  EXPECT_TRUE(WindowsOf(menu.Id(), "Lehrermenü").empty());

  Process regelpult;
  HWND dialog = OpenPinDialog(regelpult);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), texts::kPinDamagedHere);
  EXPECT_EQ(ControlText(dialog, ps::Zustand), "Die Datei lehrerpin.ini ist beschädigt.");
  ASSERT_TRUE(WaitUntil([&] { return FocusedControl(dialog) == ps::Text1; }));
  Type(dialog, "246800");
  PressKeys(dialog, {VK_TAB, '2', '4', '6', '8', '0', '0', VK_RETURN});
  EXPECT_EQ(AnswerWithEnter(regelpult.Id()), texts::kPinSaved);
  EXPECT_TRUE(MatchesPinFileFormat(install.Read("lehrerpin.ini"), 200000));
  CloseRegelpult(regelpult);

  // The running menu asks for the new PIN at the next F6.
  PressKeys(window, {VK_F6});
  HWND query = WaitForVisibleWindow(menu.Id(), "Lehrermenü");
  ASSERT_TRUE(query);
  PressKeys(query, {VK_ESCAPE});
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(query); }));
  EXPECT_EQ(GetMenu(window), nullptr);
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(menu.WaitForExit());
}

}  // namespace
}  // namespace lirabo::test
