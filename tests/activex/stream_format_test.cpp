// The stream form of a bag: every value type it carries comes back as it
// went, and no damaged record gets through.
#include "probe_test.h"

#include "activex/memory_property_bag.h"
#include "activex/property_bag.h"
#include "activex/stream_format.h"
#include "common/com/bstr.h"
#include "tests/host/test_pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace pkw::test {
namespace {

namespace fmt = ax::stream_format;

ComPtr<IStream> memoryStream(const std::vector<BYTE>& bytes = {}) {
    ComPtr<IStream> s;
    streamFromBytes(bytes, s);
    return s;
}

std::vector<BYTE> contents(IStream* s) {
    std::vector<BYTE> out;
    streamBytes(s, out);
    return out;
}

Variant scalar(VARTYPE vt, LONGLONG bits) {
    Variant v;
    v.vt = vt;
    v.llVal = bits;
    return v;
}

Variant byteArray(std::vector<BYTE> b, LONG lower = 0) {
    Variant v = bytes(b);
    v.parray->rgsabound[0].lLbound = lower;
    return v;
}

// A record with one entry of each kind the format carries.
ComPtr<ax::MemoryPropertyBag> fullBag(IFontDisp* font) {
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    Variant r4 = Variant::fromR4(2.5f);
    Variant r8;
    r8.vt = VT_R8;
    r8.dblVal = -1.0e300;
    Variant text = Variant::fromString(L"caf\u00e9 \U0001F600");
    Variant withNul;
    withNul.vt = VT_BSTR;
    withNul.bstrVal = ::SysAllocStringLen(L"a\0b", 3);
    Variant nullObj;
    nullObj.vt = VT_UNKNOWN;
    nullObj.punkVal = nullptr;
    Variant intValue;
    intValue.vt = VT_INT;
    intValue.intVal = -7;
    const std::pair<const wchar_t*, Variant> values[] = {
        {L"Empty", Variant()},
        {L"Null", scalar(VT_NULL, 0)},
        {L"UI1", scalar(VT_UI1, 0xFE)},
        {L"I2", Variant::fromI2(-12345)},
        {L"Bool", Variant::fromBool(true)},
        {L"I4", Variant::fromI4(-123456789)},
        {L"UI4", scalar(VT_UI4, 0xFFFFFFFE)},
        {L"Error", scalar(VT_ERROR, static_cast<LONG>(DISP_E_PARAMNOTFOUND))},
        {L"R4", r4},
        {L"R8", r8},
        {L"CY", scalar(VT_CY, 123456789012345LL)},
        {L"Date", scalar(VT_DATE, 0x40E5F48000000000LL)},
        {L"I8", scalar(VT_I8, -9000000000000000000LL)},
        {L"UI8", scalar(VT_UI8, 0x7FFFFFFFFFFFFFFFLL)},
        {L"Int", intValue},
        {L"Text", text},
        {L"TextWithNul", withNul},
        {L"EmptyText", Variant::fromString(L"")},
        {L"Bytes", byteArray({0x61, 0x00, 0xE9, 0x00, 0x00})},
        {L"BytesFrom1", byteArray({1, 2}, 1)},
        {L"NoBytes", byteArray({})},
        {L"NoObject", nullObj},
        {L"Font", Variant::fromDispatch(font)},
    };
    for (const auto& [name, value] : values)
        bag->set(name, value);
    return bag;
}

std::vector<BYTE> savedRecord() {
    ComPtr<IFontDisp> font = makeFont(L"Tahoma", 120000, true, true);
    ComPtr<IStream> s = memoryStream();
    EXPECT_EQ(fmt::write(s.Get(), *fullBag(font.Get()).Get()), S_OK);
    return contents(s.Get());
}

// Every entry of `loaded` as `original` held it; the font a new object
// with the same look.
void ExpectSameEntries(const ax::MemoryPropertyBag& original, const ax::MemoryPropertyBag& loaded,
                       IFontDisp* font) {
    ASSERT_EQ(loaded.entries().size(), original.entries().size());
    for (size_t i = 0; i < original.entries().size(); ++i) {
        const auto& want = original.entries()[i];
        const auto& got = loaded.entries()[i];
        EXPECT_EQ(got.name, want.name);
        const VARTYPE expectedType =
            want.value.vt == VT_INT ? static_cast<VARTYPE>(VT_I4) : want.value.vt;
        EXPECT_EQ(got.value.vt, expectedType) << "entry " << i;
        if (want.name == L"Font") continue; // a new object, compared below
        EXPECT_TRUE(ax::ValuesEqual(got.value, want.value)) << "entry " << i;
    }
    // Exact bits where equality by value could hide a difference.
    const VARIANT* text = loaded.find(L"TextWithNul");
    ASSERT_TRUE(text);
    ASSERT_EQ(::SysStringLen(text->bstrVal), 3u);
    EXPECT_EQ(std::memcmp(text->bstrVal, L"a\0b", 6), 0);
    EXPECT_EQ(loaded.find(L"R8")->dblVal, -1.0e300);
    EXPECT_EQ(loaded.find(L"BytesFrom1")->parray->rgsabound[0].lLbound, 1);
    EXPECT_EQ(loaded.find(L"UI8")->ullVal, 0x7FFFFFFFFFFFFFFFull);

    // The font is a font again, with its settings.
    const VARIANT* f = loaded.find(L"Font");
    ASSERT_TRUE(f && f->pdispVal);
    EXPECT_NE(f->pdispVal, static_cast<IDispatch*>(font));
    ComPtr<IFontDisp> loadedFont;
    ASSERT_EQ(f->pdispVal->QueryInterface(IID_PPV_ARGS(&loadedFont)), S_OK);
    EXPECT_EQ(lookOf(loadedFont.Get()), lookOf(font));
    EXPECT_TRUE(lookOf(loadedFont.Get()).bold);
    EXPECT_TRUE(lookOf(loadedFont.Get()).italic);
}

// Records of the first version (fonts as font objects save themselves)
// still read, every value as it was.
TEST(StreamFormatTest, EveryValueKindComesBackAsWrittenInEachVersion) {
    ComPtr<IFontDisp> font = makeFont(L"Tahoma", 120000, true, true);
    ComPtr<ax::MemoryPropertyBag> original = fullBag(font.Get());
    for (const fmt::Version version : {fmt::Version::Latest, fmt::Version::First}) {
        SCOPED_TRACE(static_cast<int>(version));
        ComPtr<IStream> s = memoryStream();
        ASSERT_EQ(fmt::write(s.Get(), *original.Get(), version), S_OK);
        const std::vector<BYTE> written = contents(s.Get());
        ASSERT_GT(written.size(), 6u);
        EXPECT_EQ(written[4], static_cast<BYTE>(version));
        ULARGE_INTEGER latest{};
        ASSERT_EQ(fmt::size(*original.Get(), &latest), S_OK);
        if (version == fmt::Version::Latest) {
            EXPECT_EQ(latest.QuadPart, written.size());
        } else {
            EXPECT_GT(written.size(), latest.QuadPart)
                << "the font as the font object saves itself";
        }

        ComPtr<ax::MemoryPropertyBag> loaded = ax::MemoryPropertyBag::create();
        s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        ASSERT_EQ(fmt::read(s.Get(), *loaded.Get()), S_OK);
        ExpectSameEntries(*original.Get(), *loaded.Get(), font.Get());
    }
}

TEST(StreamFormatTest, ReadingTakesExactlyTheRecordOffTheStream) {
    std::vector<BYTE> bytes = savedRecord();
    const size_t recordSize = bytes.size();
    const BYTE tail[] = {'T', 'A', 'I', 'L'};
    bytes.insert(bytes.end(), std::begin(tail), std::end(tail));
    ComPtr<IStream> s = memoryStream(bytes);
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    ASSERT_EQ(fmt::read(s.Get(), *bag.Get()), S_OK);
    ULARGE_INTEGER at{};
    const LARGE_INTEGER zero{};
    s->Seek(zero, STREAM_SEEK_CUR, &at);
    EXPECT_EQ(at.QuadPart, recordSize);
}

TEST(StreamFormatTest, EveryTruncationIsAReadFault) {
    const std::vector<BYTE> whole = savedRecord();
    ASSERT_GT(whole.size(), 100u);
    for (size_t n = 0; n < whole.size(); ++n) {
        ComPtr<IStream> s = memoryStream(std::vector<BYTE>(whole.begin(), whole.begin() + n));
        ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
        ASSERT_EQ(fmt::read(s.Get(), *bag.Get()), STG_E_READFAULT) << "cut at " << n;
    }
}

TEST(StreamFormatTest, DamagedRecordsAreRejected) {
    // Offsets: magic 0, version 4, payload size 8, entry count 12, first
    // name length 16, first name "Empty" 20..29, its type 30.
    const std::vector<BYTE> whole = savedRecord();
    auto patched = [&](size_t at, std::vector<BYTE> with) {
        std::vector<BYTE> b = whole;
        if (at + with.size() <= b.size()) std::copy(with.begin(), with.end(), b.begin() + at);
        return b;
    };
    auto u32 = [](UINT32 v) {
        return std::vector<BYTE>{BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)};
    };
    const UINT32 payload = static_cast<UINT32>(whole.size() - 12);
    std::vector<BYTE> trailing = patched(8, u32(payload + 2));
    trailing.push_back(0);
    trailing.push_back(0);

    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        HRESULT expected;
    };
    const Case cases[] = {
        {"bad magic", patched(0, {'X'}), E_FAIL},
        {"more entries than written", patched(12, u32(1000)), E_FAIL},
        {"name length that wraps", patched(16, u32(0x80000003)), E_FAIL},
        {"unknown value type", patched(30, {0x44, 0x44}), E_FAIL},
        {"payload shorter than its entries", patched(8, u32(payload - 1)), E_FAIL},
        {"bytes after the entries", trailing, E_FAIL},
    };
    for (const Case& c : cases) {
        ComPtr<IStream> s = memoryStream(c.bytes);
        ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
        EXPECT_EQ(fmt::read(s.Get(), *bag.Get()), c.expected) << c.what;
    }
}

