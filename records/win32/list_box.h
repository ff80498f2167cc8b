#pragma once
// The sorted list boxes of the records dialogs.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "records/list_order.h"

namespace lirabo {

// The order a sorted list box keeps: the user's locale, letter case ignored;
// entries it finds equal are ordered by their bytes.
ListOrder ListBoxOrder();
// The selected entry's text; nothing when no entry is selected.
std::optional<std::string> ListBoxSelection(HWND listBox);
// Every entry, first to last.
std::vector<std::string> ListBoxEntries(HWND listBox);
// The entries sorted as the list box sorts them (ListBoxOrder), quickly for thousands.
std::vector<std::string> InListBoxOrder(std::vector<std::string> entries);
// Replaces the entries; they must come in ListBoxOrder already.
void FillListBox(HWND listBox, const std::vector<std::string>& entries);

}  // namespace lirabo
