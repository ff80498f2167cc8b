#pragma once
// The name-entry dialog: the pupil types or picks a name.
#include "records/records_context.h"

namespace lirabo {

class Form;

// Shows the name entry modally over `owner`; returns when a valid name was confirmed.
void ShowNameEntry(Form* owner, RecordsContext& context);

}  // namespace lirabo
