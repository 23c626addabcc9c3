#include "common/text/unicode_text.h"

#include <gtest/gtest.h>

namespace {

using pkw::text::ContainsWideChars;
using pkw::text::FromUnicodeBytes;
using pkw::text::ToUnicodeBytes;

TEST(UnicodeText, WideCharsAreThoseAboveLatin1) {
    EXPECT_FALSE(ContainsWideChars(u""));
    EXPECT_FALSE(ContainsWideChars(u"abc"));
    EXPECT_FALSE(ContainsWideChars(u"\u00FF"));
    EXPECT_TRUE(ContainsWideChars(u"a\u0100"));
    EXPECT_TRUE(ContainsWideChars(u"\U0001F600")); // surrogates are above U+00FF
}

TEST(UnicodeText, BytesAreLittleEndianWithoutTerminator) {
    const std::vector<std::uint8_t> expected{0x61, 0x00, 0x10, 0x04};
    EXPECT_EQ(ToUnicodeBytes(u"a\u0410"), expected);
    EXPECT_TRUE(ToUnicodeBytes(u"").empty());
}

TEST(UnicodeText, RoundTripKeepsSurrogatePairs) {
    const std::u16string text = u"x\U0001F600\u4E2D";
    EXPECT_EQ(FromUnicodeBytes(ToUnicodeBytes(text)), text);
}

TEST(UnicodeText, OddFinalByteIsAUnitOfItsOwn) {
    const std::uint8_t threeZeros[] = {0, 0, 0};
    EXPECT_EQ(FromUnicodeBytes(threeZeros), std::u16string(2, u'\0'));
    const std::uint8_t odd[] = {0x41, 0x00, 0x42};
    EXPECT_EQ(FromUnicodeBytes(odd), u"AB");
}

} // namespace
