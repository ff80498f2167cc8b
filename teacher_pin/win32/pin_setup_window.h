#pragma once
// regelpult's dialog for the installation's teacher PIN.
#include "common/crypto_port.h"
#include "common/services.h"

namespace lirabo {

class Form;

// Shows "Lehrer-PIN" modally over `owner` for lehrerpin.ini in the program folder.
void ShowTeacherPinDialog(Form* owner, Services& services, CryptoPort& crypto);

}  // namespace lirabo
