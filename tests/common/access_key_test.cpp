#include "common/text/access_key.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

using pkw::text::AccessKeyOf;

struct Case {
    const char16_t* caption;
    char16_t key; // 0: no key
};

// The caption in test listings and messages: ASCII as it stands, other
// characters as U+XXXX.
std::string Spelled(const char16_t* text) {
    std::string out;
    for (; *text; ++text) {
        if (*text >= 0x20 && *text < 0x7F) {
            out += static_cast<char>(*text);
        } else {
            char code[12];
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(*text));
            out += code;
        }
    }
    return out;
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << '"' << Spelled(c.caption) << '"';
}

// A name gtest accepts: the case's number, then the caption's letters and
// digits, "&" spelled Amp.
std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = std::to_string(info.index) + "_";
    for (char c : Spelled(info.param.caption))
        name += c == '&'                                      ? std::string("Amp")
                : std::isalnum(static_cast<unsigned char>(c)) ? std::string(1, c)
                                                              : std::string("_");
    return name;
}

class AccessKeyCases : public ::testing::TestWithParam<Case> {};

TEST_P(AccessKeyCases, DerivesTheKey) {
    const Case& c = GetParam();
    const auto key = AccessKeyOf(c.caption);
    if (c.key == 0) {
        EXPECT_FALSE(key.has_value()) << "got U+" << std::hex << int(key.value_or(0));
    } else {
        ASSERT_TRUE(key.has_value());
        EXPECT_EQ(*key, c.key);
    }
}

INSTANTIATE_TEST_SUITE_P(Captions, AccessKeyCases,
                         ::testing::Values(Case{u"&Open", u'O'},    // as written
                                           Case{u"Save &as", u'a'}, //
                                           Case{u"A && B &Cancel",
                                                u'C'},                 // doubled, then a single one
                                           Case{u"Salt && Pepper", 0}, // doubled only
                                           Case{u"Trailing&", 0},      // last character
                                           Case{u"&", 0},              // one character
                                           Case{u"x", 0},              //
                                           Case{u"", 0},               //
                                           Case{u"No ampersand", 0},   //
                                           Case{u"&&& x", u' '},       // "&&" then "& ": the space
                                           Case{u"a&&&&b", 0},         // second "&" followed by "&"
                                           Case{u"a&&b&", 0},          // single "&" at the end
                                           Case{u"&\u0416uk", u'\u0416'},      // Cyrillic
                                           Case{u"&\u00C9t\u00E9", u'\u00C9'}, // Latin-1
                                           Case{u"1&2", u'2'}),
                         CaseName);

} // namespace
