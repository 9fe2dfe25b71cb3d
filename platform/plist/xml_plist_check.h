#pragma once

#include <string>
#include <vector>

#include "platform/plist/property_value.h"

namespace platform {

// Whether libplist 2.2 may be given this XML text (UTF-8, LF line ends): read the way its parser
// reads it, no array or dictionary is nested deeper than kMaxPropertyListNesting, no dictionary
// holds more than 10,000 keys, every <real> holds a plain decimal number and every <integer> a
// number by the rule in plist_limits.h. libplist reads integers with base detection ("010" is 8)
// and cuts large ones short, so on success each integer's text is replaced by its index in
// `integers`, which holds its value.
bool checkXmlPlist(std::string& text, std::vector<PropertyValue>& integers);

}  // namespace platform
