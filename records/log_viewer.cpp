#include "records/log_viewer.h"

#include <algorithm>
#include <array>
#include <utility>

#include "common/text.h"

namespace lirabo {
namespace {

// UTF-8 of every Windows-1252 byte, built once from the shared conversion, so
// that a large log is converted in a single pass without a call per byte.
const std::array<std::string, 256>& Utf8OfByte() {
  static const std::array<std::string, 256> table = [] {
    std::array<std::string, 256> t;
    for (int b = 0; b < 256; ++b) t[static_cast<std::size_t>(b)] = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
    return t;
  }();
  return table;
}

}  // namespace

std::string LogTextForDisplay(std::string_view bytes) {
  const auto& utf8 = Utf8OfByte();
  std::string out;
  // Umlauts grow by one byte, lone LFs by one; an eighth covers ordinary logs.
  out.reserve(bytes.size() + bytes.size() / 8 + 2);
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    // Plain ASCII runs go over in one piece.
    std::size_t run = i;
    while (run < n && static_cast<unsigned char>(bytes[run]) < 0x80 && bytes[run] != '\r' && bytes[run] != '\n' &&
           bytes[run] != '\0')
      ++run;
    if (run != i) {
      out.append(bytes.data() + i, run - i);
      if (run == n) break;
      i = run;
    }
    const char c = bytes[i];
    if (c == '\r') {
      if (i + 1 < n && bytes[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (c == '\n') {
      out += "\r\n";
    } else if (c == '\0') {
      out.push_back(' ');  // a padded log would end at its first NUL in the window
    } else if (static_cast<unsigned char>(c) < 0x80) {
      out.push_back(c);
    } else {
      out += utf8[static_cast<unsigned char>(c)];
    }
  }
  if (n != 0 && bytes[n - 1] != '\r' && bytes[n - 1] != '\n') out += "\r\n";
  return out;
}

std::string DeleteLogQuestion(const std::string& fileName) {
  return "Wollen Sie die Datei " + fileName + " wirklich löschen?";
}

LogViewer::LogViewer(FilePort& files, MessagePort& messages, std::string logFolder, ListOrder order)
    : files_(files), messages_(messages), folder_(std::move(logFolder)), order_(std::move(order)) {}

void LogViewer::Load() {
  logs_.clear();
  text_.clear();
  shownPath_.clear();
  if (!files_.DirectoryExists(folder_)) {
    if (SysError e = files_.MakeDirectory(folder_)) {
      messages_.Show(e.description);
      return;
    }
  }
  ListLogs();
}

bool LogViewer::ListLogs() {
  auto names = files_.ListFiles(folder_, kLogExtension);
  if (!names) {
    messages_.Show(names.error().description);
    return false;
  }
  logs_ = std::move(*names);
  std::stable_sort(logs_.begin(), logs_.end(),
                   [this](const std::string& a, const std::string& b) { return order_(a, b) < 0; });
  return true;
}

bool LogViewer::ShowLog(const std::string& fileName) {
  const std::string path = PathOf(fileName);
  // Shared for reading and writing: an exercise program may be appending to it.
  auto bytes = files_.ReadWholeFile(path);
  if (!bytes) {
    messages_.Show(bytes.error().description);
    return false;
  }
  text_ = LogTextForDisplay(*bytes);
  shownPath_ = path;
  return true;
}

bool LogViewer::DeleteLog(const std::optional<std::string>& fileName) {
  if (!fileName || fileName->empty()) return false;
  if (messages_.Show(DeleteLogQuestion(*fileName), MsgButtons::YesNo) != MsgAnswer::Yes) return false;
  const std::string path = PathOf(*fileName);
  if (SysError e = files_.RemoveFile(path)) {
    messages_.Show(e.description);
    return false;
  }
  if (path == shownPath_) {
    text_.clear();
    shownPath_.clear();
  }
  if (!ListLogs()) std::erase(logs_, *fileName);
  return true;
}

}  // namespace lirabo
