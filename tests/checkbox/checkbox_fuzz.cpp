// Seeded fuzzing of the check box's saved settings. Each item is a
// malformed property bag (wrong value types, extreme numbers, NaN, odd and
// huge byte arrays, huge stop counts, failing reads; with and without the
// effects look) or a malformed stream (cut short, bits flipped, payload
// claims beyond its end, objects nested in objects, objects of any class).
// Each is loaded into a new control, which is saved and loaded again into
// another: loading a bag never fails, a stream is taken or refused whole,
// no save fails, and the second control shows what the first one showed
// and saves what it saved.
//
//   checkbox_fuzz                  a few dozen items (the test run)
//   checkbox_fuzz --fuzz-long      10,000 bags and 1,000 streams
//   checkbox_fuzz --fuzz-seed=N    another sequence of items
#include "host/container_test.h"
#include "host/font_text.h"
#include "host/value_text.h"

#include "zelPickwell40.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <map>
#include <random>

namespace pkw::test {
namespace {

struct FuzzRun {
    int bags = 200;
    int streams = 60;
    unsigned seed = 1;
};

FuzzRun Options() {
    FuzzRun run;
    for (const std::string& arg : ::testing::internal::GetArgvs()) {
        if (arg == "--fuzz-long") run.bags = 10000, run.streams = 1000;
        if (arg.starts_with("--fuzz-seed=")) run.seed = std::stoul(arg.substr(12));
    }
    return run;
}

ComPtr<IUnknown> NewControl() {
    ComPtr<IUnknown> control;
    createFromDll(besideProgram(kLibraryFile), CLSID_NuCheckBox40, control);
    return control;
}

// --- What a control shows and what a bag holds, as comparable text ---------

// Fonts with every attribute, pictures by kind and size, arrays with their
// bounds, anything else as the host's log writes it.
std::wstring Describe(const VARIANT& v) {
    using std::to_wstring;
    IUnknown* object = (v.vt == VT_DISPATCH || v.vt == VT_UNKNOWN) ? v.punkVal : nullptr;
    std::wstring font;
    if (object && SUCCEEDED(host::describeFont(object, font))) return font;
    ComPtr<IPicture> picture;
    if (object && SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&picture)))) {
        SHORT type = 0;
        OLE_XSIZE_HIMETRIC w = 0;
        OLE_YSIZE_HIMETRIC h = 0;
        picture->get_Type(&type);
        picture->get_Width(&w);
        picture->get_Height(&h);
        return L"picture " + to_wstring(type) + L" " + to_wstring(w) + L"x" + to_wstring(h);
    }
    if (v.vt & VT_ARRAY) {
        LONG lo = 0, hi = -1;
        ::SafeArrayGetLBound(v.parray, 1, &lo);
        ::SafeArrayGetUBound(v.parray, 1, &hi);
        return to_wstring(lo) + L".." + to_wstring(hi) + L" " + host::describeValue(v);
    }
    return host::describeValue(v);
}

// Every property the control's interface reads without arguments, but its
// window and device context, which differ from control to control.
std::map<std::wstring, std::wstring> Shows(IUnknown* control) {
    std::map<std::wstring, std::wstring> shown;
    ComPtr<IDispatch> dispatch;
    ComPtr<ITypeInfo> info;
    TYPEATTR* attr = nullptr;
    if (FAILED(control->QueryInterface(IID_PPV_ARGS(&dispatch))) ||
        FAILED(dispatch->GetTypeInfo(0, 0, &info)) || FAILED(info->GetTypeAttr(&attr)))
        return shown;
    const UINT count = attr->cFuncs;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        FUNCDESC* f = nullptr;
        if (FAILED(info->GetFuncDesc(i, &f))) continue;
        const bool getter = f->invkind == INVOKE_PROPERTYGET && f->cParams == 0;
        const MEMBERID id = f->memid;
        info->ReleaseFuncDesc(f);
        BSTR name = nullptr;
        if (!getter || FAILED(info->GetDocumentation(id, &name, nullptr, nullptr, nullptr)))
            continue;
        const std::wstring key(name);
        ::SysFreeString(name);
        if (key == L"hWnd" || key == L"hdc") continue;
        Variant value;
        const HRESULT hr = getProperty(dispatch.Get(), key.c_str(), value);
        shown[key] = FAILED(hr) ? L"error " + host::hexResult(hr) : Describe(value);
    }
    return shown;
}

