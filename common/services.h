#pragma once
// The system services every workflow and dialog reaches the world through.
#include "common/file_port.h"
#include "common/message_port.h"
#include "common/system_port.h"

namespace lirabo {

struct Services {
  FilePort& files;
  SystemPort& system;
  MessagePort& messages;
};

}  // namespace lirabo
