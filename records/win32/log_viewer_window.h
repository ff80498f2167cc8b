#pragma once
// The log viewer: lists, shows and deletes the pupils' logs.
#include "records/records_context.h"

namespace lirabo {

class Form;

// Shows the log viewer modally over `owner`.
void ShowLogViewer(Form* owner, RecordsContext& context);

}  // namespace lirabo
