// What a container sees: in-place activation, the size operation and the
// extent, drawing, access keys, late-bound calls and class information.
#include "ole_test.h"

#include "common/com/bstr.h"

#include <cstring>

namespace pkw::test {
namespace {

RECT windowRectInParent(HWND w) {
    RECT rc{};
    ::GetWindowRect(w, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(w), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool sameRect(const RECT& a, const RECT& b) {
    return ::EqualRect(&a, &b) != FALSE;
}

TEST_F(HostedTest, InPlaceActivationPutsTheWindowOnTheFormAndShowsIt) {
    ASSERT_EQ(initAndActivate(), S_OK);
    EXPECT_EQ(::GetParent(hwnd()), form_->hwnd());
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_TRUE(sameRect(windowRectInParent(hwnd()), site_->position));
    HWND reported = nullptr;
    EXPECT_EQ(inPlace_->GetWindow(&reported), S_OK);
    EXPECT_EQ(reported, hwnd());
    // The window took the container's size, then was shown.
    const auto resize = logIndex(L"Resize 1500x450");
    ASSERT_GE(resize, 0);
    EXPECT_LT(resize, logIndex(L"Show"));
    EXPECT_EQ(site_->calls, std::vector<std::wstring>{L"OnInPlaceActivate"});

    probeLog().clear();
    ASSERT_EQ(inPlace_->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_NE(::GetParent(hwnd()), form_->hwnd());
    EXPECT_EQ(probeLog(), std::vector<std::wstring>{L"Hide"});
    EXPECT_EQ(site_->calls.back(), L"OnInPlaceDeactivate");
}

TEST_F(HostedTest, AContainerThatDestroysItsWindowFirstLeavesAWindowlessControl) {
    ASSERT_EQ(initAndActivate(), S_OK);
    const HWND before = hwnd();
    ::DestroyWindow(form_->hwnd()); // takes the control's window with it
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_EQ(hwnd(), nullptr);
    HWND reported = before;
    EXPECT_EQ(inPlace_->GetWindow(&reported), E_FAIL);
    // Everything else still answers, and the end is the usual one.
    EXPECT_EQ(raw().setSizeTwips(600, 300), S_OK);
    EXPECT_EQ(inPlace_->InPlaceDeactivate(), S_OK);
    oleObject_->Close(OLECLOSE_NOSAVE);
    oleObject_->SetClientSite(nullptr);
    oleObject_.Reset();
    inPlace_.Reset();
    made_.probe.Reset();
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

TEST_F(HostedTest, UiActivationTakesTheFocusAndHideGivesTheUiBack) {
    ASSERT_EQ(initAndActivate(OLEIVERB_UIACTIVATE), S_OK);
    EXPECT_EQ(::GetFocus(), hwnd());
    EXPECT_EQ(site_->calls,
              (std::vector<std::wstring>{L"OnInPlaceActivate", L"OnUIActivate", L"OnFocus 1"}));
    ASSERT_EQ(oleObject_->DoVerb(OLEIVERB_HIDE, nullptr, site_.Get(), 0, form_->hwnd(), nullptr),
              S_OK);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_NE(std::find(site_->calls.begin(), site_->calls.end(), L"OnUIDeactivate"),
              site_->calls.end());
    EXPECT_EQ(countLog(L"Hide"), 1);
}

TEST_F(HostedTest, TheSizeOperationAsksTheContainerAndSizesTheWindowAnyway) {
    const short tx = 15, ty = 15; // the test screen: 96 dpi
    ASSERT_EQ(initAndActivate(), S_OK);
    ASSERT_EQ(raw().twipsPerPixelX(), tx);
    ASSERT_EQ(raw().twipsPerPixelY(), ty);
    struct Case {
        const char* what;
        bool honour;
        LONG width, height; // twips
    };
    const Case cases[] = {
        {"container that answers with SetObjectRects", true, 1800, 480},
        {"container that ignores the request", false, 2000, 600},
        {"sizes that are not whole pixels", true, 1457, 212},
    };
    for (const Case& c : cases) {
        site_->honourPosRectChange = c.honour;
        site_->posRectRequests.clear();
        probeLog().clear();
        const RECT before = windowRectInParent(hwnd());
        ASSERT_EQ(raw().setSizeTwips(c.width, c.height), S_OK);
        const LONG w = c.width / tx, h = c.height / ty;
        ASSERT_EQ(site_->posRectRequests.size(), 1u) << c.what;
        const RECT asked = site_->posRectRequests[0];
        EXPECT_TRUE(sameRect(asked, RECT{before.left, before.top, before.left + w, before.top + h}))
            << c.what;
        EXPECT_TRUE(sameRect(windowRectInParent(hwnd()), asked)) << c.what;
        EXPECT_EQ(raw().scaleWidthTwips(), w * tx) << c.what;
        EXPECT_EQ(raw().scaleHeightTwips(), h * ty) << c.what;
        SIZEL extent{};
        oleObject_->GetExtent(DVASPECT_CONTENT, &extent);
        EXPECT_EQ(extent.cx, ::MulDiv(c.width, 2540, 1440)) << c.what;
        EXPECT_EQ(extent.cy, ::MulDiv(c.height, 2540, 1440)) << c.what;
        EXPECT_EQ(logStarting(L"Resize"),
                  std::vector<std::wstring>{L"Resize " + std::to_wstring(w * tx) + L"x" +
                                            std::to_wstring(h * ty)})
            << c.what;
    }
    // Width alone keeps the height, and the same size again is no resize.
    probeLog().clear();
    ASSERT_EQ(raw().setWidthTwips(3000), S_OK);
    EXPECT_EQ(raw().scaleHeightTwips(), 210);
    ASSERT_EQ(raw().setHeightTwips(212), S_OK);
    EXPECT_EQ(logStarting(L"Resize"), std::vector<std::wstring>{L"Resize 3000x210"});
    EXPECT_EQ(raw().setSizeTwips(-1, 10), E_INVALIDARG);
}

TEST_F(OleTest, TheExtentSizesTheParkedWindowAndComesBackUnchanged) {
    Made m = makeProbe();
    ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
    SIZEL extent{2540, 1270}; // one inch by half an inch
    ASSERT_EQ(ole->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    RECT rc{};
    ::GetClientRect(m.raw->hwnd(), &rc);
    EXPECT_EQ(rc.right, 96);
    EXPECT_EQ(rc.bottom, 48);
    EXPECT_EQ(m.raw->scaleWidthTwips(), 1440);
    SIZEL back{};
    ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &back), S_OK);
    EXPECT_EQ(back.cx, 2540);
    EXPECT_EQ(back.cy, 1270);
    EXPECT_EQ(ole->SetExtent(DVASPECT_ICON, &extent), DV_E_DVASPECT);
    // No container to ask: the size operation still sizes the window.
    ASSERT_EQ(m.raw->setSizeTwips(300, 150), S_OK);
    ::GetClientRect(m.raw->hwnd(), &rc);
    EXPECT_EQ(rc.right, 20);
    EXPECT_EQ(rc.bottom, 10);
}

TEST_F(HostedTest, DrawPaintsTheControlIntoTheContainersDc) {
    ASSERT_EQ(initAndActivate(), S_OK);
    raw().setPaintColor(RGB(200, 10, 10));
    raw().setBackColor(RGB(0, 0, 255));
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, 100, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectedObject select(dc.get(), bitmap.get());
    ComPtr<IViewObject2> view = as<IViewObject2>(made_.probe.Get());
    const RECTL target{100, 10, 200, 40};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &target,
                         nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(::GetPixel(dc.get(), 150, 25), RGB(200, 10, 10));
    EXPECT_EQ(::GetPixel(dc.get(), 50, 25), RGB(0, 0, 0)); // outside: untouched
    // Hidden, the control's background stands in.
    inPlace_->InPlaceDeactivate();
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc.get(), &target,
                         nullptr, nullptr, 0),
              S_OK);
    EXPECT_EQ(::GetPixel(dc.get(), 150, 25), RGB(0, 0, 255));
    EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, dc.get(), &target, nullptr,
                         nullptr, 0),
              DV_E_DVASPECT);
}

TEST_F(HostedTest, AccessKeysBecomeAcceleratorsAndMnemonicsReachTheControl) {
    ASSERT_EQ(initAndActivate(), S_OK);
    ComPtr<IOleControl> control = as<IOleControl>(made_.probe.Get());
    site_->calls.clear();
    raw().setAccessKeys(L"ab");
    EXPECT_EQ(site_->calls, std::vector<std::wstring>{L"OnControlInfoChanged"});

    CONTROLINFO info{sizeof(info)};
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    ASSERT_EQ(info.cAccel, 4);
    ASSERT_TRUE(info.hAccel);
    ACCEL table[4]{};
    ASSERT_EQ(::CopyAcceleratorTableW(info.hAccel, table, 4), 4);
    const BYTE alt = FVIRTKEY | FALT, plain = FVIRTKEY;
    const ACCEL expected[] = {
        {alt, 'A', L'a'}, {plain, 'A', L'a'}, {alt, 'B', L'b'}, {plain, 'B', L'b'}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(table[i].fVirt, expected[i].fVirt) << i;
        EXPECT_EQ(table[i].key, expected[i].key) << i;
        EXPECT_EQ(table[i].cmd, expected[i].cmd) << i;
    }

    probeLog().clear();
    struct Case {
        UINT message;
        WPARAM key;
        HRESULT result;
    };
    const Case cases[] = {
        {WM_SYSKEYDOWN, 'B', S_OK},
        {WM_KEYDOWN, 'A', S_OK},
        {WM_SYSCHAR, 'A', S_OK},
        {WM_SYSKEYDOWN, 'C', S_FALSE},
    };
    for (const Case& c : cases) {
        MSG msg{hwnd(), c.message, c.key, 0};
        EXPECT_EQ(control->OnMnemonic(&msg), c.result) << c.key;
    }
    EXPECT_EQ(probeLog(), (std::vector<std::wstring>{L"AccessKeyPress b", L"AccessKeyPress a",
                                                     L"AccessKeyPress a"}));

    raw().setAccessKeys(L"");
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
    EXPECT_EQ(info.hAccel, nullptr);
}

TEST_F(OleTest, LateBoundCallsByNameReachTheVtable) {
    Made m = makeProbe();
    ComPtr<IDispatch> disp = as<IDispatch>(m.probe.Get());
    const wchar_t* names[] = {L"Caption", L"Value", L"BackColor", L"Font", L"Ask", L"value"};
    const DISPID expected[] = {DISPID_CAPTION, 1, DISPID_BACKCOLOR, DISPID_FONT, 3, 1};
    for (size_t i = 0; i < std::size(names); ++i) {
        LPOLESTR name = const_cast<LPOLESTR>(names[i]);
        DISPID id = 0;
        ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
        EXPECT_EQ(id, expected[i]) << i;
    }

    // Put Value with a 32-bit argument: the type library converts it.
    Variant arg = Variant::fromI4(9);
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS put{&arg, &named, 1, 1};
    ASSERT_EQ(disp->Invoke(1, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &put, nullptr,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(m.raw->value(), 9);

    m.probe->put_Caption(Bstr(L"late").get());
    DISPPARAMS none{};
    Variant result;
    ASSERT_EQ(disp->Invoke(DISPID_CAPTION, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET,
                           &none, &result, nullptr, nullptr),
              S_OK);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_STREQ(result.bstrVal, L"late");

    ComPtr<EventSink> sink = EventSink::create(DIID_DProbeEvents);
    sink->answer = [](DISPID, DISPPARAMS& p) { *p.rgvarg[1].piVal = 7; };
    DWORD cookie = 0;
    ASSERT_EQ(connect(m.probe.Get(), DIID_DProbeEvents, sink.Get(), &cookie), S_OK);
    Variant answer = Variant::fromI2(1);
    DISPPARAMS ask{&answer, nullptr, 1, 0};
    ASSERT_EQ(disp->Invoke(3, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &ask, &result,
                           nullptr, nullptr),
              S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 7);

    EXPECT_EQ(disp->Invoke(1, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                           &result, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
    UINT count = 0;
    EXPECT_EQ(disp->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ComPtr<ITypeInfo> type;
    ASSERT_EQ(disp->GetTypeInfo(0, LOCALE_USER_DEFAULT, &type), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(type->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, IID_IProbe);
    type->ReleaseTypeAttr(attr);
}

TEST_F(OleTest, TheClassDescribesItselfFromTheTypeLibrary) {
    Made m = makeProbe();
    ComPtr<IProvideClassInfo2> info = as<IProvideClassInfo2>(m.probe.Get());
    GUID events{};
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &events), S_OK);
    EXPECT_EQ(events, DIID_DProbeEvents);
    EXPECT_EQ(info->GetGUID(12345, &events), E_INVALIDARG);
    ComPtr<ITypeInfo> coclass;
    ASSERT_EQ(info->GetClassInfo(&coclass), S_OK);
    TYPEATTR* attr = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&attr), S_OK);
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->guid, CLSID_Probe);
    coclass->ReleaseTypeAttr(attr);

    CAUUID pages{};
    ASSERT_EQ(as<ISpecifyPropertyPages>(m.probe.Get())->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], CLSID_StdFont);
    ::CoTaskMemFree(pages.pElems);

    ComPtr<ISupportErrorInfo> errors = as<ISupportErrorInfo>(m.probe.Get());
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IProbe), S_OK);
    EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IDispatch), S_FALSE);
    EXPECT_EQ(m.probe->putref_Font(nullptr), CTL_E_INVALIDPROPERTYVALUE);
    ComPtr<IErrorInfo> error;
    ASSERT_EQ(::GetErrorInfo(0, &error), S_OK);
    Bstr description, source;
    error->GetDescription(description.put());
    error->GetSource(source.put());
    EXPECT_EQ(description.str(), L"Font needs a font object");
    EXPECT_EQ(source.str(), L"Probe");

    ComPtr<IOleObject> ole = as<IOleObject>(m.probe.Get());
    DWORD misc = 0;
    ASSERT_EQ(ole->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
    EXPECT_EQ(misc, Probe::kClass.miscStatus);
    LPOLESTR userType = nullptr;
    ASSERT_EQ(ole->GetUserType(USERCLASSTYPE_FULL, &userType), S_OK);
    EXPECT_STREQ(userType, L"Probe");
    ::CoTaskMemFree(userType);
    CLSID clsid{};
    ASSERT_EQ(as<IPersistStreamInit>(m.probe.Get())->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_Probe);
}

TEST_F(OleTest, RecordTypesOfTheLibraryHaveRecordInfo) {
    Made m = makeProbe();
    ComPtr<IRecordInfo> record;
    // The record's GUID as the probe's IDL gives it.
    const GUID probeRecord{
        0x0B7C3E41, 0x6F2A, 0x4D0E, {0x9A, 0x51, 0x3C, 0x8E, 0x2F, 0x1D, 0x7A, 0x04}};
    ASSERT_EQ(m.raw->recordInfo(probeRecord, &record), S_OK);
    ULONG size = 0;
    ASSERT_EQ(record->GetSize(&size), S_OK);
    EXPECT_EQ(size, sizeof(ProbeRecord));
    Bstr name;
    record->GetName(name.put());
    EXPECT_EQ(name.str(), L"ProbeRecord");
    ComPtr<IRecordInfo> none;
    EXPECT_TRUE(FAILED(m.raw->recordInfo(IID_IProbe, &none)));
}

} // namespace
} // namespace pkw::test
