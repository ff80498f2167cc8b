#pragma once
// The log viewer: lists, shows and deletes the pupils' logs.
#include <string>

#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"
#include "records/name_register.h"

namespace lirabo {

class Form;

struct RecordsContext {
  FilePort& files;
  MessagePort& messages;
  SystemPort& system;
  RecordPaths paths;
  std::string helpFile;
  std::string& pupilName;  // the name list clears it when that name is deleted
};

// Shows Man_Protokolle modally over `owner`.
void ShowLogViewer(Form* owner, RecordsContext& context);

}  // namespace lirabo
