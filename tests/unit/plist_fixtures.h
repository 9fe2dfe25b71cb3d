#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Property lists for tests; `body` is the XML of the top-level value.
enum class Encoding { xml, binary };
std::string xmlPlist(const std::string& body);
std::string plistIn(Encoding encoding, const std::string& body);  // binary written by libplist

// A binary property list of these objects (marker and payload), object 0 the root, with 4-byte
// offsets and references.
std::string binaryFromObjects(const std::vector<std::string>& objects);
std::string reference(std::uint32_t index);

// `depth` arrays nested in each other; in binary, each refers `width` times to the next.
std::string nestedXml(std::size_t depth);
std::string nestedBinary(std::size_t depth, std::size_t width = 1);
