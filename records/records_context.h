#pragma once
// What the teacher's and the pupil's record dialogs (name entry, name list, log
// viewer) are given: the services, the folders, the help file and the pupil's name.
#include <string>

#include "common/services.h"
#include "records/name_register.h"

namespace lirabo {

struct RecordsContext : Services {
  RecordPaths paths;
  std::string helpFile;
  std::string& pupilName;  // set by the name entry; cleared by the name list when that name goes
};

}  // namespace lirabo
