#include "common/text/code_page.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using pkw::text::CodePageDecoder;
using pkw::text::ConvertCodePageBytes;
using Bytes = std::vector<std::uint8_t>;

// A stand-in for the system: Latin-1, one unit a byte; remembers its input.
struct Latin1 {
    std::string seen;
    CodePageDecoder decoder() {
        return [this](std::string_view source, std::span<char16_t> out) {
            seen.assign(source);
            std::size_t n = 0;
            for (; n < source.size() && n < out.size(); ++n) {
                out[n] = static_cast<unsigned char>(source[n]);
                if (!source[n]) return static_cast<int>(n + 1);
            }
            return 0;
        };
    }
};

const CodePageDecoder kFailing = [](std::string_view, std::span<char16_t>) { return 0; };

TEST(CodePage, WesternPageWidensEveryByteWithoutTheSystem) {
    // 0x80..0x9F stay C1 controls (not the euro sign and friends), and a
    // zero byte is a unit like any other.
    EXPECT_EQ(ConvertCodePageBytes(Bytes{0x41, 0x00, 0x42, 0x80, 0x9F}, 1252, kFailing),
              (Bytes{0x41, 0, 0x00, 0, 0x42, 0, 0x80, 0, 0x9F, 0}));
    EXPECT_EQ(ConvertCodePageBytes(Bytes{0xC0, 0xE0}, 1252, kFailing), (Bytes{0xC0, 0, 0xE0, 0}));
}

TEST(CodePage, OtherPagesDecodeWithABarThatIsCutOffAgain) {
    Latin1 system;
    EXPECT_EQ(ConvertCodePageBytes(Bytes{0x41, 0x42}, 1251, system.decoder()),
              (Bytes{0x41, 0, 0x42, 0}));
    EXPECT_EQ(system.seen, std::string("AB|\0", 4));
}

TEST(CodePage, EmptyInputAndFailuresGiveAnEmptyArray) {
    Latin1 system;
    EXPECT_TRUE(ConvertCodePageBytes(Bytes{}, 1251, system.decoder()).empty());
    EXPECT_TRUE(ConvertCodePageBytes(Bytes{}, 1252, system.decoder()).empty());
    EXPECT_TRUE(system.seen.empty()) << "nothing to decode";
    EXPECT_TRUE(ConvertCodePageBytes(Bytes{0x41}, 1251, kFailing).empty());
    EXPECT_TRUE(ConvertCodePageBytes(Bytes{0x41}, 1251, nullptr).empty());
    // A decoder that wrote less than the bar and the terminator.
    const CodePageDecoder shortWrite = [](std::string_view, std::span<char16_t>) { return 1; };
    EXPECT_TRUE(ConvertCodePageBytes(Bytes{0x41}, 1251, shortWrite).empty());
}

TEST(CodePage, TextStopsAtAZeroByteOutsideTheWesternPage) {
    Latin1 system;
    EXPECT_EQ(ConvertCodePageBytes(Bytes{0x41, 0x00, 0x42}, 1251, system.decoder()),
              (Bytes{0x41, 0}));
    EXPECT_EQ(system.seen, std::string("A|\0", 3));
}

} // namespace
