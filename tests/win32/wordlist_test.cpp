// The word list against another process, and the word editor's window, in this
// process on the real file system.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "common/win32/twips.h"
#include "common/win32/wide.h"
#include "common/win32/win32_files.h"
#include "tests/driver/driver.h"
#include "wordlist/win32/form3.h"
#include "wordlist/win32/form3_ids.h"

namespace lirabo {
namespace {

using Clock = std::chrono::steady_clock;

// The installation folder as the application folder; real waits.
class InstallSystem final : public SystemPort {
 public:
  explicit InstallSystem(std::string folder) : folder_(std::move(folder)) {}
  std::string ApplicationPath() override { return folder_; }
  std::string GetSpecialFolder(int, bool, bool) override { return {}; }
  bool IsProcessRunning(const std::string&) override { return false; }
  bool IsNt6OrLater() override { return true; }
  void Sleep(unsigned ms) override { ::Sleep(ms); }
  bool StartProcess(const std::string&) override { return false; }
  bool IsPreviousInstanceRunning() override { return false; }
  void ActivateWindowTitled(const std::string&) override {}

 private:
  std::string folder_;
};

class RecordedMessages final : public MessagePort {
 public:
  std::vector<std::string> texts;
  MsgAnswer Show(const std::string& text, MsgButtons, MsgIcon, const std::string&) override {
    texts.push_back(text);
    return MsgAnswer::Ok;
  }
};

class WordListWin32 : public ::testing::Test {
 protected:
  std::string ListPath() const { return install.Path("wortlst.jw1"); }
  test::Installation install{"wordlist"};
  Win32FilePort files;
  InstallSystem system{install.Folder()};
  RecordedMessages messages;
  WordListPorts ports{files, system, messages};
};

TEST_F(WordListWin32, TheOpenIsExclusiveBetweenProcessesAndBusyAfterAboutThreeSeconds) {
  install.Write("wortlst.jw1", std::string(160, 'w'));
  test::Process other = test::HoldFileInOtherProcess(ListPath(), "r", "rw");  // a mere reader
  ASSERT_TRUE(other.IsRunning());
  WordListFile list(files, system, ListPath());
  auto start = Clock::now();
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(2900));
  other.Kill();

  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  auto end = list.FindListEnd();
  ASSERT_TRUE(end.ok());
  EXPECT_EQ(*end, 17);
  // While we hold it, nobody else gets in, not even to read.
  test::Process reader = test::HoldFileInOtherProcess(ListPath(), "r", "rw");
  EXPECT_TRUE(reader.WaitForExit());
  EXPECT_EQ(reader.ExitCode(), 2u);
  ASSERT_EQ(list.AppendWord({{{"M", 6}, {"a", 1}, {".", 0}, {".", 0}}}).status, AppendStatus::Written);
  list.Close();
  std::string bytes = test::ReadFileBytes(ListPath());
  ASSERT_EQ(bytes.size(), 240u);
  EXPECT_EQ(bytes.substr(160, 13), std::string("\x01\0M\0\0\0\0\0\0\0\x06\0\0", 13));
}

std::wstring FontFace(HWND control, LONG* height, LONG* weight) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  *height = font.lfHeight;
  *weight = font.lfWeight;
  return font.lfFaceName;
}

COLORREF LabelColour(HWND form, int id) {
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(form, id)));
  COLORREF colour = GetTextColor(dc);
  DeleteDC(dc);
  return colour;
}

struct ToolTipSearch {
  HWND owner;
  HWND found;
};

BOOL CALLBACK FindToolTips(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<ToolTipSearch*>(param);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0 && GetWindow(window, GW_OWNER) == search->owner) search->found = window;
  return search->found == nullptr;
}

