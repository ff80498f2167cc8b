#pragma once
// The text format of options.ini: one whole number per line, CR LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "options/options_record.h"

namespace lirabo {

// Every value present in the file, in order (also beyond the tenth). Blanks around a
// number are skipped; a line that is not a whole number in the signed 16-bit range
// reads as 0; blank lines at the very end are the end of the file, not values.
std::vector<std::int16_t> ParseOptionsValues(std::string_view bytes);

// The writer's format: a blank before a non-negative number, a blank after every
// number, CR LF after every line; ten lines.
std::string FormatOptionsFile(const OptionsRecord& record);

// The menu's start-up reading: present values replace the settings in memory, an
// absent value leaves its setting unchanged, but an absent line 10 gives 0.
void ApplyStartupValues(OptionsRecord& settings, const std::vector<std::int16_t>& values);

}  // namespace lirabo
