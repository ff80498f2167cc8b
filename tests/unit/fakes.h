#pragma once
// Test doubles for the ports. The file fake keeps files in memory and applies the
// share-mode rules of CreateFile, so that sharing conflicts, access denials and
// failing writes can be staged without a Windows machine.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
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

inline SysError Error(std::uint32_t code) { return {code, "Systemfehler " + std::to_string(code)}; }

class FakeFiles final : public FilePort {
 public:
  struct Node {
    std::string bytes;
    bool readOnly = false;
  };
  struct OpenRecord {
    FileAccess access;
    FileShare share;
  };

  // Staging.
  void Put(const std::string& path, const std::string& bytes) {
    AddParents(path);
    files_[Key(path)].bytes = bytes;
  }
  std::string Get(const std::string& path) const {
    auto it = files_.find(Key(path));
    return it == files_.end() ? std::string() : it->second.bytes;
  }
  bool Has(const std::string& path) const { return files_.count(Key(path)) != 0; }
  void AddDirectory(const std::string& path) {
    AddParents(path + "\\x");
  }
  void SetReadOnly(const std::string& path, bool readOnly = true) { files_[Key(path)].readOnly = readOnly; }
  // A folder in which nothing may be created or removed.
  void ProtectFolder(const std::string& path) { protected_.insert(Key(path)); }
  // Writes fail with a full disk once this many more bytes have been written.
  void FailWritesAfter(std::uint64_t bytes) { writeBudget_ = bytes; }
  // Simulates another process holding the file open.
  std::shared_ptr<void> HoldByOther(const std::string& path, FileAccess access, FileShare share) {
    auto id = std::make_shared<int>(0);
    opens_[Key(path)].push_back({id, {access, share}});
    return id;
  }
  int OpenCalls(const std::string& path) const {
    auto it = openCalls_.find(Key(path));
    return it == openCalls_.end() ? 0 : it->second;
  }
  int OpenHandles(const std::string& path) {
    Prune(Key(path));
    return static_cast<int>(opens_[Key(path)].size());
  }

  // FilePort
  bool FileExists(const std::string& path) override { return files_.count(Key(path)) != 0; }
  bool DirectoryExists(const std::string& path) override { return directories_.count(Key(path)) != 0; }
  SysError MakeDirectory(const std::string& path) override {
    if (directories_.count(Key(path)) || files_.count(Key(path))) return Error(183);  // ERROR_ALREADY_EXISTS, as CreateDirectoryW
    if (!directories_.count(Key(Parent(path)))) return Error(win_error::kPathNotFound);
    if (protected_.count(Key(Parent(path)))) return Error(win_error::kAccessDenied);
    directories_.insert(Key(path));
    return {};
  }
  SysError RemoveFile(const std::string& path) override {
    std::string key = Key(path);
    if (!files_.count(key)) return Error(win_error::kFileNotFound);
    if (protected_.count(Key(Parent(path))) || files_[key].readOnly) return Error(win_error::kAccessDenied);
    Prune(key);
    if (!opens_[key].empty()) return Error(win_error::kSharingViolation);
    files_.erase(key);
    return {};
  }
  // Like ReplaceFileW: the target is replaced unless someone has it (or the source)
  // open, it is write-protected and not to be healed, or the folder is protected.
  SysError RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) override {
    std::string source = Key(from), target = Key(to);
    if (!files_.count(source)) return Error(win_error::kFileNotFound);
    if (files_.count(target) && files_[target].readOnly && readOnly == ReadOnlyFile::Respect)
      return Error(win_error::kAccessDenied);
    Prune(source);
    Prune(target);
    if (!opens_[source].empty() || !opens_[target].empty()) return Error(win_error::kSharingViolation);
    if (protected_.count(Key(Parent(to)))) return Error(win_error::kAccessDenied);
    std::string bytes = files_[source].bytes;
    files_.erase(source);
    Put(to, bytes);
    files_[target].readOnly = false;
    return {};
  }
  Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                            FileCreation creation) override;
  Expected<std::vector<std::string>> ListFiles(const std::string& folder, std::string_view extension) override {
    if (!directories_.count(Key(folder))) return Error(win_error::kPathNotFound);
    std::vector<std::string> names;
    std::string prefix = Key(folder) + "\\";
    std::string ext = UpperCase(extension);
    for (const auto& [key, node] : files_) {
      if (key.rfind(prefix, 0) != 0 || key.find('\\', prefix.size()) != std::string::npos) continue;
      std::string name = original_[key].substr(prefix.size());
      if (key.size() > prefix.size() + ext.size() && key.substr(key.size() - ext.size()) == ext)
        names.push_back(name);
    }
    return names;
  }

  // Flushing an open file fails (a disconnected share).
  bool failFlush = false;

  // Used by the open files.
  std::map<std::string, Node> files_;
  std::optional<std::uint64_t> writeBudget_;

 private:
  friend class FakeOpenFile;
  static std::string Key(const std::string& path) { return UpperCase(path); }
  static std::string Parent(const std::string& path) {
    auto slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
  }
  void AddParents(const std::string& path) {
    original_[Key(path)] = path;
    for (std::string p = Parent(path); !p.empty(); p = Parent(p)) directories_.insert(Key(p));
  }
  void Prune(const std::string& key) {
    auto& list = opens_[key];
    std::vector<std::pair<std::weak_ptr<void>, OpenRecord>> alive;
    for (auto& entry : list)
      if (!entry.first.expired()) alive.push_back(entry);
    list = alive;
  }

  std::set<std::string> directories_;
  std::set<std::string> protected_;
  std::map<std::string, std::string> original_;
  std::map<std::string, std::vector<std::pair<std::weak_ptr<void>, OpenRecord>>> opens_;
  std::map<std::string, int> openCalls_;
};

