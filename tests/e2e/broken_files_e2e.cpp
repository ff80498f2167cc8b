// A catalogue of broken files, as schools have them, against the real programs:
// each case shows the menu, a dialog or a clear German message, never a crash or a
// hang, and leaves unchanged what it should not change.
#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "common/win32/handles.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "menu/win32/form1_ids.h"
#include "options/win32/form2_ids.h"
#include "records/win32/man_namen_anzeigen_ids.h"
#include "records/win32/man_namen_ids.h"
#include "records/win32/man_protokolle_ids.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3_ids.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

constexpr const char* kMenuCaption = "JW Lirabo ;   <F6> für Lehrermenü";
const std::string kNamesOn = OptionsText({2, -1, 0, 0, -1, 0, 0, -1, -1, 1});

std::string RandomBytes(std::size_t n, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xFF);
  return bytes;
}

// How many logs the log folder holds (asking by name would find the devices).
int Logs() {
  WIN32_FIND_DATAW data;
  UniqueFind find(FindFirstFileW(Widen(LogFolder() + "\\*.txt").c_str(), &data));
  int n = 0;
  if (find) do ++n; while (FindNextFileW(find.get(), &data));
  return n;
}

std::string Words(int count) {
  std::string list;
  const std::string entry = EncodeWordEntry({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}});
  for (int i = 0; i < count; ++i) list += entry;
  return list;
}

// What a program shows first: a window of its own with this caption, or a message box.
struct Shown {
  HWND window = nullptr;
  std::string caption;  // of the window, or the message box's text
};

Shown WaitForFirstWindow(const Process& p, std::chrono::milliseconds timeout = kTimeout) {
  Shown shown;
  WaitUntil([&] {
    for (HWND w : WindowsOf(p.Id()))
      if (IsWindowVisible(w)) {
        wchar_t cls[32] = {};
        GetClassNameW(w, cls, 32);
        shown.window = w;
        shown.caption = std::wstring(cls) == L"#32770" ? MessageBoxText(w) : WindowText(w);
        return true;
      }
    return !p.IsRunning();
  }, timeout);
  return shown;
}

class BrokenFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetUserData();
    install.AddProgram("tafelwahl.exe");
    install.AddProgram("regelpult.exe");
  }
  // Starts `program`; expects it to show `caption` first and still to run.
  HWND Expect(const std::string& program, const std::string& arguments, const std::string& caption,
              std::chrono::milliseconds timeout = kTimeout) {
    running = Process::Start(install.Path(program), arguments);
    Shown shown = WaitForFirstWindow(running, timeout);
    EXPECT_EQ(shown.caption, caption);
    EXPECT_TRUE(running.IsRunning()) << "exit code " << running.ExitCode();
    return shown.window;
  }
  void Directory(const std::string& relative) { CreateDirectoryW(Widen(install.Path(relative)).c_str(), nullptr); }

  Installation install{"broken"};
  Process running;
};

TEST_F(BrokenFiles, ABrokenMasterGivesTheMenuAndTheDialogOrAClearMessage) {
  const struct {
    const char* what;
    std::string bytes;
    const char* menuShows;
  } cases[] = {
      {"empty", "", kMenuCaption},
      {"1 MB of random bytes", RandomBytes(1 << 20, 7), kMenuCaption},
      {"one 10 MB line", std::string(10 << 20, '7'), kMenuCaption},
      {"UTF-16 with a byte-order mark", std::string("\xFF\xFE 2\0 \0\r\0\n\0-1\0 \0\r\0\n\0", 20), kMenuCaption},
      {"values out of range", "99999\r\n-70000\r\n1e3\r\n0x10\r\n 1 \r\n", kMenuCaption},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetUserData();
    install.Write("options.ini", c.bytes);
    HWND shown = Expect("tafelwahl.exe", "/n=\"Anna\"", c.menuShows, 60s);
    if (shown) Click(shown, ids::form1::Command8);
    EXPECT_TRUE(running.WaitForExit(30s));
    EXPECT_EQ(install.Read("options.ini"), c.bytes);  // the master is only read
    // regelpult shows the dialog on it, and its close box changes nothing.
    HWND dialog = Expect("regelpult.exe", "", "Optionen", 60s);
    if (dialog) PostMessageW(dialog, WM_CLOSE, 0, 0);
    EXPECT_FALSE(running.WaitForExit(300ms));
    running.Kill();
    EXPECT_EQ(install.Read("options.ini"), c.bytes);
  }

  // A folder where the master should be: the menu says it cannot load the settings,
  // regelpult that it cannot change them, and both end.
  RemoveTree(install.Path("options.ini"));
  Directory("options.ini");
  ResetUserData();
  const std::string refused =
      "Die Optionen-Datei kann nicht geändert werden.\r\nDies kann folgende Gründe haben:\r\n"
      "- Das Optionen-Fenster ist schon geöffnet (bei einer Netzwerkinstallation eventuell an einem anderen PC). "
      "Schließen Sie zuerst dieses Fenster.\r\n- Sie haben keine Schreibrechte auf dem Laufwerk, auf dem die "
      "Programme installiert sind. Stellen Sie die Schreibrechte bitte her, bevor Sie die Optionen ändern.";
  // The menu's last failure is the missing marker copy, and it says so in the system's words.
  for (const auto& [program, message] : {std::pair<std::string, std::string>{"tafelwahl.exe",
                                                                             SystemErrorDescription(ERROR_FILE_NOT_FOUND)},
                                         std::pair<std::string, std::string>{"regelpult.exe", refused}}) {
    HWND box = Expect(program, "", message, 20s);
    ASSERT_TRUE(box);
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(running.WaitForExit()) << program;
  }
  EXPECT_TRUE(DirectoryExists(install.Path("options.ini")));
}

