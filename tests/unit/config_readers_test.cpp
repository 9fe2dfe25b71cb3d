#include <gtest/gtest.h>
#include <sys/stat.h>

#include "config/customization.h"
#include "config/optional_text.h"
#include "config/patch_data_switch.h"
#include "config/rebrand.h"
#include "tests/unit/test_support.h"

namespace {

const std::string kFolder = "(folder)", kFifo = "(fifo)", kEmpty = "(empty file)";

// Puts nothing, a folder, a FIFO, an empty file or the property list with this body at the path.
void place(const std::string& path, const std::string& content, Encoding encoding) {
  if (content == kFolder) mkdir(path.c_str(), 0700);
  if (content == kFifo) mkfifo(path.c_str(), 0600);
  if (content == kEmpty) writeFile(path, "");
  if (content.starts_with("<")) writeFile(path, plistIn(encoding, content));
}

std::string entry(const std::string& key, const std::string& value) {
  return "<key>" + key + "</key>" + value;
}
std::string dict(const std::string& entries) {
  return "<dict>" + entries + "</dict>";
}

}  // namespace

// Byte by byte, so every byte once stands for every text: no control character is left to break
// the log line, and no quote or backslash to end the text early or forge an escape.
TEST(OptionalText, RendersEveryByteLikeLogLinesShowIt) {
  EXPECT_EQ(config::renderOptional(std::nullopt), "nil");
  std::string bytes;
  for (int byte = 0; byte < 256; ++byte) bytes += static_cast<char>(byte);
  EXPECT_EQ(
      config::renderOptional(bytes),
      R"(Optional("\0\u{1}\u{2}\u{3}\u{4}\u{5}\u{6}\u{7}\u{8}\t\n\u{B}\u{C}\r\u{E}\u{F}\u{10})"
      R"(\u{11}\u{12}\u{13}\u{14}\u{15}\u{16}\u{17}\u{18}\u{19}\u{1A}\u{1B}\u{1C}\u{1D}\u{1E})"
      R"(\u{1F} !\"#$%&\'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefgh)"
      R"(ijklmnopqrstuvwxyz{|}~\u{7F})" +
          bytes.substr(128) + "\")");
}

// The folder, the missing file and plain true and false are the end-to-end cases' rows.
TEST(PatchDataSwitch, EachOutcomeWithItsLine) {
  const std::string convert = "Cannot Convert plist to Dict",
                    missing = "Cannot Get ApplicationRunningPrompt value";
  const auto with = [](const std::string& value) {
    return dict(entry("Other", "<true/>") + entry("ApplicationRunningPrompt", value));
  };
  const struct {
    std::string content, line;
    bool result;
  } cases[] = {
      {kFifo, convert, false},
      {"<array><true/></array>", convert, false},
      {dict(entry("applicationRunningPrompt", "<true/>")), missing, false},
      {with("<string>1</string>"), missing, false},
      {with("<integer>2</integer>"), missing, false},
      {with("<integer>1</integer>"), "Showing Talvenor", true},
      {with("<real>1.0</real>"), "Showing Talvenor", true},
      {with("<integer>0</integer>"), "Talvenor disabled", false},
      {with("<integer>18446744073709551617</integer>"), missing, false},
  };
  for (const Encoding encoding : {Encoding::xml, Encoding::binary}) {
    for (const auto& c : cases) {
      TempDir dir;
      place(dir / "p.plist", c.content, encoding);
      testing::internal::CaptureStderr();
      EXPECT_EQ(config::readApplicationRunningPromptSwitch(dir / "p.plist"), c.result) << c.content;
      EXPECT_EQ(capturedMessages(), "checkIfApplicationRunningPromptEnabled : " + c.line + "\n");
    }
  }
}

// A missing file and the plain records are the end-to-end cases' rows.
TEST(Records, DecodeTextIfPresentOrLogWhy) {
  using config::Rebrand;
  using Customization = config::ApplicationRunningPromptCustomization;
  const std::string text = "<string>TRUE</string>", message = "successNotificationMessage";
  const struct {
    std::string content;
    std::optional<Rebrand> rebrand;
    std::optional<Customization> customization;
    std::string rebrandError, customizationError = rebrandError;  // "@" stands for the path
  } cases[] = {
      {kFolder, std::nullopt, std::nullopt, "cannot read the file \"@\": Is a directory"},
      // Opened without waiting for a writer.
      {kFifo, std::nullopt, std::nullopt, "cannot read the file \"@\": not a regular file"},
      {kEmpty, std::nullopt, std::nullopt,
       "the file \"@\" is not a property list in XML or binary encoding"},
      {"<array/>", std::nullopt, std::nullopt,
       "the top level of the file \"@\" is an array, expected a dictionary"},
      {dict(""), Rebrand{}, Customization{}, ""},
      {dict(entry("IS_REBRANDED", "<string>true</string>") + entry("PRODUCT_NAME", "<string/>") +
            entry("SuccessNotificationMessage", text) + entry("extra", "<array/>")),
       Rebrand{"true", ""}, Customization{}, ""},
      {dict(entry("IS_REBRANDED", "<true/>") + entry(message, "<integer>1</integer>")),
       std::nullopt, std::nullopt, "key \"IS_REBRANDED\" holds a boolean, expected a string",
       "key \"successNotificationMessage\" holds an integer, expected a string"},
      // Keys are decoded in order, whatever their order in the file; the first error ends it.
      {dict(entry("PRODUCT_NAME", "<real>1</real>") + entry("IS_REBRANDED", "<dict/>") +
            entry(message, "<false/>")),
       std::nullopt, std::nullopt, "key \"IS_REBRANDED\" holds a dictionary, expected a string",
       "key \"successNotificationMessage\" holds a boolean, expected a string"},
      {dict(entry("PRODUCT_NAME", "<integer>3</integer>") + entry("IS_REBRANDED", text)),
       std::nullopt, Customization{}, "key \"PRODUCT_NAME\" holds an integer, expected a string",
       ""},
  };
  for (const Encoding encoding : {Encoding::xml, Encoding::binary}) {
    for (const auto& c : cases) {
      TempDir dir;
      const std::string path = dir / "%s.plist";
      place(path, c.content, encoding);
      const auto line = [&path](const std::string& prefix, std::string error) {
        if (const auto at = error.find('@'); at != std::string::npos) error.replace(at, 1, path);
        return error.empty() ? "" : prefix + error + "\n";
      };
      testing::internal::CaptureStderr();
      EXPECT_EQ(config::readRebrandDetails(path), c.rebrand) << c.content;
      EXPECT_EQ(config::readCustomizationData(path), c.customization) << c.content;
      EXPECT_EQ(capturedMessages(),
                line("rebrandData error ", c.rebrandError) +
                    line("DevarozAdododazUpdatePromptCustomization error ", c.customizationError));
    }
  }
}
