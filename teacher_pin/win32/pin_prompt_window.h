#pragma once
// The PIN query that stands before the teacher menu when the installation has a PIN.
#include "common/message_port.h"
#include "teacher_pin/teacher_pin_gate.h"

namespace lirabo {

class Form;

// Shows the query "Lehrermenü" modally over `owner`, on top of everything like the
// name entry. True when the right PIN was given; false after "Abbrechen" or the
// lock-out.
bool AskTeacherPin(Form* owner, TeacherPinGate& gate, MessagePort& messages);

}  // namespace lirabo