std::map<std::wstring, std::wstring> Holds(MemoryPropertyBag& bag) {
    std::map<std::wstring, std::wstring> held;
    for (const std::wstring& name : bag.names()) {
        Variant value;
        bag.get(name, value);
        held[name] = Describe(value);
    }
    return held;
}

// Loaded settings survive: saved, loaded into a new control and saved
// again, they show and save the same.
void ExpectKept(IUnknown* first) {
    auto saved = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(first, saved.Get()), S_OK) << "the first save failed";
    ComPtr<IUnknown> second = NewControl();
    ASSERT_TRUE(second);
    ASSERT_EQ(loadFromBag(second.Get(), saved.Get()), S_OK);
    EXPECT_EQ(Shows(second.Get()), Shows(first)) << "what the control shows changed";
    auto again = MemoryPropertyBag::create();
    ASSERT_EQ(saveToBag(second.Get(), again.Get()), S_OK) << "the second save failed";
    EXPECT_EQ(Holds(*again.Get()), Holds(*saved.Get())) << "what the control saves changed";
}

// --- Generators ----------------------------------------------------------------

class Generator {
public:
    explicit Generator(unsigned seed) : random_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    LONGLONG bits() { return static_cast<LONGLONG>(random_()) << 32 | random_(); }

    Variant value() {
        Variant v;
        switch (below(17)) {
        case 0:
            v.vt = VT_NULL;
            break;
        case 1:
            v = Variant::fromI2(
                static_cast<SHORT>(pickOf<LONGLONG>({-32768, -1, 0, 1, 32767, bits()})));
            break;
        case 2:
            v = Variant::fromI4(static_cast<LONG>(
                pickOf<LONGLONG>({LONG_MIN, LONG_MAX, -1, 0x80000000LL, 0x8000000F, 3, bits()})));
            break;
        case 3:
            v.vt = VT_UI4;
            v.ulVal = static_cast<ULONG>(
                pickOf<LONGLONG>({0x80000000LL, 0x8000000F, 0xFFFFFFFF, bits()}));
            break;
        case 4:
            v.vt = VT_R8;
            v.dblVal =
                pickOf<double>({std::numeric_limits<double>::quiet_NaN(),
                                std::numeric_limits<double>::infinity(), -1e308, 1e18, -0.0, 2.5});
            break;
        case 5:
            v = Variant::fromR4(
                pickOf<float>({std::numeric_limits<float>::quiet_NaN(),
                               -std::numeric_limits<float>::infinity(), 1e30f, 0.001f}));
            break;
        case 6:
            v.vt = pickOf<VARTYPE>({VT_CY, VT_DATE, VT_I8, VT_UI8, VT_ERROR});
            v.llVal = bits();
            break;
        case 7:
            v.vt = VT_BOOL;
            v.boolVal = static_cast<VARIANT_BOOL>(bits());
            break;
        case 8:
            v = Variant::fromString(pickOf<const wchar_t*>(
                {L"", L"-1", L"1e400", L"&H8000000F", L"98765432109876543210", L"NaN", L"\uFFFF"}));
            break;
        case 9:
        case 10:
            v = bytes(pickOf<size_t>({0, 1, 2, 3, 5, size_t(below(64)), size_t(1) << 20}));
            break;
        case 11: {
            SAFEARRAYBOUND grid[2] = {{2, 0}, {3, 1}};
            v.vt = VT_ARRAY | pickOf<VARTYPE>({VT_UI1, VT_I4});
            v.parray = ::SafeArrayCreate(v.vt & VT_TYPEMASK, 2, grid);
            break;
        }
        case 12:
            v.vt = pickOf<VARTYPE>({VT_UNKNOWN, VT_DISPATCH});
            v.punkVal = nullptr;
            break;
        case 13:
            v = Variant::fromDispatch(font().Get());
            break;
        case 14:
            v = Variant::fromDispatch(picture().Get());
            break;
        case 15:
            // A stop count far beyond any real gradient.
            v = Variant::fromI2(pickOf<SHORT>({-5, 1000, 32767}));
            break;
        default:
            break; // VT_EMPTY
        }
        return v;
    }

