// Saving and loading a control through a property bag and through a
// stream: the same named values either way.
#include "activex/memory_property_bag.h"
#include "common/com/bstr.h"
#include "ole_test.h"

#include <cstring>

namespace pkw::test {
namespace {

using PersistenceTest = OleTest;

Variant bytes(std::vector<BYTE> b) {
    Variant v;
    SAFEARRAYBOUND bound{static_cast<ULONG>(b.size()), 0};
    v.parray = ::SafeArrayCreate(VT_UI1, 1, &bound);
    v.vt = VT_ARRAY | VT_UI1;
    if (!b.empty()) std::memcpy(v.parray->pvData, b.data(), b.size());
    return v;
}

ComPtr<IStream> memoryStream() {
    ComPtr<IStream> s;
    ::CreateStreamOnHGlobal(nullptr, TRUE, &s);
    return s;
}

void rewind(IStream* s) {
    const LARGE_INTEGER zero{};
    s->Seek(zero, STREAM_SEEK_SET, nullptr);
}

std::vector<BYTE> contents(IStream* s) {
    STATSTG stat{};
    s->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> out(static_cast<size_t>(stat.cbSize.QuadPart));
    rewind(s);
    if (!out.empty()) s->Read(out.data(), static_cast<ULONG>(out.size()), nullptr);
    return out;
}

ComPtr<IStream> streamOf(const std::vector<BYTE>& b) {
    ComPtr<IStream> s = memoryStream();
    if (!b.empty()) s->Write(b.data(), static_cast<ULONG>(b.size()), nullptr);
    rewind(s.Get());
    return s;
}

// A probe with settings away from every default.
MadeProbe configuredProbe() {
    MadeProbe m = makeProbe();
    as<IPersistStreamInit>(m.probe.Get())->InitNew();
    m.probe->put_Caption(Bstr(L"Gr\u00fc\u00dfe \u0416").get());
    m.probe->put_Value(7);
    m.probe->put_Data(bytes({1, 0, 255, 3}));
    ComPtr<IFontDisp> font = makeFont(L"Tahoma", 120000, true);
    m.probe->putref_Font(font.Get());
    return m;
}

void expectSameSettings(Probe& loaded, Probe& original) {
    EXPECT_EQ(loaded.caption(), original.caption());
    EXPECT_EQ(loaded.value(), original.value());
    EXPECT_EQ(loaded.data(), original.data());
    EXPECT_EQ(lookOf(loaded.storedFont().Get()), lookOf(original.storedFont().Get()));
    // The window's font is the loaded one too.
    EXPECT_EQ(lookOf(loaded.font().Get()), lookOf(original.storedFont().Get()));
}

TEST_F(PersistenceTest, PropertyBagRoundTripCarriesEverySetting) {
    Made original = configuredProbe();
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    ASSERT_EQ(as<IPersistPropertyBag>(original.probe.Get())->Save(bag.Get(), TRUE, FALSE), S_OK);
    std::vector<std::wstring> names;
    for (const auto& e : bag->entries())
        names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::wstring>{L"Caption", L"Value", L"Data", L"Font"}));

    Made loaded = makeProbe();
    ASSERT_EQ(as<IPersistPropertyBag>(loaded.probe.Get())->Load(bag.Get(), nullptr), S_OK);
    expectSameSettings(*loaded.raw, *original.raw);
}

TEST_F(PersistenceTest, ValuesAtTheirDefaultsLeaveTheBagEmpty) {
    Made m = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), S_OK);
    m.probe->put_Caption(Bstr(L"").get());
    // The InitProperties font is an object, not "none": it is written.
    ComPtr<ax::MemoryPropertyBag> bag = ax::MemoryPropertyBag::create();
    ASSERT_EQ(as<IPersistPropertyBag>(m.probe.Get())->Save(bag.Get(), TRUE, FALSE), S_OK);
    ASSERT_EQ(bag->entries().size(), 1u);
    EXPECT_EQ(bag->entries()[0].name, L"Font");
}