class FakeOpenFile final : public OpenFile {
 public:
  FakeOpenFile(FakeFiles& files, std::string key, std::shared_ptr<void> token)
      : files_(files), key_(std::move(key)), token_(std::move(token)) {}
  Expected<std::string> ReadAll() override { return files_.files_[key_].bytes; }
  Expected<std::uint64_t> Size() override { return static_cast<std::uint64_t>(files_.files_[key_].bytes.size()); }
  SysError WriteAt(std::uint64_t offset, std::string_view bytes) override {
    std::string& data = files_.files_[key_].bytes;
    std::size_t n = bytes.size();
    bool full = false;
    if (files_.writeBudget_) {
      if (*files_.writeBudget_ < n) {
        n = static_cast<std::size_t>(*files_.writeBudget_);
        full = true;
      }
      *files_.writeBudget_ -= n;
    }
    if (data.size() < offset + n) data.resize(static_cast<std::size_t>(offset + n), '\0');
    data.replace(static_cast<std::size_t>(offset), n, bytes.substr(0, n));
    return full ? Error(win_error::kDiskFull) : SysError{};
  }
  SysError Truncate(std::uint64_t size) override {
    files_.files_[key_].bytes.resize(static_cast<std::size_t>(size));
    return {};
  }
  SysError Flush() override { return files_.failFlush ? Error(win_error::kDiskFull) : SysError{}; }

 private:
  FakeFiles& files_;
  std::string key_;
  std::shared_ptr<void> token_;
};

inline Expected<FileHandle> FakeFiles::Open(const std::string& path, FileAccess access, FileShare share,
                                            FileCreation creation) {
  std::string key = Key(path);
  ++openCalls_[key];
  if (!directories_.count(Key(Parent(path)))) return Error(win_error::kPathNotFound);
  bool exists = files_.count(key) != 0;
  if (!exists && creation == FileCreation::OpenExisting) return Error(win_error::kFileNotFound);
  auto has = [](auto set, auto bit) { return (static_cast<unsigned>(set) & static_cast<unsigned>(bit)) != 0; };
  bool writes = has(access, FileAccess::Write);
  if (writes && exists && files_[key].readOnly) return Error(win_error::kAccessDenied);
  if (!exists && protected_.count(Key(Parent(path)))) return Error(win_error::kAccessDenied);
  Prune(key);
  for (const auto& [token, other] : opens_[key]) {
    bool conflict = (has(access, FileAccess::Read) && !has(other.share, FileShare::Read)) ||
                    (writes && !has(other.share, FileShare::Write)) ||
                    (has(other.access, FileAccess::Read) && !has(share, FileShare::Read)) ||
                    (has(other.access, FileAccess::Write) && !has(share, FileShare::Write));
    if (conflict) return Error(win_error::kSharingViolation);
  }
  if (!exists) Put(path, "");
  if (creation == FileCreation::CreateOrTruncate) files_[key].bytes.clear();
  auto token = std::make_shared<int>(0);
  opens_[key].push_back({token, {access, share}});
  return FileHandle(std::make_unique<FakeOpenFile>(*this, key, token));
}

class FakeSystem final : public SystemPort {
 public:
  std::string applicationPath = "C:\\Lirabo";
  std::string appData = "C:\\Users\\Lehrer\\AppData\\Roaming";
  std::set<std::string> runningProcesses;
  bool previousInstance = false;
  bool nt6 = true;
  bool startSucceeds = true;
  std::vector<unsigned> sleeps;
  std::vector<std::string> started;
  std::vector<std::string> activated;
  std::vector<int> specialFolderCalls;

