#include <gtest/gtest.h>

#include "config/optional_text.h"

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
