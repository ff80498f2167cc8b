#pragma once
// The order of a sorted list box. The dialogs' lists sort themselves; the models
// keep their entries in the same order so that what is written is what was shown.
#include <functional>
#include <string_view>

namespace lirabo {

// Negative, zero or positive, like strcmp.
using ListOrder = std::function<int(std::string_view, std::string_view)>;

// Letter case ignored (Windows upper case), then the bytes decide, so equal
// entries differing only in case keep a fixed order.
int CaselessListOrder(std::string_view a, std::string_view b);

}  // namespace lirabo
