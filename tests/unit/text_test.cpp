#include <gtest/gtest.h>

#include "platform/text.h"

namespace {

TEST(RepairUtf8, KeepsValidTextAndReplacesEachIllFormedSequence) {
  EXPECT_EQ(platform::repairUtf8("caf\xC3\xA9 \xF0\x9F\x90\xB1"), "caf\xC3\xA9 \xF0\x9F\x90\xB1");
  const std::string fffd = "\xEF\xBF\xBD";
  EXPECT_EQ(platform::repairUtf8("\xC0\xAF"), fffd + fffd);             // overlong
  EXPECT_EQ(platform::repairUtf8("\xED\xA0\x80"), fffd + fffd + fffd);  // surrogate
  EXPECT_EQ(platform::repairUtf8("\xE2\x82"), fffd);                    // truncated
  EXPECT_EQ(platform::repairUtf8(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(EqualIgnoringCase, WholeTextsWithUnicodeCaseMapping) {
  EXPECT_TRUE(platform::equalIgnoringCase("  4242\n", "  4242\n"));
  EXPECT_TRUE(platform::equalIgnoringCase("", ""));
  EXPECT_TRUE(platform::equalIgnoringCase("AbC", "aBc"));
  EXPECT_TRUE(platform::equalIgnoringCase("\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9"));  // ÉTÉ
  EXPECT_FALSE(platform::equalIgnoringCase("4242\n", "  4242\n"));
  EXPECT_FALSE(platform::equalIgnoringCase("  4242", "  4242\n"));
  EXPECT_FALSE(platform::equalIgnoringCase("abc", "abcd"));
}

}  // namespace
