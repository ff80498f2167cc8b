#pragma once
// The name list: shows the register and removes names from it.
#include "records/win32/man_protokolle.h"

namespace lirabo {

// Shows Man_NamenAnzeigen modally over `owner`.
void ShowNameList(Form* owner, RecordsContext& context);

}  // namespace lirabo
