// The property-bag file: every kind of value comes back as it went, and a
// hostile file costs only its bad lines.
#include "host/bag_text.h"
#include "host/container_test.h"
#include "host/font_text.h"
#include "host/value_text.h"
#include "host/variant_slot.h"
#include "tests/host/test_pictures.h"

#include "common/com/bstr.h"

#include <olectl.h>

#include <cstring>

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

Variant scalar(VARTYPE vt, LONGLONG bits) {
    Variant v;
    v.vt = vt;
    v.llVal = bits; // every scalar starts the union
    return v;
}

Variant bytes(std::vector<BYTE> content) {
    Variant v;
    EXPECT_HRESULT_SUCCEEDED(makeByteArray(content, v));
    return v;
}

Variant string(std::wstring_view text) {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

Variant font() {
    FONTDESC desc{sizeof(desc), const_cast<LPOLESTR>(L"Tahoma"), {}, 700, 238, TRUE, TRUE, TRUE};
    desc.cySize.int64 = 112500; // 11.25 points
    ComPtr<IFontDisp> f;
    EXPECT_HRESULT_SUCCEEDED(::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&f)));
    return Variant::fromDispatch(f.Get());
}

// Everything the font keeps; empty for what is no font.
std::wstring fontLook(IUnknown* object) {
    std::wstring text;
    return object && SUCCEEDED(describeFont(object, text)) ? text : std::wstring();
}

std::vector<BYTE> pictureBytes(IUnknown* picture) {
    std::vector<BYTE> out;
    EXPECT_HRESULT_SUCCEEDED(savePictureBytes(picture, out));
    return out;
}

void expectSameValue(const std::wstring& name, const VARIANT& want, const VARIANT& got) {
    SCOPED_TRACE(narrow(name));
    ASSERT_EQ(got.vt, want.vt);
    std::vector<BYTE> a, b;
    switch (want.vt) {
    case VT_BSTR:
        EXPECT_EQ(std::wstring_view(got.bstrVal, ::SysStringLen(got.bstrVal)),
                  std::wstring_view(want.bstrVal, ::SysStringLen(want.bstrVal)));
        return;
    case VT_ARRAY | VT_UI1:
        ASSERT_TRUE(byteArrayBytes(want, a) && byteArrayBytes(got, b));
        EXPECT_EQ(a, b);
        return;
    case VT_DISPATCH:
        if (!want.pdispVal) {
            EXPECT_EQ(got.pdispVal, nullptr);
        } else if (!fontLook(want.pdispVal).empty()) {
            EXPECT_EQ(fontLook(got.pdispVal), fontLook(want.pdispVal));
        } else {
            EXPECT_EQ(pictureBytes(got.pdispVal), pictureBytes(want.pdispVal));
        }
        return;
    case VT_EMPTY:
    case VT_NULL:
        return;
    default: // a scalar: the same bits
        ASSERT_GT(scalarSize(want.vt), 0u);
        EXPECT_EQ(std::memcmp(&got.llVal, &want.llVal, scalarSize(want.vt)), 0);
    }
}

