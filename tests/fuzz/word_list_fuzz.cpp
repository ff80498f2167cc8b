// wortlst.jw1: the list's end from the file size, and storing the words of the editor's
// boxes into a file of any size. Input: a mode byte (bit 0: continue the list), three
// bytes of file size (little-endian; top bit clear: folded into the first eight words,
// set: into the list's whole range), then box texts, one per line, four to a word.
#include "tests/fuzz/fuzz_check.h"
#include "wordlist/word_editor.h"

void lirabo::fuzz::Check(std::string_view input) {
  if (input.size() < 4) return;
  auto byte = [&](std::size_t i) { return std::size_t{static_cast<unsigned char>(input[i])}; };
  const std::size_t size24 = byte(1) | byte(2) << 8 | byte(3) << 16;
  const std::size_t range = ((size24 & 0x800000) ? kMaxWords + 1 : 8) * kWordSize + 2 * kRecordSize;
  const std::size_t size = (size24 & 0x7FFFFF) % (range + 1);
  // The list ends at the first word slot whose first record is not whole.
  const int end = static_cast<int>(
      std::min<std::size_t>((size + kWordSize - kRecordSize) / kWordSize, kMaxWords + 1) * kRecordsPerWord + 1);
  fake::World w;
  const std::string path = fake::kApp + "\\wortlst.jw1";
  w.files.Put(path, std::string(size, static_cast<char>(byte(1) | 1)));
  WordListFile list(w.files, w.system, path);
  FUZZ_CHECK(list.OpenWordList().status == OpenStatus::Opened);
  if (input[0] & 1)
    FUZZ_CHECK(*list.FindListEnd() == end && list.NextRecord() == end);
  else
    list.StartNewList();
  std::vector<std::string> boxes;
  for (std::size_t start = 4; start <= input.size() && boxes.size() < 16; start = boxes.back().size() + start + 1)
    boxes.emplace_back(input.substr(start, std::min(input.find('\n', start), input.size()) - start));
  boxes.resize((boxes.size() + 3) / 4 * 4);
  for (std::size_t k = 0; k < boxes.size(); k += 4) {
    const WordBoxes word = {boxes[k], boxes[k + 1], boxes[k + 2], boxes[k + 3]};
    WordEntry entry;
    for (std::size_t b = 0; b < 4; ++b) entry[b] = ClassifySound(word[b], static_cast<int>(b) + 1);
    // A stored word goes whole to the list's end, every other byte as it was; else nothing changes.
    const std::string before = w.files.Get(path);
    const auto at = static_cast<std::size_t>(list.NextRecord() - 1) * kRecordSize;
    std::string expected = before;
    expected.resize(std::max(before.size(), at + kWordSize), '\0');
    expected.replace(at, kWordSize, EncodeWordEntry(entry));
    const bool stored = StoreWord(word, list, w.messages) == StoreOutcome::Stored;
    FUZZ_CHECK(w.files.Get(path) == (stored ? expected : before));
    FUZZ_CHECK(list.NextRecord() == static_cast<int>(at / kRecordSize) + (stored ? 9 : 1));
  }
}