TEST_F(BrokenFiles, ABrokenRegisterStillOpensTheNameEntryAndTheNameList) {
  install.Write("options.ini", kNamesOn);
  std::string tenThousand;
  for (int i = 0; i < 10000; ++i) tenThousand += "Kind" + std::to_string(i) + "\r\n";
  const struct {
    const char* what;
    std::string bytes;
    int entries;  // in the name entry, -1: whatever the bytes give
  } cases[] = {
      {"random bytes", RandomBytes(64 << 10, 11), -1},
      {"a 1 MB line", std::string(1 << 20, 'x'), 1},
      {"10,000 names", tenThousand, 10000},
      {"only blank lines", "\r\n\r\n\r\n", 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetUserData();
    install.Write("Protokoll_2\\Namen.ini", c.bytes);
    HWND dialog = Expect("tafelwahl.exe", "", "JW Lirabo", 60s);
    ASSERT_TRUE(dialog);
    HWND list = Child(dialog, ids::man_namen::List1);
    const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    if (c.entries >= 0) {
      EXPECT_EQ(count, c.entries);
    }
    // The list scrolls to its end.
    SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(count > 0 ? count - 1 : 0), 0);
    EXPECT_TRUE(IsWindowVisible(dialog));
    running.Kill();
    EXPECT_EQ(install.Read("Protokoll_2\\Namen.ini"), c.bytes);
  }

  // The teacher's name list over 10,000 names.
  ResetUserData();
  install.Write("Protokoll_2\\Namen.ini", tenThousand);
  running = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(running.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  PostMessageW(window, WM_COMMAND, ids::form1::M_Namen, 0);
  HWND names = WaitForVisibleWindow(running.Id(), "Namen löschen", 30s);
  ASSERT_TRUE(names);
  EXPECT_EQ(SendMessageW(Child(names, ids::man_namen_anzeigen::List1), LB_GETCOUNT, 0, 0), 10000);
  SendMessageW(Child(names, ids::man_namen_anzeigen::List1), LB_SETTOPINDEX, 9999, 0);
  PostMessageW(names, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(names); }));
  Click(window, ids::form1::Command8);
  EXPECT_TRUE(running.WaitForExit());
}

