// Temporary: the log viewer and the name list are being built; these entry points
// keep the menu linkable until their dialogs land (then this file goes).
#include "records/win32/man_namen_anzeigen.h"
#include "records/win32/man_protokolle.h"

namespace lirabo {

void ShowLogViewer(Form*, RecordsContext&) {}
void ShowNameList(Form*, RecordsContext&) {}

}  // namespace lirabo
