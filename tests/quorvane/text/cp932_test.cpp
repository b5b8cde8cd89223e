#include "quorvane/text/cp932.h"

#include <gtest/gtest.h>

namespace quorvane::text {
namespace {

TEST(Cp932, ConvertsBothWaysOrRefusesInsteadOfMangling) {
  const std::string cp932 = "\x93\xfa\x96\x7b\x8c\xea";  // 日本語
  EXPECT_EQ(Cp932ToUtf8(cp932), "日本語");
  EXPECT_EQ(Utf8ToCp932("日本語"), cp932);
  // The Windows code page maps wave dash and minus to bytes of its own.
  EXPECT_EQ(Utf8ToCp932("～−"), std::string("\x81\x60\x81\x7c"));
  EXPECT_EQ(Cp932ToUtf8(std::string("\x81\x60")), std::string("～"));
  const std::string ascii("a\\b~c\0d", 7);
  EXPECT_EQ(Cp932ToUtf8(ascii), ascii);
  EXPECT_EQ(Utf8ToCp932(ascii), ascii);
  EXPECT_FALSE(Utf8ToCp932("shirt \xF0\x9F\x91\x95").has_value());  // an emoji
  EXPECT_FALSE(Utf8ToCp932("bad \xC3").has_value());                 // truncated UTF-8
  EXPECT_FALSE(Cp932ToUtf8(std::string("name\x93")).has_value());   // lone lead byte
}

}  // namespace
}  // namespace quorvane::text