TEST(BagFileTest, EveryKindOfValueReadsBackAsItWasWritten) {
    const std::vector<BagEntry> written = {
        {L"Caption", bytes({'H', 0, 'i', 0})},
        {L"TipText", bytes({0x42, 0x01, '\n', 0, 0x3D, 0xD8, 0x00, 0xDE})}, // Ł, LF, an emoji
        {L"Odd", bytes({0, 0, 0})},
        {L"Control", bytes({1, 0})},
        {L"Empty", bytes({})},
        {L"Text", string(std::wstring(L"say \"\\hi\"\ttab\r\n\u00FC") + L'\0' + L"\xD800!")},
        {L"Alpha0", scalar(VT_I2, -1)},
        {L"Long", scalar(VT_I4, static_cast<LONG>(0x80000000))},
        {L"Unsigned", scalar(VT_UI4, 0xFFFFFFFF)},
        {L"Huge", scalar(VT_I8, -9223372036854775807LL - 1)},
        {L"Byte", scalar(VT_UI1, 255)},
        {L"Yes", Variant::fromBool(true)},
        {L"No", Variant::fromBool(false)},
        {L"Odd Boolean", scalar(VT_BOOL, 1)},
        {L"Single", Variant::fromR4(0.1f)},
        {L"Double",
         [] {
             Variant v = scalar(VT_R8, 0);
             v.dblVal = -1e-300;
             return v;
         }()},
        {L"Money", scalar(VT_CY, -12345678)},
        {L"ForeColor", scalar(VT_I4, static_cast<LONG>(0x8000000F))},
        {L"Font", font()},
        {L"Picture", Variant::fromDispatch(bitmapPicture(3, 2, RGB(200, 10, 30)).Get())},
        {L"MouseIcon", Variant::fromDispatch(nullptr)},
        {L"Nothing yet", Variant()},
        {L"TIP:HeaderAlpha", scalar(VT_I2, 7)},
        {L"a=b", scalar(VT_I2, 1)},
        {L" padded ", scalar(VT_I2, 2)},
        {L"#hash", scalar(VT_I2, 3)},
    };
    BagTextOptions options;
    options.comment = L"every kind";
    options.isColour = [](std::wstring_view name) { return name == L"ForeColor"; };
    std::vector<BagProblem> problems;
    const std::string text = writeBagText(written, options, problems);
    EXPECT_TRUE(problems.empty());

    const std::vector<BagEntry> read = readBagText(text, problems);
    EXPECT_TRUE(problems.empty()) << (problems.empty() ? "" : narrow(problems[0].message));
    ASSERT_EQ(read.size(), written.size()) << text;
    for (std::size_t i = 0; i < read.size(); ++i) {
        EXPECT_EQ(read[i].name, written[i].name);
        expectSameValue(written[i].name, written[i].value, read[i].value);
    }
    // What reads back writes back the same, byte for byte.
    EXPECT_EQ(writeBagText(read, options, problems), text);

    // People read it: texts as text, colours in hex, names as they are.
    for (const char* line : {"\nCaption = text: \"Hi\"\n", "\nOdd = bytes: 00 00 00\n",
                             "\nForeColor = colour: 0x8000000f\n", "\nYes = bool: True\n",
                             "\nTIP:HeaderAlpha = i2: 7\n", "\n\"a=b\" = i2: 1\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
}

// Each line is good or bad on its own; the bad ones are reported by number.
TEST(BagFileTest, BadLinesAreReportedByNumberAndTheRestIsRead) {
    struct Line {
        std::string text;
        bool good;
    };
    const Line lines[] = {
        {"\xEF\xBB\xBF# a comment after a byte-order mark", true},
        {"First = i2: 1\r", true},
        {"", true},
        {"no equals sign", false},
        {"Object = object: {0BE35203-8F91-11CE-9DE3-00AA004BB851}", false}, // no such type
        {"Small = i2: 70000", false},
        {"Word = i4: twelve", false},
        {"Bytes = bytes: 0 1 2", false},
        {"Picture = picture: 00 11 22 33", false}, // not a picture
        {"Quote = string: \"open", false},
        {"Escape = string: \"\\q\"", false},
        {"Extra = string: \"a\" b", false},
        {std::string("Nul = i2: 1\0", 12), false},
        {"Latin = string: \"\xC3\x28\"", false}, // not UTF-8
        {"First = i2: 2", false},                // given already
        {"Gone = nothing: x", false},
        {"Bare = i4", false},
        {" = i2: 1", false},
        {"Font = font: name=\"Tahoma\" size=8 colour=red", false},
        {"Font = font: size=8", false},
        {"Tiny = font: name=\"Tahoma\" size=0", false},
        {"Last = colour: &H8000000F", true},
    };
    std::string text;
    std::vector<int> bad;
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        text += lines[i].text + "\n";
        if (!lines[i].good) bad.push_back(static_cast<int>(i + 1));
    }
    std::vector<BagProblem> problems;
    const std::vector<BagEntry> read = readBagText(text, problems);
    std::vector<int> reported;
    for (const BagProblem& p : problems)
        reported.push_back(p.line);
    EXPECT_EQ(reported, bad);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].name, L"First");
    EXPECT_EQ(read[0].value.iVal, 1);
    EXPECT_EQ(read[1].name, L"Last");
    EXPECT_EQ(read[1].value.lVal, static_cast<LONG>(0x8000000F));
}

// No control writes this many keys: the rest of such a file is not read.
TEST(BagFileTest, AFileOfEndlessKeysIsCutShort) {
    std::string text;
    for (int i = 0; i < 70000; ++i)
        text += "K" + std::to_string(i) + " = i2: 1\n";
    std::vector<BagProblem> problems;
    EXPECT_EQ(readBagText(text, problems).size(), 65536u);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].line, 65537);
}

} // namespace
} // namespace pkw::test
