#pragma once
// wortlst.jw1: fixed 10-byte records, a word as eight of them (text and code of
// each of its four sounds). The component owns every access to the file: the
// exclusive open with its retries, the end of the list, appending, closing.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_port.h"
#include "common/system_port.h"

namespace lirabo {

inline constexpr const char* kWordListName = "\\wortlst.jw1";
inline constexpr const char* kDeliveryCopyName = "\\wortlst.j_";

inline constexpr std::int16_t kSoundBlank = 0;
inline constexpr std::int16_t kSoundSch = 10;
inline constexpr std::int16_t kSoundInvalid = 22;

inline constexpr int kRecordSize = 10;
inline constexpr int kRecordsPerWord = 8;
inline constexpr int kWordSize = kRecordSize * kRecordsPerWord;
// Record numbers are signed 16-bit: records 1 to 32760 hold 4095 words.
inline constexpr int kLastRecordNumber = 32767;
inline constexpr int kMaxWords = 4095;

// One position of a word: the text as typed and its sound code.
struct Sound {
  std::string text;
  std::int16_t code = kSoundBlank;
  bool operator==(const Sound&) const = default;
};
using WordEntry = std::array<Sound, 4>;

// The 80 bytes of one entry, filler zero. A text longer than a record can hold
// is cut to 8 bytes (the editor never stores more than 3).
std::string EncodeWordEntry(const WordEntry& entry);

// The record at which the next word goes in a file of `size` bytes: the first word
// slot whose first record is not whole. May lie beyond the last record number.
int NextRecordForSize(std::uint64_t size);

enum class OpenStatus { Opened, Busy, Failed };
struct OpenResult {
  OpenStatus status = OpenStatus::Opened;
  std::string description;  // Failed: the system's words
};

enum class AppendStatus { Written, ListFull, WriteFailed };
struct AppendResult {
  AppendStatus status = AppendStatus::Written;
  std::string description;  // WriteFailed: the system's words
};

class WordListFile {
 public:
  WordListFile(FilePort& files, SystemPort& system, std::string path)
      : files_(files), system_(system), path_(std::move(path)) {}

  // Read-write, shared with nobody, created when missing; a locked or refused file
  // is tried four times in all.
  OpenResult OpenWordList();
  // From the file's size; the file is not read.
  Expected<int> FindListEnd();
  // A new list starts at record 1 without looking at the file.
  void StartNewList() { nextRecord_ = 1; }
  // Writes the whole entry at NextRecord with one write, or nothing at all.
  AppendResult AppendWord(const WordEntry& entry);
  void Close() { file_.reset(); }

  int NextRecord() const { return nextRecord_; }

 private:
  FilePort& files_;
  SystemPort& system_;
  std::string path_;
  FileHandle file_;
  int nextRecord_ = 1;
};

}  // namespace lirabo
