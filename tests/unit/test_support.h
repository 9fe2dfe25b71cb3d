#pragma once

#include <gtest/gtest.h>
#include <plist/plist.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() { EXPECT_NE(mkdtemp(path_.data()), nullptr); }
  ~TempDir() { std::filesystem::remove_all(path_); }
  TempDir(const TempDir&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_ = std::filesystem::temp_directory_path() / "talvenor-test-XXXXXX";
};

// The lines written to file descriptor 2 since testing::internal::CaptureStderr(), each without
// its "date time name[pid:tid] " prefix.
inline std::string capturedMessages() {
  std::istringstream lines(testing::internal::GetCapturedStderr());
  std::string line, result;
  while (std::getline(lines, line)) result += line.substr(line.find("] ") + 2) + "\n";
  return result;
}

// Property lists; `body` is the XML of the top-level value.
enum class Encoding { xml, binary };

inline std::string xmlPlist(const std::string& body) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST "
         "1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n<plist version=\"1.0\">" +
         body + "</plist>\n";
}

// The binary encoding as libplist writes it, the agent's own writer.
inline std::string plistIn(Encoding encoding, const std::string& body) {
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

inline std::string bigEndian(std::uint64_t value, int width) {
  std::string bytes;
  while (width-- > 0) bytes += static_cast<char>((value >> (8 * width)) & 0xFF);
  return bytes;
}

// A binary property list of these objects (marker and payload), object 0 the root, with 4-byte
// offsets and references: shapes no writer makes.
inline std::string binaryFromObjects(const std::vector<std::string>& objects) {
  std::string bytes = "bplist00", table;
  for (const std::string& object : objects) {
    table += bigEndian(bytes.size(), 4);
    bytes += object;
  }
  return bytes + table + std::string(6, '\0') + "\x04\x04" + bigEndian(objects.size(), 8) +
         bigEndian(0, 8) + bigEndian(bytes.size(), 8);
}

// A dictionary of one entry, given its key's and its value's objects.
inline std::string binaryDictionary(const std::string& key, const std::string& value) {
  return binaryFromObjects({"\xD1" + bigEndian(1, 4) + bigEndian(2, 4), key, value});
}

// `depth` arrays nested in each other; in binary, each refers `width` times to the next.
inline std::string nestedBinary(std::size_t depth, std::size_t width = 1) {
  std::vector<std::string> objects(depth, "\xA0");
  for (std::size_t i = 0; i + 1 < depth; ++i) {
    objects[i] = static_cast<char>(0xA0 | width);
    for (std::size_t j = 0; j < width; ++j) objects[i] += bigEndian(i + 1, 4);
  }
  return binaryFromObjects(objects);
}

inline std::string nestedXml(std::size_t depth) {
  std::string open, close;
  for (std::size_t i = 0; i < depth; ++i) open += "<array>", close += "</array>";
  return open + close;
}
