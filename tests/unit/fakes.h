#pragma once
// Test doubles for the ports, and one world of them that every test starts from. The file
// fake keeps files in memory and applies the share-mode rules of CreateFile, so that sharing
// conflicts, access denials and failing writes can be staged without a Windows machine; it
// can also fail its n-th call, which the fault walk uses.
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/clock_port.h"
#include "common/crypto_port.h"
#include "common/text.h"
#include "menu/menu_startup.h"
#include "menu/menu_texts.h"
#include "records/name_register.h"

namespace lirabo::fake {

using Texts = std::vector<std::string>;
inline const std::string kApp = "C:\\Lirabo", kSettings = "C:\\Users\\Lehrer\\AppData\\Roaming\\DE Zuzururu\\Lirabo";
inline const std::vector<unsigned> kRetryWaits = {500, 1000, 1500};

inline SysError Error(std::uint32_t code) { return {code, "Systemfehler " + std::to_string(code)}; }
// Paths compare as Windows compares them: without regard to case.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return UpperCase(a) < UpperCase(b); }
};
inline std::string Parent(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
inline bool Has(auto set, auto bit) { return (static_cast<unsigned>(set) & static_cast<unsigned>(bit)) != 0; }

class FakeFiles final : public FilePort {
 public:
  void Put(const std::string& path, const std::string& bytes) {
    for (std::string p = Parent(path); !p.empty(); p = Parent(p)) directories_.insert(p);
    files_.insert_or_assign(path, bytes);  // a file keeps the case of its first name
  }
  std::string Get(const std::string& path) const { return files_.contains(path) ? files_.at(path) : std::string(); }
  void AddDirectory(const std::string& path) {
    Put(path + "\\x", "");
    files_.erase(path + "\\x");
  }
  // A read-only file, or a folder in which nothing may be created or removed.
  void Deny(const std::string& path) { denied_.insert(path); }
  // Another process holding the file open, until the returned token is dropped.
  std::shared_ptr<void> HoldByOther(const std::string& path, FileAccess access, FileShare share) {
    auto token = std::make_shared<int>(0);
    opens_[path].push_back({token, access, share});
    return token;
  }
  // Call number `call` (from 1, counting every call but the existence checks) fails
  // with `code`; a failing write first writes half its bytes, as a full disk does.
  void FailCall(int call, std::uint32_t code) {
    failAt_ = call;
    failCode_ = code;
  }
  SysError Next() { return ++calls == failAt_ ? Error(failCode_) : SysError{}; }
  // A call's error as Windows checks it: the injected fault first, then the first rule broken.
  SysError Check(std::initializer_list<std::pair<bool, std::uint32_t>> rules) {
    SysError e = Next();
    for (auto [broken, code] : rules) e = e ? e : broken ? Error(code) : e;
    return e;
  }
  int calls = 0;
  std::map<std::string, std::string, NoCase> files_;

  bool FileExists(const std::string& path) override { return files_.contains(path); }
  bool DirectoryExists(const std::string& path) override { return directories_.contains(path); }
  SysError MakeDirectory(const std::string& path) override {
    SysError e = Check({{DirectoryExists(path) || FileExists(path), 183},
                        {!DirectoryExists(Parent(path)), win_error::kPathNotFound},
                        {denied_.contains(Parent(path)), win_error::kAccessDenied}});
    if (!e) directories_.insert(path);
    return e;
  }
  SysError RemoveFile(const std::string& path) override {
    SysError e = Check({{!FileExists(path), win_error::kFileNotFound},
                        {denied_.contains(Parent(path)) || denied_.contains(path), win_error::kAccessDenied},
                        {!Holders(path).empty(), win_error::kSharingViolation}});
    if (!e) files_.erase(path);
    return e;
  }
  // Like ReplaceFileW: a write-protected target stays so unless it is to heal.
  SysError RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) override {
    const bool keptReadOnly = denied_.contains(to) && readOnly == ReadOnlyFile::Respect;
    SysError e = Check({{!FileExists(from), win_error::kFileNotFound},
                        {!Holders(from).empty() || !Holders(to).empty(), win_error::kSharingViolation},
                        {denied_.contains(Parent(to)) || keptReadOnly, win_error::kAccessDenied}});
    if (e) return e;
    denied_.erase(to);
    Put(to, Get(from));
    files_.erase(from);
    return {};
  }
  Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                            FileCreation creation) override;
  Expected<std::vector<std::string>> ListFiles(const std::string& folder, std::string_view extension) override {
    if (SysError e = Check({{!DirectoryExists(folder), win_error::kPathNotFound}})) return e;
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files_)
      if (!NoCase{}(Parent(path), folder) && !NoCase{}(folder, Parent(path)) &&
          UpperCase(path).ends_with(UpperCase(extension)))
        names.push_back(path.substr(folder.size() + 1));
    return names;
  }

 private:
  struct Holder {
    std::weak_ptr<void> alive;
    FileAccess access;
    FileShare share;
  };
  std::vector<Holder>& Holders(const std::string& path) {
    auto& list = opens_[path];
    std::erase_if(list, [](const Holder& h) { return h.alive.expired(); });
    return list;
  }

  std::set<std::string, NoCase> directories_, denied_;
  std::map<std::string, std::vector<Holder>, NoCase> opens_;
  int failAt_ = 0;
  std::uint32_t failCode_ = 0;
};

