#include "records/win32/man_namen.h"

namespace lirabo {

// Replaced by the dialog itself; until then no name can be entered.
void ShowNameEntry(Form*, NameEntryContext&) {}

}  // namespace lirabo
