// Saving and loading a control through a property bag and through a
// stream: the same named values either way, dirty state, damaged input.
#include "probe_test.h"

namespace pkw::test {
namespace {

using PersistenceTest = ProbeTest;

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
    // A font of its own, and the window's font is the loaded one too.
    EXPECT_NE(loaded.storedFont().Get(), original.storedFont().Get());
    EXPECT_EQ(lookOf(loaded.font().Get()), lookOf(original.storedFont().Get()));
}

TEST_F(PersistenceTest, EverySettingSurvivesEachWayOfSavingAndLoading) {
    MadeProbe original = configuredProbe();
    auto bag = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(original.probe.Get(), bag.Get()), S_OK);
    EXPECT_EQ(bag->names(), (std::vector<std::wstring>{L"Caption", L"Value", L"Data", L"Font"}));
    ComPtr<IStream> stream;
    ASSERT_EQ(saveToStream(original.probe.Get(), stream), S_OK);
    std::vector<BYTE> saved;
    ASSERT_EQ(streamBytes(stream.Get(), saved), S_OK);
    ULARGE_INTEGER max{};
    ASSERT_EQ(as<IPersistStreamInit>(original.probe.Get())->GetSizeMax(&max), S_OK);
    EXPECT_EQ(max.QuadPart, saved.size());

    // Through the container, as a form loads its controls.
    AddOptions fromBag;
    fromBag.init = AddOptions::Init::PropertyBag;
    fromBag.bag = bag.Get();
    AddOptions fromStream;
    fromStream.init = AddOptions::Init::Stream;
    fromStream.stream = stream.Get();
    for (const AddOptions* options : {&fromBag, &fromStream}) {
        probeLog().clear();
        Probe* copy = nullptr;
        auto site = addProbe(L"Copy", {10, 50, 110, 74}, &copy, *options);
        ASSERT_TRUE(site);
        expectSameSettings(*copy, *original.raw);
        EXPECT_EQ(logOf({L"ReadProperties", L"InitProperties"}),
                  std::vector<std::wstring>{L"ReadProperties"});
        ASSERT_EQ(form().remove(*site.Get()), S_OK);
    }

    // OleSaveToStream serves the older persistence interface.
    ComPtr<IStream> older;
    ASSERT_EQ(::CreateStreamOnHGlobal(nullptr, TRUE, &older), S_OK);
    ASSERT_EQ(::OleSaveToStream(as<IPersistStream>(original.probe.Get()).Get(), older.Get()), S_OK);
    const LARGE_INTEGER zero{};
    older->Seek(zero, STREAM_SEEK_SET, nullptr);
    CLSID clsid{};
    ASSERT_EQ(::ReadClassStm(older.Get(), &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Probe);
    MadeProbe loaded = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(loaded.probe.Get())->Load(older.Get()), S_OK);
    expectSameSettings(*loaded.raw, *original.raw);
}

TEST_F(PersistenceTest, ValuesAtTheirDefaultsLeaveTheBagEmpty) {
    MadeProbe m = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), S_OK);
    m.probe->put_Caption(Bstr(L"").get());
    // The InitProperties font is an object, not "none": it is written.
    auto bag = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(m.probe.Get(), bag.Get()), S_OK);
    EXPECT_EQ(bag->names(), std::vector<std::wstring>{L"Font"});
}

TEST_F(PersistenceTest, DirtyAfterChangesAndNewSettingsCleanAfterSaveAndLoad) {
    MadeProbe m = makeProbe();
    ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->InitNew(), S_OK);
    EXPECT_EQ(isDirty(m.probe.Get()), S_OK);
    ComPtr<IStream> s;
    ASSERT_EQ(saveToStream(m.probe.Get(), s, false), S_OK);
    EXPECT_EQ(isDirty(m.probe.Get()), S_OK);
    ASSERT_EQ(saveToStream(m.probe.Get(), s), S_OK);
    EXPECT_EQ(isDirty(m.probe.Get()), S_FALSE);
    m.probe->put_Value(3);
    EXPECT_EQ(isDirty(m.probe.Get()), S_OK);

    MadeProbe other = makeProbe();
    ASSERT_EQ(loadFromStream(other.probe.Get(), s.Get()), S_OK);
    EXPECT_EQ(isDirty(other.probe.Get()), S_FALSE);
}

TEST_F(PersistenceTest, ADamagedStreamIsRefusedBeforeTheControlReadsAnything) {
    MadeProbe original = configuredProbe();
    ComPtr<IStream> s;
    ASSERT_EQ(saveToStream(original.probe.Get(), s), S_OK);
    std::vector<BYTE> whole;
    ASSERT_EQ(streamBytes(s.Get(), whole), S_OK);

    MadeProbe target = makeProbe();
    ComPtr<IPersistStreamInit> persist = as<IPersistStreamInit>(target.probe.Get());
    ASSERT_EQ(persist->InitNew(), S_OK);
    target.probe->put_Value(42);
    probeLog().clear();

    // Which records are refused is the stream format's test; here, that a
    // refused one reaches nothing of the control.
    ComPtr<IStream> damaged;
    ASSERT_EQ(streamFromBytes(std::vector<BYTE>(whole.begin(), whole.end() - 1), damaged), S_OK);
    EXPECT_EQ(persist->Load(damaged.Get()), STG_E_READFAULT);
    EXPECT_EQ(persist->Load(nullptr), E_POINTER);
    EXPECT_TRUE(logOf({L"ReadProperties"}).empty());
    EXPECT_EQ(target.raw->value(), 42);
    EXPECT_EQ(target.raw->caption(), L"Probe");
}

} // namespace
} // namespace pkw::test