TEST_F(BrokenFiles, ABrokenWordListOpensTheEditorOrSaysWhy) {
  install.Write("options.ini", kNamesOn);
  const struct {
    const char* what;
    std::string bytes;
    const char* afterStoring;  // the message on storing a word, "" when it is stored
  } cases[] = {
      {"0 bytes", "", ""},
      {"5 bytes", "\x01\x00M\x00\x00", ""},
      {"85 bytes", Words(1) + "\x01\x00M\x00\x00", ""},
      {"exactly 4,095 words", Words(4095), "Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen."},
      {"more than 4,095 words", Words(4100), "Die Wortliste ist voll: Sie kann höchstens 4095 Wörter aufnehmen."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    install.Write("wortlst.jw1", c.bytes);
    HWND dialog = Expect("regelpult.exe", "", "Optionen");
    ASSERT_TRUE(dialog);
    Click(dialog, ids::form2::Command2);
    HWND editor = WaitForVisibleWindow(running.Id(), "Wortliste");
    ASSERT_TRUE(editor);
    EXPECT_TRUE(IsControlEnabled(editor, ids::form3::Text1));
    for (int box : {ids::form3::Text1, ids::form3::Text2, ids::form3::Text3, ids::form3::Text4})
      PostChar(Child(editor, box), box == ids::form3::Text1 ? L'e' : L'.');
    ASSERT_TRUE(WaitUntil([&] { return ControlText(editor, ids::form3::Text4) == "."; }));
    Click(editor, ids::form3::Befehl1);
    if (*c.afterStoring) {
      HWND box = WaitForMessageBox(running.Id());
      ASSERT_TRUE(box);
      EXPECT_EQ(MessageBoxText(box), c.afterStoring);
      AnswerMessageBox(box, IDOK);
    } else {
      EXPECT_TRUE(WaitUntil([&] { return ControlText(editor, ids::form3::Text1).empty(); }));
    }
    Click(editor, ids::form3::Befehl2);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }));
    running.Kill();
    const std::string now = install.Read("wortlst.jw1");
    if (*c.afterStoring)
      EXPECT_EQ(now, c.bytes);
    else
      EXPECT_EQ(now.size() % 10, 0u) << now.size();  // whole records, the new word after the last whole one
  }

  // A folder where the list should be: busy after the retries, only "Zurück" works.
  RemoveTree(install.Path("wortlst.jw1"));
  Directory("wortlst.jw1");
  HWND dialog = Expect("regelpult.exe", "", "Optionen");
  ASSERT_TRUE(dialog);
  Click(dialog, ids::form2::Command2);
  HWND box = WaitForMessageBox(running.Id(), 20s);
  ASSERT_TRUE(box);
  EXPECT_EQ(MessageBoxText(box), "Ich kann die Wortliste nicht ändern. Eventuell wird sie momentan verwendet.");
  AnswerMessageBox(box, IDOK);
  HWND editor = WaitForVisibleWindow(running.Id(), "Wortliste");
  ASSERT_TRUE(editor);
  EXPECT_FALSE(IsControlEnabled(editor, ids::form3::Text1));
  EXPECT_TRUE(IsControlEnabled(editor, ids::form3::Befehl2));
  running.Kill();
  EXPECT_TRUE(DirectoryExists(install.Path("wortlst.jw1")));
}

TEST_F(BrokenFiles, ABigLogOpensInTheLogViewer) {
  install.Write("options.ini", kNamesOn);
  std::string log;
  const std::string line = "07.12.2026 09:14  Kamu 1: 10 Aufgaben, 9 richtig\r\n";
  while (log.size() < (20u << 20)) log += line;
  WriteFileBytes(LogFolder() + "\\Anna.txt", log);
  running = Process::Start(install.Path("tafelwahl.exe"), "/n=\"Anna\"");
  HWND window = WaitForVisibleWindow(running.Id(), kMenuCaption);
  ASSERT_TRUE(window);
  PostMessageW(window, WM_COMMAND, ids::form1::M_ProtokolleAnzeigen, 0);
  HWND logs = WaitForVisibleWindow(running.Id(), "Protokolle anzeigen");
  ASSERT_TRUE(logs);
  HWND list = Child(logs, ids::man_protokolle::File1);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  PostMessageW(logs, WM_COMMAND, MAKEWPARAM(ids::man_protokolle::File1, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
  // Opening 20 MB takes Wine's text box a while; how long is a benchmark's business.
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(Child(logs, ids::man_protokolle::Text1), WM_GETTEXTLENGTH, 0, 0) ==
                                     static_cast<LRESULT>(log.size()); },
                        100s));
  EXPECT_EQ(ReadFileBytes(LogFolder() + "\\Anna.txt").size(), log.size());
}

TEST_F(BrokenFiles, UnsafeNamesOnTheCommandLineOpenTheNameEntryAndMakeNoFile) {
  install.Write("options.ini", kNamesOn);
  for (const std::string& name : {std::string("..\\..\\x"), std::string("CON"), std::string("nul.txt"),
                                  std::string("Tab\tName"), std::string(5000, 'a')}) {
    SCOPED_TRACE(name.substr(0, 20));
    ResetUserData();
    HWND dialog = Expect("tafelwahl.exe", "/n=\"" + name + "\"", "JW Lirabo");
    EXPECT_TRUE(dialog);
    running.Kill();
    EXPECT_FALSE(FileExists(AppDataFolder() + "\\DE Zuzururu\\x.txt"));
    EXPECT_EQ(Logs(), 0);
  }
  // An unclosed quote is no name either.
  ResetUserData();
  EXPECT_TRUE(Expect("tafelwahl.exe", "/n=\"Anna", "JW Lirabo"));
  running.Kill();
  EXPECT_EQ(Logs(), 0);
}

}  // namespace
}  // namespace lirabo::test
