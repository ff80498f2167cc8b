#pragma once
// Test doubles for the ports. The file fake keeps files in memory and applies the
// share-mode rules of CreateFile, so that sharing conflicts, access denials and
// failing writes can be staged without a Windows machine; it can also fail its n-th
// call, which the fault walk uses.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/clock_port.h"
#include "common/crypto_port.h"
#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"
#include "common/text.h"
#include "menu/desktop_port.h"
#include "menu/menu_startup.h"
#include "menu/menu_texts.h"

namespace lirabo::fake {

inline SysError Error(std::uint32_t code) {
  return {code, "Systemfehler " + std::to_string(code)};
}
using Texts = std::vector<std::string>;
inline const std::vector<unsigned> kRetryWaits = {500, 1000, 1500};

class FakeFiles final : public FilePort {
 public:
  void Put(const std::string& path, const std::string& bytes) {
    for (std::string p = Parent(path); !p.empty(); p = Parent(p))
      directories_.insert(UpperCase(p));
    names_[UpperCase(path)] = path;
    files_[UpperCase(path)] = bytes;
  }
  std::string Get(const std::string& path) const {
    auto it = files_.find(UpperCase(path));
    return it == files_.end() ? std::string() : it->second;
  }
  bool Has(const std::string& path) const {
    return files_.count(UpperCase(path)) != 0;
  }
  void AddDirectory(const std::string& path) {
    Put(path + "\\x", "");
    files_.erase(UpperCase(path + "\\x"));
  }
  void SetReadOnly(const std::string& path) {
    readOnly_.insert(UpperCase(path));
  }
  // A folder in which nothing may be created or removed.
  void ProtectFolder(const std::string& path) {
    protected_.insert(UpperCase(path));
  }
  // Another process holding the file open, until the returned token is dropped.
  std::shared_ptr<void> HoldByOther(const std::string& path, FileAccess access, FileShare share) {
    auto token = std::make_shared<int>(0);
    opens_[UpperCase(path)].push_back({token, access, share});
    return token;
  }
  // Call number `call` (from 1, counting every call but the existence checks) fails
  // with `code`; a failing write first writes half its bytes, as a full disk does.
  void FailCall(int call, std::uint32_t code) {
    failAt_ = call;
    failCode_ = code;
  }
  SysError Next() {
    ++calls;
    return calls == failAt_ ? Error(failCode_) : SysError{};
  }
  int calls = 0;
  std::uint32_t failWrites = 0;  // every write writes half its bytes and fails with it

  bool FileExists(const std::string& path) override {
    return Has(path);
  }
  bool DirectoryExists(const std::string& path) override {
    return directories_.count(UpperCase(path)) != 0;
  }
  SysError MakeDirectory(const std::string& path) override {
    if (SysError e = Next())
      return e;
    if (DirectoryExists(path) || Has(path))
      return Error(win_error::kAlreadyExists);
    if (!DirectoryExists(Parent(path)))
      return Error(win_error::kPathNotFound);
    if (protected_.count(UpperCase(Parent(path))))
      return Error(win_error::kAccessDenied);
    directories_.insert(UpperCase(path));
    return {};
  }
  SysError RemoveFile(const std::string& path) override {
    if (SysError e = Next())
      return e;
    if (!Has(path))
      return Error(win_error::kFileNotFound);
    if (protected_.count(UpperCase(Parent(path))) || readOnly_.count(UpperCase(path)))
      return Error(win_error::kAccessDenied);
    if (IsOpen(path))
      return Error(win_error::kSharingViolation);
    files_.erase(UpperCase(path));
    return {};
  }
  // Like MoveFileEx after the port cleared the target's attributes.
  SysError RenameReplacing(const std::string& from, const std::string& to) override {
    if (SysError e = Next())
      return e;
    if (!Has(from))
      return Error(win_error::kFileNotFound);
    if (IsOpen(from) || IsOpen(to))
      return Error(win_error::kSharingViolation);
    if (protected_.count(UpperCase(Parent(to))))
      return Error(win_error::kAccessDenied);
    std::string bytes = Get(from);
    files_.erase(UpperCase(from));
    readOnly_.erase(UpperCase(to));
    Put(to, bytes);
    return {};
  }
  Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                            FileCreation creation) override;
  Expected<std::vector<std::string>> ListFiles(const std::string& folder, std::string_view extension) override {
    if (SysError e = Next())
      return e;
    if (!DirectoryExists(folder))
      return Error(win_error::kPathNotFound);
    std::vector<std::string> names;
    const std::string prefix = UpperCase(folder) + "\\";
    for (const auto& [key, bytes] : files_) {
      if (key.starts_with(prefix) && key.find('\\', prefix.size()) == std::string::npos &&
          key.ends_with(UpperCase(extension)))
        names.push_back(names_[key].substr(prefix.size()));
    }
    return names;
  }

