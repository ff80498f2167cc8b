#pragma once
// Message boxes owned by the program's active window, titled with its name.
#include <windows.h>

#include <string>

#include "common/message_port.h"

namespace lirabo {

class Win32MessagePort final : public MessagePort {
 public:
  explicit Win32MessagePort(std::string programTitle) : title_(std::move(programTitle)) {}
  MsgAnswer Show(const std::string& text, MsgButtons buttons = MsgButtons::Ok, MsgIcon icon = MsgIcon::None,
                 const std::string& title = {}) override;

 private:
  std::string title_;
};

}  // namespace lirabo
