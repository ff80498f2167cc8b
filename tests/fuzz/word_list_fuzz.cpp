// wortlst.jw1: the list's end from the file size, the sound classification of the
// editor's boxes, and storing words into a file of any size. Input: a mode byte
// (bit 0 set: continue the list), three bytes of file size (little-endian; top bit
// clear: folded into the first eight words, set: into the list's whole range),
// then box texts, one per line, four to a word.
#include <algorithm>
#include <vector>

#include "common/text.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/unit/fakes.h"
#include "wordlist/word_editor.h"
#include "wordlist/word_list_texts.h"

using namespace lirabo;

namespace {

constexpr std::uint64_t kSlots = kMaxWords + 1;  // the capped slot count

// The rule of the header: the first word slot whose first record is not whole.
void CheckNextRecord(std::uint64_t size) {
  const int n = NextRecordForSize(size);
  FUZZ_CHECK(n >= 1 && (n - 1) % kRecordsPerWord == 0);
  const auto slot = static_cast<std::uint64_t>(n - 1) / kRecordsPerWord;
  FUZZ_CHECK(slot <= kSlots);
  if (slot > 0) FUZZ_CHECK(size >= (slot - 1) * kWordSize + kRecordSize);
  if (slot < kSlots) FUZZ_CHECK(size < slot * kWordSize + kRecordSize);
}

std::int16_t Int16At(std::string_view bytes, std::size_t at) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                                             static_cast<unsigned char>(bytes[at + 1]) << 8));
}

bool ZeroFrom(std::string_view bytes, std::size_t from, std::size_t to) {
  return std::all_of(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(to),
                     [](char c) { return c == '\0'; });
}

