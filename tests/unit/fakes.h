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
template <class T>
Expected<T> Or(SysError e, T value) {
  return e ? Expected<T>(e) : Expected<T>(std::move(value));
}
// Paths compare as Windows compares them: without regard to case.
struct NoCase {
  bool operator()(const std::string& a, const std::string& b) const { return UpperCase(a) < UpperCase(b); }
};
inline std::string Parent(const std::string& path) {
  const auto slash = path.find_last_of('\\');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}
// FileAccess and FileShare give read and write the same bits.
inline bool Allows(FileShare share, FileAccess access) { return (unsigned(access) & ~unsigned(share)) == 0; }

class FakeFiles final : public FilePort {
 public:
  void Put(const std::string& path, const std::string& bytes) {
    AddDirectory(Parent(path));
    files_.insert_or_assign(path, bytes);  // a file keeps the case of its first name
  }
  std::string Get(const std::string& path) const { return files_.contains(path) ? files_.at(path) : std::string(); }
  void AddDirectory(const std::string& path) {
    for (std::string p = path; !p.empty(); p = Parent(p)) directories_.insert(p);
  }
  // A read-only file, or a folder in which nothing may be created or removed.
  void Deny(const std::string& path) { denied_.insert(path); }
  // Another process holding the file open, until the returned token is dropped.
  std::shared_ptr<void> HoldByOther(const std::string& path, FileAccess access, FileShare share) {
    return opens_[path].emplace_back(Holder{std::make_shared<int>(0), access, share}).token;
  }
  // Call number `call` (from 1, counting every call but the existence checks) fails
  // with `code`; a failing write first writes half its bytes, as a full disk does.
  void FailCall(int call, std::uint32_t code) { fail_ = {call, code}; }
  SysError Next() { return ++calls == fail_.first ? Error(fail_.second) : SysError{}; }
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
                            FileCreation creation) override {
    const bool exists = FileExists(path), writes = !Allows(FileShare::Read, access);
    SysError e =
        Check({{!DirectoryExists(Parent(path)), win_error::kPathNotFound},
               {!exists && creation == FileCreation::OpenExisting, win_error::kFileNotFound},
               {exists ? writes && denied_.contains(path) : denied_.contains(Parent(path)), win_error::kAccessDenied}});
    for (const Holder& other : Holders(path))
      if (!Allows(other.share, access) || !Allows(share, other.access)) e = e ? e : Error(win_error::kSharingViolation);
    if (e) return e;
    if (!exists || creation == FileCreation::CreateOrTruncate) Put(path, "");
    return FileHandle(std::make_unique<Opened>(*this, files_.find(path)->second, HoldByOther(path, access, share)));
  }
  Expected<std::vector<std::string>> ListFiles(const std::string& folder, std::string_view extension) override {
    if (SysError e = Check({{!DirectoryExists(folder), win_error::kPathNotFound}})) return e;
    std::vector<std::string> names;
    for (const auto& [path, bytes] : files_)
      if (UpperCase(Parent(path)) == UpperCase(folder) && UpperCase(path).ends_with(UpperCase(extension)))
        names.push_back(path.substr(folder.size() + 1));
    return names;
  }

 private:
  struct Opened final : OpenFile {
    Opened(FakeFiles& f, std::string& b, std::shared_ptr<void> t) : files(f), bytes(b), token(std::move(t)) {}
    Expected<std::string> ReadAll() override { return Or(files.Next(), bytes); }
    Expected<std::uint64_t> Size() override { return Or(files.Next(), std::uint64_t{bytes.size()}); }
    SysError WriteAt(std::uint64_t offset, std::string_view part) override {
      SysError e = files.Next();
      if (e) part = part.substr(0, part.size() / 2);
      if (bytes.size() < offset + part.size()) bytes.resize(offset + part.size(), '\0');
      bytes.replace(offset, part.size(), part);
      return e;
    }
    SysError Truncate(std::uint64_t size) override {
      SysError e = files.Next();
      if (!e) bytes.resize(size);
      return e;
    }
    SysError Flush() override { return files.Next(); }
    FakeFiles& files;
    std::string& bytes;
    std::shared_ptr<void> token;
  };
  // An open file is held for as long as someone besides this list keeps its token.
  struct Holder {
    std::shared_ptr<void> token;
    FileAccess access;
    FileShare share;
  };
  std::vector<Holder>& Holders(const std::string& path) {
    auto& list = opens_[path];
    std::erase_if(list, [](const Holder& h) { return h.token.use_count() == 1; });
    return list;
  }

  std::set<std::string, NoCase> directories_, denied_;
  std::map<std::string, std::vector<Holder>, NoCase> opens_;
  std::pair<int, std::uint32_t> fail_;
};

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
  SysError failure;  // every call fails with it when set

  Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                                           std::size_t length) override {
    const std::string seed = std::string(password) + '|' + std::string(salt) + '|' + std::to_string(iterations);
    return Or(failure, (std::to_string(std::hash<std::string>{}(seed)) + std::string(length, 'k')).substr(0, length));
  }
  Expected<std::string> RandomBytes(std::size_t count) override { return std::string(count, ++random_); }

 private:
  char random_ = 0;
};

class FakeClock final : public ClockPort {
 public:
  std::chrono::milliseconds now{123456}, wall{1800000000000};
  std::chrono::milliseconds Now() override { return now; }
  std::chrono::milliseconds WallNow() override { return wall; }
};

// The menu's desktop and windows; `calls` records in order what start-up and shutdown do.
class FakeDesktop final : public DesktopPort, public MenuWindows {
 public:
  int testAnswer = kDispChangeSuccessful;
  std::string calls, caption = texts::kMenuCaption, greeting;
  bool background = false;

  int Log(const std::string& call, int result = 0) {
    calls += call + ' ';
    return result;
  }
  PixelSize ScreenSize() override { return {1024, 768}; }
  int TestDisplayMode(PixelSize s) override { return Log("test" + std::to_string(s.width), testAnswer); }
  int SwitchDisplayMode(PixelSize s, bool temporary) override {
    return Log((temporary ? "switch" : "restore") + std::to_string(s.width));
  }
  void SetTaskbarVisible(bool visible) override { Log(visible ? "+taskbar" : "-taskbar"); }
  PixelRect WorkArea() override { return {}; }
  std::string MenuCaption() override { return caption; }
  void SetMenuCaption(const std::string& c) override { caption = c; }
  void SetGreeting(const std::string& text) override { greeting = text; }
  void ShowNameButton() override {}
  void AddMinimizeBox() override { Log("minbox"); }
  void ShowBackground(bool switched) override { background = Log(switched ? "bg640" : "bg", 1); }
  bool IsBackgroundLoaded() override { return background; }
  void UnloadBackground() override { background = Log("-bg"); }
  void OpenNameEntry() override { Log("names"); }
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
    for (const std::string& folder : {kSettings, kApp}) files.AddDirectory(folder);
  }
};

}  // namespace lirabo::fake
