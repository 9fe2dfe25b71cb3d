#include "tests/unit/plist_fixtures.h"

#include <plist/plist.h>
#include <stdlib.h>

std::string xmlPlist(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST "
         "1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">" +
         body + "</plist>\n";
}

std::string plistIn(Encoding encoding, const std::string& body) {
  const std::string xml = xmlPlist(body);
  if (encoding == Encoding::xml) return xml;
  plist_t root = nullptr;
  plist_from_xml(xml.data(), static_cast<uint32_t>(xml.size()), &root);
  char* bytes = nullptr;
  uint32_t length = 0;
  plist_to_bin(root, &bytes, &length);
  plist_free(root);
  std::string binary(bytes, length);
  free(bytes);
  return binary;
}

static std::string bigEndian(std::uint64_t value, int width) {
  std::string bytes;
  while (width-- > 0) bytes += static_cast<char>((value >> (8 * width)) & 0xFF);
  return bytes;
}

std::string reference(std::uint32_t index) {
  return bigEndian(index, 4);
}

std::string binaryFromObjects(const std::vector<std::string>& objects) {
  std::string bytes = "bplist00", table;
  for (const std::string& object : objects) {
    table += bigEndian(bytes.size(), 4);
    bytes += object;
  }
  return bytes + table + std::string(6, '\0') + "\x04\x04" + bigEndian(objects.size(), 8) +
         bigEndian(0, 8) + bigEndian(bytes.size(), 8);
}

std::string nestedBinary(std::size_t depth, std::size_t width) {
  std::vector<std::string> objects(depth, "\xA0");
  for (std::size_t i = 0; i + 1 < depth; ++i) {
    objects[i] = static_cast<char>(0xA0 | width);
    for (std::size_t j = 0; j < width; ++j) objects[i] += reference(static_cast<uint32_t>(i + 1));
  }
  return binaryFromObjects(objects);
}

std::string nestedXml(std::size_t depth) {
  std::string open, close;
  for (std::size_t i = 0; i < depth; ++i) open += "<array>", close += "</array>";
  return open + close;
}
