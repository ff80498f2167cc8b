#pragma once
// Message boxes, the only way the programs talk to the user about errors.
#include <string>

namespace lirabo {

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { None, Information, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class MessagePort {
 public:
  virtual ~MessagePort() = default;
  // An empty title shows the program's own title.
  virtual MsgAnswer Show(const std::string& text, MsgButtons buttons = MsgButtons::Ok,
                         MsgIcon icon = MsgIcon::None, const std::string& title = {}) = 0;
};

}  // namespace lirabo
