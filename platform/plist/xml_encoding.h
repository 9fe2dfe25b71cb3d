#pragma once

#include <string>
#include <string_view>

namespace platform {

// Brings the text of an XML property list, in place, to what libplist 2.2 reads: UTF-8 without
// a byte-order mark, with LF line ends. The rules are in plist_limits.h. False when the text is
// in an encoding the loader does not read.
bool toUtf8WithLineFeeds(std::string& text);

// UTF-16 units of the given byte order as UTF-8, an unpaired surrogate as U+FFFD; sets *sawNul
// when one unit is NUL.
std::string utf16ToUtf8(std::string_view units, bool bigEndian, bool* sawNul = nullptr);

}  // namespace platform