TEST(StreamFormatTest, AnObjectThatCannotBeLoadedFailsTheRead) {
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    ComPtr<IFontDisp> font = makeFont(L"Tahoma", 80000);
    bag->set(L"Font", Variant::fromDispatch(font.Get()));
    ComPtr<IStream> s = memoryStream();
    // The first version's record keeps the font as an object.
    ASSERT_EQ(fmt::write(s.Get(), *bag.Get(), fmt::Version::First), S_OK);
    std::vector<BYTE> bytes = contents(s.Get());
    // Entry: name length 4 + "Font" 8 + type 2 + object size 4, then the class id.
    const size_t clsidAt = 12 + 4 + 4 + 8 + 2 + 4;
    ASSERT_GT(bytes.size(), clsidAt + 16);
    bytes[clsidAt] ^= 0x5A;
    ComPtr<IStream> damaged = memoryStream(bytes);
    ComPtr<ax::MemoryPropertyBag> loaded = ax::MemoryPropertyBag::create();
    EXPECT_TRUE(FAILED(fmt::read(damaged.Get(), *loaded.Get())));
}

TEST(StreamFormatTest, AClaimBeyondTheStreamIsRefusedWithoutReadingIt) {
    std::vector<BYTE> bytes = savedRecord();
    bytes[8] = bytes[9] = bytes[10] = bytes[11] = 0xFF; // a 4 GB payload
    ComPtr<IStream> s = memoryStream(bytes);
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    EXPECT_EQ(fmt::read(s.Get(), *bag.Get()), STG_E_READFAULT);
    ULARGE_INTEGER at{};
    s->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &at);
    EXPECT_EQ(at.QuadPart, 12u) << "read past the header";
}

