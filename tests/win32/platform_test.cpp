// What only the real system shows: bcrypt, the file port's share modes and attributes,
// the process list, the list box's order, the picture decoder, option buttons as
// Windows makes them, and the menu's failure handlers in a process that really crashes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "common/text.h"
#include "common/win32/form.h"
#include "common/win32/picture_button.h"
#include "common/win32/system_services.h"
#include "common/win32/win32_files.h"
#include "options/options_store.h"
#include "records/win32/list_box.h"
#include "teacher_pin/win32/bcrypt_crypto.h"
#include "tests/driver/driver.h"
#include "wordlist/word_list_file.h"

namespace lirabo::test {
namespace {

using Texts = std::vector<std::string>;

// Another program's open handle; share modes hold per handle, in one process as across two.
UniqueHandle Hold(const std::string& path, DWORD access, DWORD share) {
  HANDLE file = CreateFileW(Widen(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
  return UniqueHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

TEST(Platform, BcryptGivesTheRfc7914VectorAndFreshRandomBytes) {
  Win32CryptoPort crypto;
  auto key = crypto.DerivePbkdf2Sha256("passwd", "salt", 1, 64);
  EXPECT_EQ(key ? *key : key.error().description,
            std::string("\x55\xac\x04\x6e\x56\xe3\x08\x9f\xec\x16\x91\xc2\x25\x44\xb6\x05"
                        "\xf9\x41\x85\x21\x6d\xde\x04\x65\xe6\x8b\x9d\x57\xc2\x0d\xac\xbc"
                        "\x49\xca\x9c\xcc\xf1\x79\xb6\x45\x99\x16\x64\xb3\x9d\x77\xef\x31"
                        "\x7c\x71\xb8\x45\xb1\xe3\x0b\xd5\x09\x11\x20\x41\xd3\xa1\x97\x83",
                        64));
  auto first = crypto.RandomBytes(16), second = crypto.RandomBytes(16);
  EXPECT_TRUE(first && second && first->size() == 16 && *first != *second);
}

// Wine keeps no DACLs (it makes one up from the Unix mode), so only the attributes show here.
TEST(Platform, ARewriteKeepsTheFilesAttributesAndRespectsWriteProtection) {
  Installation install{"replace"};
  const std::wstring path = Widen(install.Path("options.ini"));
  install.Write("options.ini", "alt");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
  Win32FilePort files;
  ASSERT_FALSE(files.ReplaceContents(install.Path("options.ini"), "neu"));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN, static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(files.ReplaceContents(install.Path("options.ini"), "neuer").code,
            static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(install.Read("options.ini"), "neu");
  ASSERT_FALSE(files.ReplaceContents(install.Path("options.ini"), "neuer", ReadOnlyFile::Heal));
  EXPECT_EQ(install.Read("options.ini"), "neuer");
  EXPECT_EQ(GetFileAttributesW(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), 0u);
  EXPECT_FALSE(FileExists(install.Path("options.ini.neu")));
}

TEST(Platform, TheOptionsFileAndTheWordListAgainstAnotherProgram) {
  Installation install{"sharing"};
  const std::string options = install.Path("options.ini");
  install.Write("options.ini", OptionsText({1, -1}));
  Win32FilePort files;
  UniqueHandle dialog = Hold(options, GENERIC_READ, FILE_SHARE_READ);  // another dialog's hold
  EXPECT_EQ(ProbeOptionsWritable(files, options).error.code, 32u);     // refused: a sharing violation
  EXPECT_TRUE(OpenOptionsForReading(files, options).ok());
  EXPECT_TRUE(WriteOptionsFile(files, options, OptionsRecord{}).IsLockedOrDenied());
  EXPECT_EQ(install.Read("options.ini"), OptionsText({1, -1}));
  EXPECT_FALSE(FileExists(options + ".neu"));
  dialog.reset();
  EXPECT_EQ(ProbeOptionsWritable(files, options).result, ProbeResult::Writable);
  UniqueHandle writer = Hold(options, GENERIC_WRITE, 0);  // another dialog's rewrite
  EXPECT_TRUE(OpenOptionsForReading(files, options).error().IsLockedOrDenied());

  // The word list: busy after about three seconds even for a mere reader elsewhere,
  // and while open, nobody else gets in, not even to read.
  install.Write("wortlst.jw1", std::string(160, 'w'));
  Win32SystemPort system(L"LiraboWordListTest");
  WordListFile list(files, system, install.Path("wortlst.jw1"));
  UniqueHandle reader = Hold(install.Path("wortlst.jw1"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(list.OpenWordList().status, OpenStatus::Busy);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 2900ms);
  reader.reset();
  ASSERT_EQ(list.OpenWordList().status, OpenStatus::Opened);
  EXPECT_FALSE(Hold(install.Path("wortlst.jw1"), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE));
}

TEST(Platform, TheProcessProbeMatchesAnyPartOfTheNameInAnyCase) {
  Installation install("probe");
  install.AddProgram("placeholder.exe", "OldVarkon.exe");
  Process varkon = Process::Start(install.Path("OldVarkon.exe"));
  EXPECT_TRUE(IsProcessRunning("VARKON.EXE"));
  EXPECT_FALSE(IsProcessRunning("Varkon2.exe"));
}

TEST(Platform, ACrashShowsItsDescriptionThenRestoresTheDisplayAndShowsTheTaskbar) {
  Installation folder("crash");
  Process child = Process::Start(BinFolder() + "\\crash_child.exe", "\"" + folder.Path("record.txt") + "\"");
  ASSERT_TRUE(child.WaitForExit());
  EXPECT_EQ(child.ExitCode(), 1u);
  Texts lines = SplitLines(folder.Read("record.txt"));
  EXPECT_EQ(
      lines.at(0).rfind("Das Programm wurde durch einen unerwarteten Fehler unterbrochen (Ausnahme 0xC0000005", 0), 0u);
  EXPECT_EQ(Texts(lines.begin() + 1, lines.end()), (Texts{"test 1024x768", "restore 1024x768", "taskbar shown"}));
}

TEST(Platform, PngBecomesPremultipliedBgraAndBrokenBytesNoPicture) {
  // 2 x 1 RGBA: (200, 100, 50) at half alpha, then opaque blue.
  const char png[] =
      "\x89\x50\x4E\x47\x0D\x0A\x1A\x0A\x00\x00\x00\x0D\x49\x48\x44\x52\x00\x00\x00\x02\x00\x00\x00\x01\x08\x06"
      "\x00\x00\x00\xF4\x22\x7F\x8A\x00\x00\x00\x11\x49\x44\x41\x54\x78\xDA\x63\x38\x91\x62\xD4\xC0\xC0\xF0\xFF"
      "\x3F\x00\x0F\xAE\x03\xDD\xEA\x1C\xFD\x01\x00\x00\x00\x00\x49\x45\x4E\x44\xAE\x42\x60\x82";
  UniqueBitmap picture = DecodePicture(std::string_view(png, sizeof png - 1));
  DIBSECTION dib{};
  ASSERT_EQ(GetObjectW(picture.get(), sizeof dib, &dib), static_cast<int>(sizeof dib));
  const auto* bgra = static_cast<const unsigned char*>(dib.dsBm.bmBits);
  EXPECT_EQ(std::vector<int>(bgra, bgra + 8), (std::vector<int>{25, 50, 100, 128, 255, 0, 0, 255}));
  EXPECT_FALSE(DecodePicture(std::string_view(png, 40)));
  EXPECT_FALSE(DecodePicture("not a picture"));
}

// The list box, sorted by itself one entry at a time, is the reference.
TEST(Platform, SortKeysGiveTheOrderTheListBoxKeeps) {
  const Texts names = {"Zoe",  "anna",        "Ömer",  "Oskar",  "ben", "Ben 2", "10",     "9",  "Ärzte",
                       "Arno", "Marie Luise", "Marie", "Mariel", "ßa",  "sz",    "Sabine", "ole"};
  HWND box = CreateWindowExW(0, L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 100, 100, nullptr, nullptr, nullptr,
                             nullptr);
  for (const auto& name : names) SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
  EXPECT_EQ(InListBoxOrder(names), ListBoxEntries(box));
  DestroyWindow(box);
}

// Windows' automatic option button checks itself and reports a click when it gets
// the focus; Wine's does not. With that emulated, the framework must never be the
// one that chooses an option.
constexpr int kHigh = 101, kLow = 102, kOk = 103;
constexpr ControlSpec kControls[] = {
    {kHigh, ControlKind::OptionButton, "hoch", 120, 120, 2000, 375},
    {kLow, ControlKind::OptionButton, "niedrig", 120, 500, 2000, 375},
    {kOk, ControlKind::Button, "OK", 120, 1000, 1200, 375},
};

WNDPROC buttonProc = nullptr;

LRESULT CALLBACK AutoRadioAsOnWindows(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = CallWindowProcW(buttonProc, button, message, wParam, lParam);
  if (message == WM_SETFOCUS && SendMessageW(button, BM_GETCHECK, 0, 0) != BST_CHECKED) {
    SendMessageW(button, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
  }
  return result;
}

class ChoiceForm final : public Form {
 public:
  int choices = 0;
  bool failing = false;

 protected:
  FormSpec Spec() const override {
    return {.caption = "Auswahl", .clientWidth = 2400, .clientHeight = 1600, .defaultButton = kOk};
  }
  std::span<const ControlSpec> Controls() const override { return kControls; }
  void OnCommand(int id, int code) override { choices += code == BN_CLICKED && id != kOk; }
  void OnLoad() override {
    if (failing) throw std::runtime_error("Datei kaputt");
  }
};

TEST(Platform, AFailureWhileAFormLoadsReachesTheCodeThatLoadsIt) {
  ChoiceForm form;
  form.failing = true;
  EXPECT_THROW(form.Load(), std::runtime_error);
  form.Unload();
  EXPECT_FALSE(form.IsLoaded());
}

TEST(OptionFocus, NeitherTheFirstFocusNorTheFocusRestoredOnActivationChoosesAnOption) {
  ChoiceForm form;
  ASSERT_TRUE(form.Load());
  for (int id : {kHigh, kLow})
    buttonProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form.Control(id), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AutoRadioAsOnWindows)));
  form.Show();
  Pump();
  EXPECT_EQ(GetFocus(), form.Control(kOk));
  EXPECT_EQ(form.choices, 0);

  // The user's choice counts; the program then clears it while the focus stays.
  form.FocusControl(kLow);
  EXPECT_EQ(form.choices, 1);
  form.SetChecked(kLow, false);
  HWND other = CreateWindowExW(0, L"STATIC", L"anderes Programm", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                               nullptr, nullptr, nullptr, nullptr);
  for (HWND front : {other, form.Window()}) {
    SetForegroundWindow(front);
    Pump();
  }
  DestroyWindow(other);
  EXPECT_EQ(form.choices, 1);
  EXPECT_FALSE(form.IsChecked(kHigh) || form.IsChecked(kLow));
}

}  // namespace
}  // namespace lirabo::test
