#include "wordlist/word_list_file.h"

#include "common/retry.h"
#include "common/text.h"

namespace lirabo {
namespace {

void PutInt16(std::string& record, std::uint16_t value) {
  record[0] = static_cast<char>(value & 0xFF);
  record[1] = static_cast<char>(value >> 8);
}

std::string SoundRecord(const std::string& text) {
  std::string bytes = Utf8ToCp1252(text).substr(0, kRecordSize - 2);
  std::string record(kRecordSize, '\0');
  PutInt16(record, static_cast<std::uint16_t>(bytes.size()));
  record.replace(2, bytes.size(), bytes);
  return record;
}

std::string CodeRecord(std::int16_t code) {
  std::string record(kRecordSize, '\0');
  PutInt16(record, static_cast<std::uint16_t>(code));
  return record;
}

}  // namespace

std::string EncodeWordEntry(const WordEntry& entry) {
  std::string bytes;
  bytes.reserve(kWordSize);
  for (const Sound& sound : entry) bytes += SoundRecord(sound.text) + CodeRecord(sound.code);
  return bytes;
}

int NextRecordForSize(std::uint64_t size) {
  // Slot w (from 0) counts when its first record, bytes 80w to 80w + 9, is whole.
  if (size < static_cast<std::uint64_t>(kRecordSize)) return 1;
  std::uint64_t slots = (size - kRecordSize) / kWordSize + 1;
  // Anything past the record range is simply "full"; keep the number in range of int.
  if (slots > static_cast<std::uint64_t>(kMaxWords) + 1) slots = static_cast<std::uint64_t>(kMaxWords) + 1;
  return static_cast<int>(slots) * kRecordsPerWord + 1;
}

OpenResult WordListFile::OpenWordList() {
  file_.reset();
  SysError error = RetryWhileLocked(system_, [this]() -> SysError {
    auto opened = files_.Open(path_, FileAccess::ReadWrite, FileShare::None, FileCreation::OpenOrCreate);
    if (!opened) return opened.error();
    file_ = std::move(*opened);
    return {};
  });
  if (!error) return {OpenStatus::Opened, {}};
  if (error.IsLockedOrDenied()) return {OpenStatus::Busy, {}};
  return {OpenStatus::Failed, error.description};
}

Expected<int> WordListFile::FindListEnd() {
  auto size = file_->Size();
  if (!size) return size.error();
  nextRecord_ = NextRecordForSize(*size);
  return nextRecord_;
}

AppendResult WordListFile::AppendWord(const WordEntry& entry) {
  const int n = nextRecord_;
  if (n + kRecordsPerWord - 1 > kLastRecordNumber) return {AppendStatus::ListFull, {}};
  const std::uint64_t offset = static_cast<std::uint64_t>(kRecordSize) * static_cast<std::uint64_t>(n - 1);
  auto sizeBefore = file_->Size();
  if (!sizeBefore) return {AppendStatus::WriteFailed, sizeBefore.error().description};
  if (SysError error = file_->WriteAt(offset, EncodeWordEntry(entry))) {
    // Never leave part of an entry behind (nor grow the file by the failed write).
    file_->Truncate(*sizeBefore < offset ? *sizeBefore : offset);
    return {AppendStatus::WriteFailed, error.description};
  }
  nextRecord_ = n + kRecordsPerWord;
  return {AppendStatus::Written, {}};
}

}  // namespace lirabo