    // A bag of some of `names` with hostile values.
    ComPtr<MemoryPropertyBag> bag(const std::vector<std::wstring>& names) {
        auto bag = MemoryPropertyBag::create();
        const int count = 1 + below(40);
        for (int i = 0; i < count; ++i)
            bag->set(names[static_cast<size_t>(below(static_cast<int>(names.size())))], value());
        if (chance(50)) bag->set(L"VisualEffectStyle", Variant::fromI4(1));
        if (chance(50)) bag->set(L"TipInitialized", Variant::fromBool(true));
        if (chance(10)) {
            const std::wstring& failing =
                names[static_cast<size_t>(below(static_cast<int>(names.size())))];
            bag->failRead(chance(20) ? std::wstring(L"*") : failing,
                          pickOf<HRESULT>({E_FAIL, E_OUTOFMEMORY, STG_E_ACCESSDENIED}));
        }
        return bag;
    }

    // A damaged copy of a saved record.
    std::vector<BYTE> damage(std::vector<BYTE> record) {
        switch (below(5)) {
        case 0:
            record.resize(static_cast<size_t>(below(static_cast<int>(record.size()))));
            break;
        case 1:
            for (int i = 1 + below(8); i > 0; --i)
                record[static_cast<size_t>(below(static_cast<int>(record.size())))] ^=
                    static_cast<BYTE>(1 << below(8));
            break;
        case 2: {
            const ULONG claim = pickOf<ULONG>(
                {0xFFFFFFFF, 0x7FFFFFFF, 0x10000000, static_cast<ULONG>(record.size())});
            std::memcpy(record.data() + 8, &claim, 4);
            break;
        }
        case 3:
            record = nested(CLSID_NuCheckBox40, pickOf<int>({2, 50, 4000}));
            break;
        default:
            record = nested(CLSID_StdGlobalInterfaceTable, 1);
            break;
        }
        return record;
    }

private:
    template <typename T>
    T pickOf(std::initializer_list<T> options) {
        return options.begin()[below(static_cast<int>(options.size()))];
    }

    Variant bytes(size_t count) {
        Variant v;
        v.vt = VT_ARRAY | VT_UI1;
        v.parray = ::SafeArrayCreateVector(VT_UI1, chance(10) ? 1 : 0, static_cast<ULONG>(count));
        // Four random bytes per draw: megabyte arrays are common enough for
        // byte-at-a-time filling to dominate the run.
        auto* data = static_cast<BYTE*>(v.parray->pvData);
        for (size_t i = 0; i < count; i += 4) {
            const UINT32 word = static_cast<UINT32>(random_());
            std::memcpy(data + i, &word, std::min<size_t>(4, count - i));
        }
        return v;
    }

    ComPtr<IFontDisp> font() {
        FONTDESC desc{sizeof(desc), const_cast<LPOLESTR>(L"Arial"), {{120000, 0}}, FW_BOLD};
        ComPtr<IFontDisp> f;
        ::OleCreateFontIndirect(&desc, IID_PPV_ARGS(&f));
        return f;
    }