class FakeOpenFile final : public OpenFile {
 public:
  FakeOpenFile(FakeFiles& files, std::string& bytes, std::shared_ptr<void> token)
      : files_(files), bytes_(bytes), token_(std::move(token)) {}
  Expected<std::string> ReadAll() override {
    if (SysError e = files_.Next()) return e;
    return bytes_;
  }
  Expected<std::uint64_t> Size() override {
    if (SysError e = files_.Next()) return e;
    return std::uint64_t{bytes_.size()};
  }
  SysError WriteAt(std::uint64_t offset, std::string_view bytes) override {
    SysError e = files_.Next();
    if (e) bytes = bytes.substr(0, bytes.size() / 2);
    if (bytes_.size() < offset + bytes.size()) bytes_.resize(offset + bytes.size(), '\0');
    bytes_.replace(offset, bytes.size(), bytes);
    return e;
  }
  SysError Truncate(std::uint64_t size) override {
    SysError e = files_.Next();
    if (!e) bytes_.resize(size);
    return e;
  }
  SysError Flush() override { return files_.Next(); }

 private:
  FakeFiles& files_;
  std::string& bytes_;
  std::shared_ptr<void> token_;
};

inline Expected<FileHandle> FakeFiles::Open(const std::string& path, FileAccess access, FileShare share,
                                            FileCreation creation) {
  const bool exists = FileExists(path), writes = Has(access, FileAccess::Write);
  SysError e =
      Check({{!DirectoryExists(Parent(path)), win_error::kPathNotFound},
             {!exists && creation == FileCreation::OpenExisting, win_error::kFileNotFound},
             {exists ? writes && denied_.contains(path) : denied_.contains(Parent(path)), win_error::kAccessDenied}});
  for (const Holder& other : Holders(path))
    if ((Has(access, FileAccess::Read) && !Has(other.share, FileShare::Read)) ||
        (writes && !Has(other.share, FileShare::Write)) ||
        (Has(other.access, FileAccess::Read) && !Has(share, FileShare::Read)) ||
        (Has(other.access, FileAccess::Write) && !Has(share, FileShare::Write)))
      e = e ? e : Error(win_error::kSharingViolation);
  if (e) return e;
  if (!exists || creation == FileCreation::CreateOrTruncate) Put(path, "");
  return FileHandle(std::make_unique<FakeOpenFile>(*this, files_.find(path)->second, HoldByOther(path, access, share)));
}

class FakeSystem final : public SystemPort {
 public:
  std::string applicationPath = kApp, running;
  bool previousInstance = false, nt6 = true;
  std::vector<unsigned> sleeps;
  Texts activated;

  std::string ApplicationPath() override { return applicationPath; }
  std::string GetSpecialFolder(int, bool, bool) override { return Parent(Parent(kSettings)); }
  bool IsProcessRunning(const std::string& name) override {
    return UpperCase(running).find(UpperCase(name)) != std::string::npos;
  }
  bool IsNt6OrLater() override { return nt6; }
  void Sleep(unsigned ms) override { sleeps.push_back(ms); }
  bool StartProcess(const std::string&) override { return true; }
  bool IsPreviousInstanceRunning() override { return previousInstance; }
  void ActivateWindowTitled(const std::string& title) override { activated.push_back(title); }
};