HWND ToolTipsOf(HWND form) {
  ToolTipSearch search{form, nullptr};
  EnumThreadWindows(GetCurrentThreadId(), FindToolTips, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string ToolText(HWND tips, HWND form, int id) {
  wchar_t text[128] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = form;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(form, id));
  tool.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
  return Narrow(text);
}

bool IsCentred(HWND window) {
  RECT rc = test::WindowRect(window);
  int dx = (rc.left + rc.right) - GetSystemMetrics(SM_CXSCREEN);
  int dy = (rc.top + rc.bottom) - GetSystemMetrics(SM_CYSCREEN);
  return std::abs(dx) <= 1 && std::abs(dy) <= 1;
}

TEST_F(WordListWin32, EditorWindowLooksAndSizesAsDesigned) {
  Form3 editor(ports, WordEditMode::ContinueList);
  ASSERT_TRUE(editor.Load());
  editor.Show();
  HWND form = editor.Window();
  EXPECT_EQ(editor.Caption(), "Wortliste");
  LONG_PTR style = GetWindowLongPtrW(form, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(messages.texts.empty());
  EXPECT_TRUE(test::FileExists(ListPath()));

  const UINT dpi = editor.Dpi();
  auto outerHeight = [&] {
    RECT rc = test::WindowRect(form);
    return rc.bottom - rc.top;
  };
  EXPECT_EQ(outerHeight(), TwipsToPixels(3400, dpi));
  EXPECT_FALSE(test::IsControlVisible(form, IDC_Rahmen1));
  EXPECT_FALSE(test::IsControlVisible(form, IDC_Bezeichnung4));
  EXPECT_TRUE(IsCentred(form));
  EXPECT_EQ(GetFocus(), editor.Control(IDC_Text1));

  editor.ToggleHelp();
  EXPECT_EQ(outerHeight(), TwipsToPixels(6800, dpi));
  EXPECT_TRUE(test::IsControlVisible(form, IDC_Rahmen1));
  EXPECT_TRUE(test::IsControlVisible(form, IDC_Bezeichnung4));
  EXPECT_TRUE(IsCentred(form));
  // The frame lies wholly inside the taller window.
  RECT frame = test::WindowRect(editor.Control(IDC_Rahmen1)), client = test::ClientRectOnScreen(form);
  EXPECT_LE(frame.bottom, client.bottom);
  EXPECT_EQ(editor.Text(IDC_Bezeichnung4),
            "Die Wörter dürfen maximal 4 Laute lang sein, wobei in jedes weiße Kästchen oben ein Laut eingetragen "
            "wird. Wenn die Wörter kürzer sind muss in die leeren Kästchen ein \".\" eingetragen werden. Da sich "
            "einige Laute nur schwer voneinander unterscheiden lassen, enthält das Programm nur solche, die "
            "eindeutig zu unterscheiden sind. Dies sind im einzelnen: A, E, F, I, L, M, O, P, S, SCH, U. Deshalb "
            "lassen sich nur Wörter mit diesen Lauten bilden; andere werden ignoriert.");
  editor.ToggleHelp();
  EXPECT_EQ(outerHeight(), TwipsToPixels(3400, dpi));
  EXPECT_FALSE(test::IsControlVisible(form, IDC_Rahmen1));
  EXPECT_TRUE(IsCentred(form));

  for (int box : {IDC_Text1, IDC_Text2, IDC_Text3, IDC_Text4})
    EXPECT_EQ(SendMessageW(editor.Control(box), EM_GETLIMITTEXT, 0, 0), 3);
  LONG height = 0, weight = 0;
  EXPECT_EQ(FontFace(editor.Control(IDC_Text2), &height, &weight), L"MS Sans Serif");
  EXPECT_EQ(height, FontHeightPixels(2400, dpi));
  EXPECT_EQ(weight, FW_BOLD);
  EXPECT_EQ(LabelColour(form, IDC_Bezeichnung1), RGB(192, 0, 0));
  EXPECT_EQ(LabelColour(form, IDC_Bezeichnung3), RGB(0, 0, 128));

  HWND tips = ToolTipsOf(form);
  ASSERT_TRUE(tips);
  EXPECT_EQ(ToolText(tips, form, IDC_Befehl1), "Speichert das gerade angegebene Wort");
  EXPECT_EQ(ToolText(tips, form, IDC_Befehl2), "Schließt das Fenster");

  // The list stays locked until the window goes, however it goes.
  EXPECT_FALSE(files.Open(ListPath(), FileAccess::Read, FileShare::ReadWrite, FileCreation::OpenExisting).ok());
  SendMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_FALSE(editor.IsLoaded());
  EXPECT_TRUE(files.Open(ListPath(), FileAccess::Read, FileShare::ReadWrite, FileCreation::OpenExisting).ok());
}

}  // namespace
}  // namespace lirabo