TEST(StreamFormatTest, OnlyFontsAndPicturesAreMadeFromARecord) {
    ComPtr<IMoniker> moniker;
    ASSERT_EQ(::CreateFileMoniker(L"C:\\any", &moniker), S_OK);
    struct Case {
        const char* what;
        ComPtr<IUnknown> object;
        HRESULT expected;
    };
    const Case cases[] = {
        {"font", makeFont(L"Tahoma", 80000), S_OK},
        {"picture", bitmapPicture(4, 3, RGB(1, 2, 3)), S_OK},
        // Any other class with a stream form, registered or not.
        {"moniker", moniker, ax::stream_format::kObjectRefused},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.object) << c.what;
        ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
        Variant object;
        object.vt = VT_UNKNOWN;
        object.punkVal = c.object.Get();
        object.punkVal->AddRef();
        bag->set(L"Object", object);
        ComPtr<IStream> s = memoryStream();
        ASSERT_EQ(fmt::write(s.Get(), *bag.Get()), S_OK) << c.what;
        s->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr);
        ComPtr<ax::MemoryPropertyBag> loaded = ax::MemoryPropertyBag::create();
        EXPECT_EQ(fmt::read(s.Get(), *loaded.Get()), c.expected) << c.what;
    }
}

TEST(StreamFormatTest, ATypeWithoutStreamFormFailsTheWriteAndWritesNothing) {
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    bag->set(L"Fine", Variant::fromI4(1));
    SAFEARRAYBOUND bound{2, 0};
    Variant longs;
    longs.vt = VT_ARRAY | VT_I4;
    longs.parray = ::SafeArrayCreate(VT_I4, 1, &bound);
    bag->set(L"Longs", longs);
    ComPtr<IStream> s = memoryStream();
    EXPECT_EQ(fmt::write(s.Get(), *bag.Get()), DISP_E_BADVARTYPE);
    EXPECT_TRUE(contents(s.Get()).empty());
}

} // namespace
} // namespace pkw::test
