#pragma once
// The name list: shows the register and removes names from it.
#include "records/records_context.h"

namespace lirabo {

class Form;

// Shows the name list modally over `owner`.
void ShowNameList(Form* owner, RecordsContext& context);

}  // namespace lirabo
