#pragma once
// The name-entry dialog's model: the key filter of its name box, the check on
// confirming, its list, and what "Weiter" does with the register and the log.
#include <cstddef>
#include <string>
#include <vector>

#include "common/file_port.h"
#include "common/message_port.h"
#include "records/name_register.h"
#include "records/records_texts.h"

namespace lirabo {

// The name box holds at most this many characters (code points).
inline constexpr std::size_t kNameBoxCapacity = 18;

struct NameKeyResult {
  std::string text;  // the name box afterwards
  bool consumed;     // true: the focused control never sees the key
};

// One typed character, as its Unicode code point (the 1252 letters Ä...ü keep
// their codes, 196...252): digits, A-Z, a-z and ÄÖÜßäöü are appended up to the box's
// capacity and passed on; backspace removes the last character; anything else is
// swallowed.
NameKeyResult FilterNameKey(const std::string& boxText, char32_t character);

// The check on confirming: only spaces, digits and A-Z, a-z. Umlauts pass the key
// filter but not this check; a space can only come from the list.
bool IsValidPupilName(const std::string& name);

// What the dialog lists of the register: every line except exactly "unbekannt".
std::vector<std::string> NameEntryListItems(const std::vector<std::string>& registerLines);

struct NameEntryList {
  std::vector<std::string> items;
  SysError error;  // the register could not be created or read; items are then empty
};

// Loading the dialog: makes sure the register exists and lists it.
NameEntryList LoadNameEntryList(FilePort& files, const RecordPaths& paths);

// "Weiter" with the name box's text. A name with other characters than letters,
// digits and blanks, or one that cannot name a log file, is refused with its
// message: `pupilName` stays and the dialog too. Otherwise `pupilName` holds the
// name and the dialog may close; the register and the log are made as far as the
// files allow, and what failed has been shown with the system's words.
bool ConfirmPupilName(FilePort& files, MessagePort& messages, const RecordPaths& paths,
                      const std::string& boxText, std::string& pupilName);

}  // namespace lirabo