  std::string ApplicationPath() override { return applicationPath; }
  std::string GetSpecialFolder(int csidl, bool create, bool verify) override {
    specialFolderCalls.push_back(csidl | (create ? 0x8000 : 0) | (verify ? 0 : 0x4000));
    return appData;
  }
  bool IsProcessRunning(const std::string& name) override {
    for (const auto& p : runningProcesses)
      if (UpperCase(p).find(UpperCase(name)) != std::string::npos) return true;
    return false;
  }
  bool IsNt6OrLater() override { return nt6; }
  void Sleep(unsigned ms) override { sleeps.push_back(ms); }
  bool StartProcess(const std::string& commandLine) override {
    started.push_back(commandLine);
    return startSucceeds;
  }
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
    if (answers.empty()) return MsgAnswer::Ok;
    MsgAnswer a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const auto& s : shown) t.push_back(s.text);
    return t;
  }
};

// Not PBKDF2, but as deterministic: the same password, salt and count give the same
// bytes, and a change in any of them changes the bytes. Random bytes count up, so
// no two salts are alike.
class FakeCrypto final : public CryptoPort {
 public:
  struct Derivation {
    std::string password;
    std::uint32_t iterations;
  };
  std::vector<Derivation> derivations;
  std::optional<SysError> failure;  // every call fails with it when set

  Expected<std::string> DerivePbkdf2Sha256(std::string_view password, std::string_view salt,
                                           std::uint32_t iterations, std::size_t length) override {
    if (failure) return *failure;
    derivations.push_back({std::string(password), iterations});
    std::uint64_t h = 1469598103934665603ull;
    auto mix = [&h](std::string_view bytes) {
      for (char c : bytes) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
      h = (h ^ 0xFF) * 1099511628211ull;  // a field separator
    };
    mix(password);
    mix(salt);
    mix(std::to_string(iterations));
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
      h = (h ^ i) * 1099511628211ull;
      out.push_back(static_cast<char>(h >> 56));
    }
    return out;
  }
  Expected<std::string> RandomBytes(std::size_t count) override {
    if (failure) return *failure;
    std::string out;
    for (std::size_t i = 0; i < count; ++i) out.push_back(static_cast<char>(next_++));
    return out;
  }

 private:
  unsigned char next_ = 0;
};

class FakeClock final : public ClockPort {
 public:
  std::chrono::milliseconds now{123456};
  std::chrono::milliseconds wall{1800000000000};
  std::chrono::milliseconds Now() override { return now; }
  std::chrono::milliseconds WallNow() override { return wall; }
};

// The menu's desktop and windows, recording what start-up and shutdown do.
class FakeDesktop final : public DesktopPort {
 public:
  PixelSize screen{1024, 768};
  PixelRect workArea{0, 0, 1024, 748};
  int testAnswer = kDispChangeSuccessful;
  std::vector<std::string> calls;

  PixelSize ScreenSize() override { return screen; }
  int TestDisplayMode(PixelSize size) override {
    calls.push_back("test " + std::to_string(size.width) + "x" + std::to_string(size.height));
    return testAnswer;
  }
  int SwitchDisplayMode(PixelSize size, bool temporary) override {
    calls.push_back(std::string(temporary ? "switch " : "restore ") + std::to_string(size.width) + "x" +
                    std::to_string(size.height));
    screen = size;
    return kDispChangeSuccessful;
  }
  void SetTaskbarVisible(bool visible) override { calls.push_back(visible ? "taskbar shown" : "taskbar hidden"); }
  PixelRect WorkArea() override { return workArea; }
};

class FakeWindows final : public MenuWindows {
 public:
  std::string caption = texts::kMenuCaption;
  std::string greeting;
  bool nameButton = false;
  bool minimizeBox = false;
  bool background = false;
  bool backgroundAtSwitchedDisplay = false;
  int nameEntries = 0;
  std::vector<std::string>* log = nullptr;

  std::string MenuCaption() override { return caption; }
  void SetMenuCaption(const std::string& c) override { caption = c; }
  void SetGreeting(const std::string& text) override { greeting = text; }
  void ShowNameButton() override { nameButton = true; }
  void AddMinimizeBox() override { minimizeBox = true; }
  void ShowBackground(bool switched) override {
    background = true;
    backgroundAtSwitchedDisplay = switched;
    if (log) log->push_back("background shown");
  }
  bool IsBackgroundLoaded() override { return background; }
  void UnloadBackground() override {
    background = false;
    if (log) log->push_back("background unloaded");
  }
  void OpenNameEntry() override { ++nameEntries; }
};

}  // namespace lirabo::fake