TEST_F(PersistenceTest, StreamRoundTripCarriesTheFontAndTheBytes) {
    Made original = configuredProbe();
    ComPtr<IPersistStreamInit> persist = as<IPersistStreamInit>(original.probe.Get());
    ComPtr<IStream> s = memoryStream();
    ASSERT_EQ(persist->Save(s.Get(), TRUE), S_OK);
    ULARGE_INTEGER max{};
    ASSERT_EQ(persist->GetSizeMax(&max), S_OK);
    EXPECT_EQ(max.QuadPart, contents(s.Get()).size());

    rewind(s.Get());
    Made loaded = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(loaded.probe.Get())->Load(s.Get()), S_OK);
    expectSameSettings(*loaded.raw, *original.raw);
    EXPECT_EQ(logStarting(L"ReadProperties").size(), 1u);
}

TEST_F(PersistenceTest, OleSaveToStreamServesTheOlderPersistInterface) {
    Made original = configuredProbe();
    ComPtr<IPersistStream> persist = as<IPersistStream>(original.probe.Get());
    ASSERT_TRUE(persist);
    ComPtr<IStream> s = memoryStream();
    ASSERT_EQ(::OleSaveToStream(persist.Get(), s.Get()), S_OK);
    rewind(s.Get());
    CLSID clsid{};
    ASSERT_EQ(::ReadClassStm(s.Get(), &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Probe);
    Made loaded = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(loaded.probe.Get())->Load(s.Get()), S_OK);
    expectSameSettings(*loaded.raw, *original.raw);
}

TEST_F(PersistenceTest, DirtyAfterChangesAndNewSettingsCleanAfterSaveAndLoad) {
    Made m = makeProbe();
    ComPtr<IPersistStreamInit> persist = as<IPersistStreamInit>(m.probe.Get());
    ASSERT_EQ(persist->InitNew(), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ComPtr<IStream> s = memoryStream();
    ASSERT_EQ(persist->Save(s.Get(), FALSE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ASSERT_EQ(persist->Save(s.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    m.probe->put_Value(3);
    EXPECT_EQ(persist->IsDirty(), S_OK);

    rewind(s.Get());
    Made other = makeProbe();
    ComPtr<IPersistStreamInit> otherPersist = as<IPersistStreamInit>(other.probe.Get());
    ASSERT_EQ(otherPersist->Load(s.Get()), S_OK);
    EXPECT_EQ(otherPersist->IsDirty(), S_FALSE);
}

TEST_F(PersistenceTest, ADamagedStreamIsRefusedBeforeTheControlReadsAnything) {
    Made original = configuredProbe();
    ComPtr<IStream> s = memoryStream();
    ASSERT_EQ(as<IPersistStreamInit>(original.probe.Get())->Save(s.Get(), TRUE), S_OK);
    const std::vector<BYTE> whole = contents(s.Get());

    Made target = makeProbe();
    ComPtr<IPersistStreamInit> persist = as<IPersistStreamInit>(target.probe.Get());
    ASSERT_EQ(persist->InitNew(), S_OK);
    target.probe->put_Value(42);
    probeLog().clear();

    std::vector<BYTE> badMagic = whole;
    badMagic[1] ^= 0xFF;
    std::vector<BYTE> badType = whole;
    badType[16 + 4 + 2 * 7] = 0x77; // type of the first entry ("Caption")
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
        HRESULT expected;
    };
    std::vector<Case> cases = {
        {"empty stream", {}, STG_E_READFAULT},
        {"bad magic", badMagic, E_FAIL},
        {"bad type", badType, E_FAIL},
    };
    for (size_t n = 1; n < whole.size(); n += 7)
        cases.push_back(
            {"truncated", std::vector<BYTE>(whole.begin(), whole.begin() + n), STG_E_READFAULT});
    for (const Case& c : cases) {
        ComPtr<IStream> damaged = streamOf(c.bytes);
        EXPECT_EQ(persist->Load(damaged.Get()), c.expected) << c.what << " " << c.bytes.size();
    }
    EXPECT_EQ(persist->Load(nullptr), E_POINTER);
    EXPECT_TRUE(logStarting(L"ReadProperties").empty());
    EXPECT_EQ(target.raw->value(), 42);
    EXPECT_EQ(target.raw->caption(), L"Probe");
}

} // namespace
} // namespace pkw::test