    // 24 bits per pixel: Wine's picture object reloads those.
    ComPtr<IPictureDisp> picture() {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1 + below(8), 1 + below(8), 1, 24, BI_RGB};
        void* pixels = nullptr;
        PICTDESC desc{sizeof(desc), PICTYPE_BITMAP};
        desc.bmp.hbitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
        ComPtr<IPictureDisp> p;
        ::OleCreatePictureIndirect(&desc, IID_IPictureDisp, TRUE,
                                   reinterpret_cast<void**>(p.GetAddressOf()));
        return p;
    }

    // A record whose Picture entry holds an object of class `clsid` whose
    // own data is such a record again, `depth` times. Written outermost
    // first: each level's sizes follow from the levels inside it.
    static std::vector<BYTE> nested(REFCLSID clsid, int depth) {
        constexpr UINT32 kEntryHead = 4 + 4 + 14 + 2 + 4 + sizeof(CLSID);
        constexpr UINT32 kHeader = 12;
        std::vector<BYTE> record;
        auto put = [&record](const void* p, size_t n) {
            record.insert(record.end(), static_cast<const BYTE*>(p),
                          static_cast<const BYTE*>(p) + n);
        };
        for (int level = depth; level > 0; --level) {
            const UINT32 inner = static_cast<UINT32>(level - 1) * (kHeader + kEntryHead);
            const UINT32 header[3] = {0x42574B50, 1, kEntryHead + inner};
            const UINT32 entries = 1, nameLength = 7;
            const UINT16 vt = VT_UNKNOWN;
            const UINT32 objectSize = static_cast<UINT32>(sizeof(CLSID)) + inner;
            put(header, sizeof header);
            put(&entries, 4);
            put(&nameLength, 4);
            put(L"Picture", 14);
            put(&vt, 2);
            put(&objectSize, 4);
            put(&clsid, sizeof(CLSID));
        }
        return record;
    }

    std::mt19937 random_;
};

// The keys a control reads when every block is there.
std::vector<std::wstring> KeysRead() {
    ComPtr<IUnknown> control = NewControl();
    auto bag = MemoryPropertyBag::create();
    bag->recordReads(true);
    bag->set(L"VisualEffectStyle", Variant::fromI4(1));
    bag->set(L"TipInitialized", Variant::fromBool(true));
    if (!control || FAILED(loadFromBag(control.Get(), bag.Get()))) return {};
    std::vector<std::wstring> names;
    for (const auto& read : bag->reads())
        if (std::find(names.begin(), names.end(), read.name) == names.end())
            names.push_back(read.name);
    // Stop keys of gradients, which a new control does not read.
    for (const wchar_t* stop : {L"BodyGradInfo_GradColor27", L"TIP:TextGradInfo_GradPercent3"})
        names.emplace_back(stop);
    return names;
}

TEST(CheckBoxFuzz, MalformedBagsLoadAndWhatLoadedIsKept) {
    const FuzzRun run = Options();
    const std::vector<std::wstring> names = KeysRead();
    ASSERT_GT(names.size(), 300u);
    Generator generate(run.seed);
    for (int item = 0; item < run.bags && !HasFailure(); ++item) {
        SCOPED_TRACE(::testing::Message() << "seed " << run.seed << ", bag " << item);
        auto bag = generate.bag(names);
        ComPtr<IUnknown> control = NewControl();
        ASSERT_TRUE(control);
        ASSERT_EQ(loadFromBag(control.Get(), bag.Get()), S_OK);
        ExpectKept(control.Get());
    }
    std::printf("%d bags\n", run.bags);
}

TEST(CheckBoxFuzz, MalformedStreamsAreTakenOrRefusedWhole) {
    const FuzzRun run = Options();
    const std::vector<std::wstring> names = KeysRead();
    Generator generate(run.seed + 1);
    int taken = 0;
    for (int item = 0; item < run.streams && !HasFailure(); ++item) {
        SCOPED_TRACE(::testing::Message() << "seed " << run.seed << ", stream " << item);
        ComPtr<IUnknown> source = NewControl();
        ASSERT_EQ(loadFromBag(source.Get(), generate.bag(names).Get()), S_OK);
        ComPtr<IStream> saved;
        ASSERT_EQ(saveToStream(source.Get(), saved), S_OK);
        std::vector<BYTE> record;
        ASSERT_EQ(streamBytes(saved.Get(), record), S_OK);
        ComPtr<IStream> damaged;
        ASSERT_EQ(streamFromBytes(generate.damage(record), damaged), S_OK);
        ComPtr<IUnknown> control = NewControl();
        if (SUCCEEDED(loadFromStream(control.Get(), damaged.Get()))) {
            ++taken;
            ExpectKept(control.Get());
        }
    }
    std::printf("%d streams, %d taken\n", run.streams, taken);
}

} // namespace
} // namespace pkw::test
