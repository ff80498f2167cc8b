#pragma once
// The log viewer's model: lists the pupils' logs, shows one, deletes one. It only
// reads and deletes whole files and never touches the name register.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_port.h"
#include "common/message_port.h"
#include "records/list_order.h"

namespace lirabo {

inline constexpr const char* kLogExtension = ".txt";

// A log as the text box shows it: UTF-8, every line followed by CR LF (also a last
// line without a break); CR LF, a lone CR and a lone LF each count as one break;
// a NUL byte shows as a blank.
std::string LogTextForDisplay(std::string_view bytes);

// "Wollen Sie die Datei <name> wirklich löschen?"
std::string DeleteLogQuestion(const std::string& fileName);

class LogViewer {
 public:
  LogViewer(FilePort& files, MessagePort& messages, std::string logFolder,
            ListOrder order = CaselessListOrder);

  // Creates the log folder when it is missing and lists its logs; a failure is
  // reported and leaves the list empty.
  void Load();
  // File names (without folder) of the logs, in list order.
  const std::vector<std::string>& Logs() const { return logs_; }
  // The shown log's text and full path; both "" when nothing is shown.
  const std::string& Text() const { return text_; }
  const std::string& ShownPath() const { return shownPath_; }

  // Reads the chosen log into the text. A log that cannot be read (vanished,
  // locked, refused) is reported with the system's words and nothing changes.
  bool ShowLog(const std::string& fileName);
  // Asks, deletes and lists the folder afresh; with nothing selected nothing
  // happens. A file that cannot be deleted is reported and nothing changes.
  // True when the file was deleted.
  bool DeleteLog(const std::optional<std::string>& fileName);

 private:
  std::string PathOf(const std::string& fileName) const { return folder_ + "\\" + fileName; }
  // Lists the folder; on failure reports it and returns false.
  bool ListLogs();

  FilePort& files_;
  MessagePort& messages_;
  std::string folder_;
  ListOrder order_;
  std::vector<std::string> logs_;
  std::string text_;
  std::string shownPath_;
};

}  // namespace lirabo