  std::map<std::string, std::string> files_;

 private:
  friend class FakeOpenFile;
  struct Holder {
    std::weak_ptr<void> alive;
    FileAccess access;
    FileShare share;
  };
  static std::string Parent(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }
  static bool Has(auto set, auto bit) {
    return (static_cast<unsigned>(set) & static_cast<unsigned>(bit)) != 0;
  }
  std::vector<Holder>& Holders(const std::string& path) {
    auto& list = opens_[UpperCase(path)];
    std::erase_if(list, [](const Holder& h) { return h.alive.expired(); });
    return list;
  }
  bool IsOpen(const std::string& path) {
    return !Holders(path).empty();
  }

  std::set<std::string> directories_, protected_, readOnly_;
  std::map<std::string, std::string> names_;
  std::map<std::string, std::vector<Holder>> opens_;
  int failAt_ = 0;
  std::uint32_t failCode_ = 0;
};

class FakeOpenFile final : public OpenFile {
 public:
  FakeOpenFile(FakeFiles& files, std::string key, std::shared_ptr<void> token)
      : files_(files), bytes_(files.files_[key]), token_(std::move(token)) {}
  Expected<std::string> ReadAll() override {
    if (SysError e = files_.Next())
      return e;
    return bytes_;
  }
  Expected<std::uint64_t> Size() override {
    if (SysError e = files_.Next())
      return e;
    return std::uint64_t{bytes_.size()};
  }
  SysError WriteAt(std::uint64_t offset, std::string_view bytes) override {
    SysError e = files_.Next();
    if (!e && files_.failWrites)
      e = Error(files_.failWrites);
    if (e)
      bytes = bytes.substr(0, bytes.size() / 2);
    if (bytes_.size() < offset + bytes.size())
      bytes_.resize(offset + bytes.size(), '\0');
    bytes_.replace(offset, bytes.size(), bytes);
    return e;
  }
  SysError Truncate(std::uint64_t size) override {
    if (SysError e = files_.Next())
      return e;
    bytes_.resize(size);
    return {};
  }
  SysError Flush() override {
    return files_.Next();
  }

 private:
  FakeFiles& files_;
  std::string& bytes_;
  std::shared_ptr<void> token_;
};

inline Expected<FileHandle> FakeFiles::Open(const std::string& path, FileAccess access, FileShare share,
                                            FileCreation creation) {
  if (SysError e = Next())
    return e;
  if (!DirectoryExists(Parent(path)))
    return Error(win_error::kPathNotFound);
  const bool exists = Has(path);
  const bool writes = Has(access, FileAccess::Write);
  if (!exists && creation == FileCreation::OpenExisting)
    return Error(win_error::kFileNotFound);
  if ((writes && readOnly_.count(UpperCase(path))) || (!exists && protected_.count(UpperCase(Parent(path)))))
    return Error(win_error::kAccessDenied);
  for (const Holder& other : Holders(path)) {
    if ((Has(access, FileAccess::Read) && !Has(other.share, FileShare::Read)) ||
        (writes && !Has(other.share, FileShare::Write)) ||
        (Has(other.access, FileAccess::Read) && !Has(share, FileShare::Read)) ||
        (Has(other.access, FileAccess::Write) && !Has(share, FileShare::Write)))
      return Error(win_error::kSharingViolation);
  }
  if (!exists || creation == FileCreation::CreateOrTruncate)
    Put(path, "");
  auto token = HoldByOther(path, access, share);
  return FileHandle(std::make_unique<FakeOpenFile>(*this, UpperCase(path), token));
}

class FakeSystem final : public SystemPort {
 public:
  std::string applicationPath = "C:\\Lirabo";
  std::set<std::string> runningProcesses;
  bool previousInstance = false, nt6 = true, startSucceeds = true;
  std::vector<unsigned> sleeps;
  std::vector<std::string> started, activated;
  std::vector<int> specialFolderCalls;