class FakeMessages final : public MessagePort {
 public:
  struct Shown {
    std::string text;
    MsgButtons buttons;
    MsgIcon icon;
    std::string title;
  };
  std::vector<Shown> shown;
  std::vector<MsgAnswer> answers;  // given in order; Ok when none is left

  MsgAnswer Show(const std::string& text, MsgButtons buttons, MsgIcon icon, const std::string& title) override {
    shown.push_back({text, buttons, icon, title});
    const MsgAnswer a = answers.empty() ? MsgAnswer::Ok : answers.front();
    if (!answers.empty()) answers.erase(answers.begin());
    return a;
  }
  Texts Take() {
    Texts t;
    for (const auto& s : shown) t.push_back(s.text);
    shown.clear();
    return t;
  }
};

// Not PBKDF2, but as deterministic: a change in password, salt or count changes the key.
class FakeCrypto final : public CryptoPort {
 public:
  std::vector<std::pair<std::string, std::uint32_t>> derivations;
  SysError failure;  // every call fails with it when set

  Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                                           std::size_t length) override {
    if (failure) return failure;
    derivations.push_back({std::string(password), iterations});
    const std::string seed = std::string(password) + '|' + std::string(salt) + '|' + std::to_string(iterations);
    return (std::to_string(std::hash<std::string>{}(seed)) + std::string(length, 'k')).substr(0, length);
  }
  Expected<std::string> RandomBytes(std::size_t count) override {
    return std::string(count, static_cast<char>(++random_));
  }

 private:
  int random_ = 0;
};

class FakeClock final : public ClockPort {
 public:
  std::chrono::milliseconds now{123456}, wall{1800000000000};
  std::chrono::milliseconds Now() override { return now; }
  std::chrono::milliseconds WallNow() override { return wall; }
};

// The menu's desktop and windows, recording in one list what start-up and shutdown do.
class FakeDesktop final : public DesktopPort, public MenuWindows {
 public:
  PixelSize screen{1024, 768};
  int testAnswer = kDispChangeSuccessful;
  Texts calls;
  std::string caption = texts::kMenuCaption, greeting;
  bool background = false;

  PixelSize ScreenSize() override { return screen; }
  int TestDisplayMode(PixelSize s) override {
    calls.push_back("test " + std::to_string(s.width));
    return testAnswer;
  }
  int SwitchDisplayMode(PixelSize s, bool temporary) override {
    calls.push_back((temporary ? "switch " : "restore ") + std::to_string(s.width));
    screen = s;
    return kDispChangeSuccessful;
  }
  void SetTaskbarVisible(bool visible) override { calls.push_back(visible ? "taskbar shown" : "taskbar hidden"); }
  PixelRect WorkArea() override { return {}; }
  std::string MenuCaption() override { return caption; }
  void SetMenuCaption(const std::string& c) override { caption = c; }
  void SetGreeting(const std::string& text) override { greeting = text; }
  void ShowNameButton() override {}
  void AddMinimizeBox() override { calls.push_back("minimize box"); }
  void ShowBackground(bool switched) override {
    background = true;
    calls.push_back(switched ? "background at 640" : "background");
  }
  bool IsBackgroundLoaded() override { return background; }
  void UnloadBackground() override {
    background = false;
    calls.push_back("background unloaded");
  }
  void OpenNameEntry() override { calls.push_back("name entry"); }
};

// Every port faked, an installation in kApp and a Windows user's settings folder in kSettings.
struct World {
  FakeFiles files;
  FakeSystem system;
  FakeMessages messages;
  FakeCrypto crypto;
  FakeClock clock;
  FakeDesktop desktop;
  Services services{files, system, messages};
  MenuPorts menu{services, desktop, desktop};
  MenuState state;
  RecordPaths paths{kSettings, kApp};
  World() {
    files.AddDirectory(kSettings);
    files.AddDirectory(kApp);
  }
};

}  // namespace lirabo::fake
