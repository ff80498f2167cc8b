#pragma once
// The name-entry dialog: the pupil types or picks a name.
#include <string>

#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"
#include "records/name_register.h"

namespace lirabo {

class Form;

struct NameEntryContext {
  FilePort& files;
  MessagePort& messages;
  SystemPort& system;
  RecordPaths paths;
  std::string helpFile;
  std::string& pupilName;  // set to the confirmed name
};

// Shows Man_Namen modally over `owner`; returns when a valid name was confirmed.
void ShowNameEntry(Form* owner, NameEntryContext& context);

}  // namespace lirabo