// Reads the 80 bytes back: per sound a text record (length, up to 8 bytes of 1252
// text, zero filler) and a code record (the code, zero filler).
void CheckEncoded(std::string_view bytes, const WordEntry& entry) {
  FUZZ_CHECK(bytes.size() == kWordSize);
  for (std::size_t k = 0; k < entry.size(); ++k) {
    const std::string_view text = bytes.substr(2 * kRecordSize * k, kRecordSize);
    const std::string_view code = bytes.substr(2 * kRecordSize * k + kRecordSize, kRecordSize);
    const std::int16_t length = Int16At(text, 0);
    FUZZ_CHECK(length >= 0 && length <= kRecordSize - 2);
    const auto len = static_cast<std::size_t>(length);
    FUZZ_CHECK(text.substr(2, len) == Utf8ToCp1252(entry[k].text).substr(0, kRecordSize - 2));
    FUZZ_CHECK(ZeroFrom(text, 2 + len, kRecordSize));
    FUZZ_CHECK(Int16At(code, 0) == entry[k].code);
    FUZZ_CHECK(ZeroFrom(code, 2, kRecordSize));
  }
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

void CheckSound(const std::string& box, int position) {
  const Sound sound = ClassifySound(box, position);
  if (box.starts_with("sch") || box.starts_with("Sch")) {
    FUZZ_CHECK(sound.text == box.substr(0, 3) && sound.code == kSoundSch);
    return;
  }
  FUZZ_CHECK(sound.text == FirstCodePoints(box, 1));
  FUZZ_CHECK(sound.code == kSoundInvalid || (sound.code >= 0 && sound.code <= 11 && sound.code != kSoundSch));
  if (sound.code == kSoundBlank) FUZZ_CHECK(position >= 2 && (sound.text == "." || sound.text == ":"));
  if (sound.code != kSoundInvalid && sound.code != kSoundBlank)
    FUZZ_CHECK(sound.text.size() == 1 && std::string_view("aefilmopsuAEFILMOPSU").find(sound.text[0]) != std::string_view::npos);
  // A letter counts in lower case and capitalised alike.
  if (sound.text.size() == 1 && IsAsciiLetter(sound.text[0])) {
    const char c = sound.text[0];
    const char lower = static_cast<char>(c | 0x20), upper = static_cast<char>(c & ~0x20);
    FUZZ_CHECK(ClassifySound(std::string(1, lower), position).code == ClassifySound(std::string(1, upper), position).code);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::AsText(data, size);
  if (input.size() < 4) return 0;
  std::uint64_t anySize = 0;
  for (std::size_t i = 0; i < 8 && i < input.size(); ++i) anySize |= std::uint64_t{static_cast<unsigned char>(input[i])} << (8 * i);
  CheckNextRecord(anySize);

  const bool continueList = (input[0] & 1) != 0;
  auto byte = [&](std::size_t i) { return std::uint32_t{static_cast<unsigned char>(input[i])}; };
  const std::uint32_t size24 = byte(1) | byte(2) << 8 | byte(3) << 16;
  // Mostly small files: a full list takes a third of a megabyte per run.
  const std::size_t range = (size24 & 0x800000u) ? kSlots * kWordSize + 2 * kRecordSize : 8 * kWordSize + 2 * kRecordSize;
  const std::size_t fileSize = (size24 & 0x7FFFFFu) % (range + 1);
  CheckNextRecord(fileSize);
  std::vector<std::string> boxTexts;
  for (std::size_t start = 4; start <= input.size() && boxTexts.size() < 16;) {
    std::size_t lf = input.find('\n', start);
    if (lf == std::string_view::npos) lf = input.size();
    boxTexts.emplace_back(input.substr(start, lf - start));
    start = lf + 1;
  }
  boxTexts.resize((boxTexts.size() + 3) / 4 * 4);

  fake::FakeFiles files;
  fake::FakeSystem system;
  fake::FakeMessages messages;
  const std::string path = system.applicationPath + kWordListName;
  // Patterned old contents, so that a stray write or a lost byte shows.
  std::string block(251, '\0');
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(byte(1) + 7 * i + 1);
  std::string initial;
  while (initial.size() < fileSize) initial += block;
  initial.resize(fileSize);
  files.Put(path, initial);

  WordListFile list(files, system, path);
  FUZZ_CHECK(list.OpenWordList().status == OpenStatus::Opened);
  if (continueList) {
    auto end = list.FindListEnd();
    FUZZ_CHECK(end.ok() && *end == NextRecordForSize(fileSize) && list.NextRecord() == *end);
  } else {
    list.StartNewList();
    FUZZ_CHECK(list.NextRecord() == 1);
  }

  for (std::size_t w = 0; w < boxTexts.size(); w += 4) {
    const WordBoxes boxes = {boxTexts[w], boxTexts[w + 1], boxTexts[w + 2], boxTexts[w + 3]};
    WordEntry entry;
    bool invalid = false;
    for (int k = 0; k < 4; ++k) {
      const auto i = static_cast<std::size_t>(k);
      CheckSound(boxes[i], k + 1);
      entry[i] = ClassifySound(boxes[i], k + 1);
      invalid = invalid || entry[i].code == kSoundInvalid;
      // Any text fits its record, cut to eight bytes.
      WordEntry raw = entry;
      raw[i].text = boxes[i];
      CheckEncoded(EncodeWordEntry(raw), raw);
    }

    const std::string before = files.Get(path);
    const std::size_t shown = messages.shown.size();
    const int n = list.NextRecord();
    const StoreOutcome outcome = StoreWord(boxes, list, messages);
    const std::string after = files.Get(path);
    if (boxes[0].empty() || invalid || n + kRecordsPerWord - 1 > kLastRecordNumber) {
      // Nothing written, and the teacher told why unless box 1 was empty.
      FUZZ_CHECK(after == before && list.NextRecord() == n);
      if (boxes[0].empty()) {
        FUZZ_CHECK(outcome == StoreOutcome::NothingToDo && messages.shown.size() == shown);
      } else {
        FUZZ_CHECK(messages.shown.size() == shown + 1);
        FUZZ_CHECK(outcome == (invalid ? StoreOutcome::Rejected : StoreOutcome::NotStored));
        FUZZ_CHECK(messages.shown.back().text == (invalid ? texts::kInvalidSound : texts::kWordListFull));
      }
      continue;
    }
    // One whole entry at record n; every other byte as it was.
    FUZZ_CHECK(outcome == StoreOutcome::Stored && messages.shown.size() == shown);
    FUZZ_CHECK(list.NextRecord() == n + kRecordsPerWord);
    const std::size_t offset = static_cast<std::size_t>(n - 1) * kRecordSize;
    FUZZ_CHECK(after.size() == std::max(before.size(), offset + kWordSize));
    const std::size_t kept = std::min(offset, before.size());
    FUZZ_CHECK(after.compare(0, kept, before, 0, kept) == 0);
    FUZZ_CHECK(ZeroFrom(after, kept, offset));
    CheckEncoded(std::string_view(after).substr(offset, kWordSize), entry);
    if (before.size() > offset + kWordSize)
      FUZZ_CHECK(after.compare(offset + kWordSize, std::string::npos, before, offset + kWordSize) == 0);
    // The next start of the editor continues where this one stopped.
    if (after.size() == offset + kWordSize) FUZZ_CHECK(NextRecordForSize(after.size()) == list.NextRecord());
  }
  return 0;
}
