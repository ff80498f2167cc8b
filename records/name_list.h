#pragma once
// The name list's model: every line of the register, names removed one at a time
// and written back only when the teacher leaves with "Zurück".
#include <optional>
#include <string>
#include <vector>

#include "common/file_port.h"
#include "common/message_port.h"
#include "records/list_order.h"
#include "records/name_register.h"

namespace lirabo {

// "Soll der Name <name> wirklich gelöscht werden?"
std::string DeleteNameQuestion(const std::string& name);

class NameList {
 public:
  NameList(FilePort& files, MessagePort& messages, RecordPaths paths, std::string& pupilName,
           ListOrder order = CaselessListOrder);

  // Makes sure the register exists and takes every line of it ("unbekannt",
  // empty lines and duplicates included). A register that cannot be read is
  // reported; the list is then empty and leaving writes nothing.
  void Load();
  // The entries in list order.
  const std::vector<std::string>& Names() const { return names_; }

  // Asks, and on Yes removes one entry with this text, clearing the pupil's name
  // when it is exactly this one. Nothing selected: nothing happens. True when removed.
  bool DeleteName(const std::optional<std::string>& selection);
  // "Zurück": rewrites the register with the entries as the list shows them, first
  // to last. False (after reporting the system's words) when it could not be
  // written; the dialog then stays open.
  bool Leave(const std::vector<std::string>& shown);

 private:
  FilePort& files_;
  MessagePort& messages_;
  RecordPaths paths_;
  std::string& pupilName_;
  ListOrder order_;
  std::vector<std::string> names_;
  bool loaded_ = false;
};

}  // namespace lirabo
