// The text box's code-page conversion on the system's own decoder (the
// rules around it are tested natively with a stand-in decoder).
#include "textbox/unicode_conversion.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace pkw::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CodePageConversion, PagesDecodeThroughTheSystem) {
    // Cyrillic single bytes, and a Shift-JIS pair for one character.
    EXPECT_EQ(textbox::ConvertCodePageBytes(Bytes{0xC0, 0xE0}, 1251),
              (Bytes{0x10, 0x04, 0x30, 0x04}));
    EXPECT_EQ(textbox::ConvertCodePageBytes(Bytes{0x93, 0xFA}, 932), (Bytes{0xE5, 0x65}));
}

} // namespace
} // namespace pkw::test
