#pragma once

#include <string>
#include <vector>

#include "platform/plist/property_value.h"

namespace platform {

// Whether libplist 2.2 may be given this XML text (UTF-8, LF line ends): read the way its parser
// reads it, no array or dictionary is nested deeper than kMaxPropertyListNesting, no dictionary
// holds more than 10,000 keys, and the text of every <real> and <integer>, read as XML reads it,
// holds a number by the rules in plist_limits.h. libplist reads integers with base detection
// ("010" is 8), cuts large ones short and reads no reference in a number, so on success each
// integer's text is replaced by its index in `integers`, which holds its value, and a real's
// text written with references or CDATA by the plain number.
bool checkXmlPlist(std::string& text, std::vector<PropertyValue>& integers);

}  // namespace platform