  std::string ApplicationPath() override {
    return applicationPath;
  }
  std::string GetSpecialFolder(int csidl, bool create, bool verify) override {
    specialFolderCalls.push_back(csidl | (create ? 0x8000 : 0) | (verify ? 0 : 0x4000));
    return "C:\\Users\\Lehrer\\AppData\\Roaming";
  }
  bool IsProcessRunning(const std::string& name) override {
    for (const auto& p : runningProcesses)
      if (UpperCase(p).find(UpperCase(name)) != std::string::npos)
        return true;
    return false;
  }
  bool IsNt6OrLater() override {
    return nt6;
  }
  void Sleep(unsigned ms) override {
    sleeps.push_back(ms);
  }
  bool StartProcess(const std::string& commandLine) override {
    started.push_back(commandLine);
    return startSucceeds;
  }
  bool IsPreviousInstanceRunning() override {
    return previousInstance;
  }
  void ActivateWindowTitled(const std::string& title) override {
    activated.push_back(title);
  }
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
    if (answers.empty())
      return MsgAnswer::Ok;
    MsgAnswer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  Texts Take() {
    Texts t;
    for (const auto& s : shown)
      t.push_back(s.text);
    shown.clear();
    return t;
  }
};

// Not PBKDF2, but as deterministic: a change in password, salt or count changes the key.
class FakeCrypto final : public CryptoPort {
 public:
  std::vector<std::pair<std::string, std::uint32_t>> derivations;
  std::optional<SysError> failure;  // every call fails with it when set

  Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt, std::uint32_t iterations,
                                           std::size_t length) override {
    if (failure)
      return *failure;
    derivations.push_back({std::string(password), iterations});
    std::string seed = std::string(password) + '\0' + std::string(salt) + '\0' + std::to_string(iterations), out;
    for (std::size_t i = 0; i < length; ++i)
      out.push_back(static_cast<char>(std::hash<std::string>{}(seed + char(i))));
    return out;
  }
  Expected<std::string> RandomBytes(std::size_t count) override {
    if (failure)
      return *failure;
    std::string out;
    for (std::size_t i = 0; i < count; ++i)
      out.push_back(static_cast<char>(next_++));
    return out;
  }

 private:
  unsigned char next_ = 0;
};

class FakeClock final : public ClockPort {
 public:
  std::chrono::milliseconds now{123456};
  std::chrono::milliseconds Now() override {
    return now;
  }
};

// The menu's desktop and windows, recording in one list what start-up and shutdown do.
class FakeDesktop final : public DesktopPort, public MenuWindows {
 public:
  PixelSize screen{1024, 768};
  int testAnswer = kDispChangeSuccessful;
  std::vector<std::string> calls;
  std::string caption = texts::kMenuCaption, greeting;
  bool minimizeBox = false, background = false, switchedBackground = false;
  int nameEntries = 0;

  PixelSize ScreenSize() override {
    return screen;
  }
  int TestDisplayMode(PixelSize s) override {
    calls.push_back("test " + Size(s));
    return testAnswer;
  }
  int SwitchDisplayMode(PixelSize s, bool temporary) override {
    calls.push_back((temporary ? "switch " : "restore ") + Size(s));
    screen = s;
    return kDispChangeSuccessful;
  }
  void SetTaskbarVisible(bool visible) override {
    calls.push_back(visible ? "taskbar shown" : "taskbar hidden");
  }
  PixelRect WorkArea() override {
    return {0, 0, 1024, 748};
  }
  std::string MenuCaption() override {
    return caption;
  }
  void SetMenuCaption(const std::string& c) override {
    caption = c;
  }
  void SetGreeting(const std::string& text) override {
    greeting = text;
  }
  void ShowNameButton() override {}
  void AddMinimizeBox() override {
    minimizeBox = true;
  }
  void ShowBackground(bool switched) override {
    background = true;
    switchedBackground = switched;
    calls.push_back("background shown");
  }
  bool IsBackgroundLoaded() override {
    return background;
  }
  void UnloadBackground() override {
    background = false;
    calls.push_back("background unloaded");
  }
  void OpenNameEntry() override {
    ++nameEntries;
  }

 private:
  static std::string Size(PixelSize s) {
    return std::to_string(s.width) + "x" + std::to_string(s.height);
  }
};

}  // namespace lirabo::fake
