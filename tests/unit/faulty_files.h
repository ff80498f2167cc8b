#pragma once
// A file port that fails one chosen call: it passes every call on to another port
// (the in-memory fake) and counts them, and the n-th call fails with the error
// chosen. A failing write first writes half its bytes, as a full disk does.
#include <memory>
#include <string>

#include "common/file_port.h"
#include "tests/unit/fakes.h"

namespace lirabo::fake {

class FaultyFiles final : public FilePort {
 public:
  explicit FaultyFiles(FilePort& inner) : inner_(inner) {}

  // Fails call number `call` (counted from 1) with `code`; 0 fails nothing.
  void FailCall(int call, std::uint32_t code) {
    failAt_ = call;
    code_ = code;
  }
  int Calls() const { return calls_; }

  // Counts the call; the error when it is the one to fail.
  SysError Next() {
    ++calls_;
    return calls_ == failAt_ ? Error(code_) : SysError{};
  }

  bool FileExists(const std::string& path) override { return inner_.FileExists(path); }
  bool DirectoryExists(const std::string& path) override { return inner_.DirectoryExists(path); }
  SysError MakeDirectory(const std::string& path) override {
    if (SysError e = Next()) return e;
    return inner_.MakeDirectory(path);
  }
  SysError RemoveFile(const std::string& path) override {
    if (SysError e = Next()) return e;
    return inner_.RemoveFile(path);
  }
  SysError RenameReplacing(const std::string& from, const std::string& to, ReadOnlyFile readOnly) override {
    if (SysError e = Next()) return e;
    return inner_.RenameReplacing(from, to, readOnly);
  }
  Expected<FileHandle> Open(const std::string& path, FileAccess access, FileShare share,
                            FileCreation creation) override;
  Expected<std::vector<std::string>> ListFiles(const std::string& folder, std::string_view extension) override {
    if (SysError e = Next()) return e;
    return inner_.ListFiles(folder, extension);
  }

 private:
  FilePort& inner_;
  int calls_ = 0;
  int failAt_ = 0;
  std::uint32_t code_ = 0;
};

class FaultyOpenFile final : public OpenFile {
 public:
  FaultyOpenFile(FaultyFiles& files, FileHandle inner) : files_(files), inner_(std::move(inner)) {}
  Expected<std::string> ReadAll() override {
    if (SysError e = files_.Next()) return e;
    return inner_->ReadAll();
  }
  Expected<std::uint64_t> Size() override {
    if (SysError e = files_.Next()) return e;
    return inner_->Size();
  }
  SysError WriteAt(std::uint64_t offset, std::string_view bytes) override {
    if (SysError e = files_.Next()) {
      (void)inner_->WriteAt(offset, bytes.substr(0, bytes.size() / 2));
      return e;
    }
    return inner_->WriteAt(offset, bytes);
  }
  SysError Truncate(std::uint64_t size) override {
    if (SysError e = files_.Next()) return e;
    return inner_->Truncate(size);
  }
  SysError Flush() override {
    if (SysError e = files_.Next()) return e;
    return inner_->Flush();
  }

 private:
  FaultyFiles& files_;
  FileHandle inner_;
};

inline Expected<FileHandle> FaultyFiles::Open(const std::string& path, FileAccess access, FileShare share,
                                             FileCreation creation) {
  if (SysError e = Next()) return e;
  auto file = inner_.Open(path, access, share, creation);
  if (!file) return file.error();
  return FileHandle(std::make_unique<FaultyOpenFile>(*this, std::move(*file)));
}

}  // namespace lirabo::fake
