#include "agent/prompt_check.h"

#include <gtest/gtest.h>

#include "tests/unit/test_support.h"

namespace {

std::string brisvane(const std::string& value) {
  return "<dict><key>Other</key><true/><key>Brisvane</key>" + value + "</dict>";
}
std::string stored(const std::string& value, const std::string& name = "App") {
  return brisvane("<dict><key>" + name + "</key>" + value + "</dict>");
}

}  // namespace

TEST(PromptCheck, EachBranchWithItsLine) {
  const std::string nil = "previousParentPid is nil for App -> false",
                    different = "current and previousParentPid are different -> false :",
                    same = "current and previousParentPid are same -> true :";
  const struct {
    std::string body, line;  // "@" stands for the path
    std::string output = "  4711\n", name = "App";
  } cases[] = {
      {"", "@ file not available"},
      {"<array/>", "@ : Cannot Convert plist to Dict"},
      {"<dict/>", "@ : Cannot Get Brisvane data value"},
      {brisvane("<string>x</string>"), "@ : Cannot Get Brisvane data value"},
      {stored("<string>  4711\n</string>", "app"), nil},
      {stored("<integer>4711</integer>"), nil},
      {brisvane("<dict/>"), "previousParentPid is nil for 50%d App -> false", "", "50%d App"},
      {stored("<string>  4711</string>"), different + "  4711"},
      {stored("<string>%s Ä1</string>"), same + "%s Ä1", "%S ä1"},
      {stored("<string></string>"), same, ""},
  };
  for (const Encoding encoding : {Encoding::xml, Encoding::binary}) {
    for (const auto& c : cases) {
      TempDir dir;
      const std::string path = dir / "Prompt%nData.plist";
      if (!c.body.empty()) writeFile(path, plistIn(encoding, c.body));
      std::string line = c.line.starts_with("@") ? path + c.line.substr(1) : c.line;
      testing::internal::CaptureStderr();
      EXPECT_EQ(agent::recordedParentMatches(c.name, 42, c.output, path),
                c.line.starts_with("current and previousParentPid are same"));
      const std::string first = "child process ID 42 : parent process id " + c.output;
      EXPECT_EQ(capturedMessages(), first + (first.ends_with("\n") ? "" : "\n") + line +
                                        (line.ends_with("\n") ? "" : "\n"));
    }
  }
}
