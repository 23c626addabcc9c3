// What a container sees: in-place activation, the size operation and the
// extent, drawing, access keys, late-bound calls and class information.
#include "probe_test.h"

#include "host/units.h"

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

class HostedTest : public PlacedProbeTest {
protected:
    void SetUp() override {
        PlacedProbeTest::SetUp();
        inPlace_ = as<IOleInPlaceObject>(site_->control());
    }

    ComPtr<IOleInPlaceObject> inPlace_;
};

TEST_F(HostedTest, InPlaceActivationPutsTheWindowOnTheFormAndShowsIt) {
    EXPECT_EQ(::GetParent(hwnd()), form().hwnd());
    EXPECT_TRUE(::IsWindowVisible(hwnd()));
    EXPECT_TRUE(site_->inPlaceActive());
    EXPECT_TRUE(sameRect(windowRectInParent(hwnd()), site_->rect()));
    HWND reported = nullptr;
    EXPECT_EQ(inPlace_->GetWindow(&reported), S_OK);
    EXPECT_EQ(reported, hwnd());
    EXPECT_EQ(typeName(site_->extender()), L"Probe");
    // The window took the container's size, then was shown.
    const auto resize = logIndex(L"Resize 1500x450");
    ASSERT_GE(resize, 0);
    EXPECT_LT(resize, logIndex(L"Show"));

    probeLog().clear();
    ASSERT_EQ(inPlace_->InPlaceDeactivate(), S_OK);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_NE(::GetParent(hwnd()), form().hwnd());
    EXPECT_EQ(probeLog(), std::vector<std::wstring>{L"Hide"});
    EXPECT_FALSE(site_->inPlaceActive());
}

TEST_F(ProbeTest, AContainerThatDestroysItsWindowFirstLeavesAWindowlessControl) {
    Form host;
    Probe* raw = nullptr;
    auto site = addProbe(L"Probe1", {10, 20, 110, 50}, &raw, {}, &host);
    ASSERT_TRUE(site);
    const HWND before = raw->hwnd();
    ::DestroyWindow(host.hwnd()); // takes the control's window with it
    EXPECT_FALSE(::IsWindow(before));
    EXPECT_EQ(raw->hwnd(), nullptr);
    HWND reported = before;
    EXPECT_EQ(as<IOleInPlaceObject>(site->control())->GetWindow(&reported), E_FAIL);
    // Everything else still answers, and the end is the usual one.
    EXPECT_EQ(raw->setSizeTwips(600, 300), S_OK);
    EXPECT_EQ(host.remove(*site.Get()), S_OK);
    EXPECT_EQ(countLog(L"Terminate"), 1);
    EXPECT_EQ(countLog(L"Destroyed"), 1);
}

TEST_F(HostedTest, UiActivationTakesTheFocusAndHideGivesTheUiBack) {
    ASSERT_EQ(site_->doVerb(OLEIVERB_UIACTIVATE), S_OK);
    EXPECT_EQ(::GetFocus(), hwnd());
    EXPECT_TRUE(site_->uiActive());
    EXPECT_EQ(site_->counters().focusGot, 1);
    ASSERT_EQ(site_->doVerb(OLEIVERB_HIDE), S_OK);
    EXPECT_FALSE(::IsWindowVisible(hwnd()));
    EXPECT_FALSE(site_->uiActive());
    EXPECT_EQ(countLog(L"Hide"), 1);
}

TEST_F(HostedTest, TheSizeOperationAsksTheContainerAndSizesTheWindowAnyway) {
    const short tx = 15, ty = 15; // the test screen: 96 dpi
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
        SCOPED_TRACE(c.what);
        form().behaviour().honourPosRectChange = c.honour;
        const int asked = site_->counters().posRectChanges;
        probeLog().clear();
        const RECT before = windowRectInParent(hwnd());
        ASSERT_EQ(raw().setSizeTwips(c.width, c.height), S_OK);
        const LONG w = c.width / tx, h = c.height / ty;
        const RECT expected{before.left, before.top, before.left + w, before.top + h};
        EXPECT_EQ(site_->counters().posRectChanges, asked + 1);
        EXPECT_EQ(sameRect(site_->rect(), expected), c.honour);
        EXPECT_TRUE(sameRect(windowRectInParent(hwnd()), expected));
        EXPECT_EQ(raw().scaleWidthTwips(), w * tx);
        EXPECT_EQ(raw().scaleHeightTwips(), h * ty);
        SIZEL extent{};
        site_->oleObject()->GetExtent(DVASPECT_CONTENT, &extent);
        EXPECT_EQ(extent.cx, ::MulDiv(c.width, 2540, 1440));
        EXPECT_EQ(extent.cy, ::MulDiv(c.height, 2540, 1440));
        EXPECT_EQ(logOf({L"Resize"}),
                  std::vector<std::wstring>{L"Resize " + std::to_wstring(w * tx) + L"x" +
                                            std::to_wstring(h * ty)});
    }
    form().behaviour().honourPosRectChange = true;
    // Width alone keeps the height, and the same size again is no resize.
    probeLog().clear();
    ASSERT_EQ(raw().setWidthTwips(3000), S_OK);
    EXPECT_EQ(raw().scaleHeightTwips(), 210);
    ASSERT_EQ(raw().setHeightTwips(212), S_OK);
    EXPECT_EQ(logOf({L"Resize"}), std::vector<std::wstring>{L"Resize 3000x210"});
    EXPECT_EQ(raw().setSizeTwips(-1, 10), E_INVALIDARG);
    // And the other way: the container resizes through the extender.
    ASSERT_EQ(site_->put(L"Height", Variant::fromI4(units::pixelsToTwipsY(25))), S_OK);
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    EXPECT_EQ(client.bottom, 25);
    EXPECT_EQ(raw().scaleHeightTwips(), units::pixelsToTwipsY(25));
}

TEST_F(ProbeTest, TheExtentSizesTheParkedWindowAndComesBackUnchanged) {
    MadeProbe m = makeProbe();
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
    raw().setPaintColor(RGB(200, 10, 10));
    raw().setBackColor(RGB(0, 0, 255));
    // On the form, as the screen shows it.
    form().repaint();
    const Image shown = captureForm(form());
    const RECT& at = site_->rect();
    EXPECT_EQ(shown.crop(at).count(RGB(200, 10, 10)), 100u * 30u);
    EXPECT_NE(shown.color(at.left - 1, at.top), RGB(200, 10, 10));
    EXPECT_EQ(captureControl(form(), *site_.Get()).pixels(), shown.crop(at).pixels());
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, 100, 1, 32, BI_RGB};
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    SelectedObject select(dc.get(), bitmap.get());
    ComPtr<IViewObject2> view = as<IViewObject2>(site_->control());
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
    ComPtr<IOleControl> control = as<IOleControl>(site_->control());
    const int infoChanges = site_->counters().controlInfoChanges;
    raw().setAccessKeys(L"ab");
    EXPECT_EQ(site_->counters().controlInfoChanges, infoChanges + 1);
    EXPECT_EQ(site_->accelerators().size(), 4u);

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

    // Typed with Alt while another control has the focus: the key goes to
    // the access key's owner alone.
    auto other = addProbe(L"Probe2", {10, 60, 110, 90});
    ASSERT_TRUE(other);
    ASSERT_EQ(form().focus(*other.Get()), S_OK);
    EXPECT_EQ(form().mnemonic(L'c'), nullptr);
    for (const auto delivery : {input::Delivery::Post, input::Delivery::Hardware}) {
        probeLog().clear();
        ASSERT_TRUE(input::altKey(form(), L'b', delivery));
        EXPECT_EQ(logOf({L"AccessKeyPress", L"KeyDown 66"}),
                  std::vector<std::wstring>{L"AccessKeyPress b"});
    }

    // Capitals of any script are kept lower-cased.
    raw().setAccessKeys(L"O\u0178\u0416\u0391\u0531");
    EXPECT_EQ(raw().accessKeys(), L"o\u00FF\u0436\u03B1\u0561");

    raw().setAccessKeys(L"");
    ASSERT_EQ(control->GetControlInfo(&info), S_OK);
    EXPECT_EQ(info.cAccel, 0);
    EXPECT_EQ(info.hAccel, nullptr);
}

// Names are found without regard to case and arguments are converted to
// the declared type; only IID_NULL calls are taken.
TEST_F(ProbeTest, LateBoundCallsByNameReachTheVtable) {
    MadeProbe m = makeProbe();
    ComPtr<IDispatch> disp = as<IDispatch>(m.probe.Get());
    ASSERT_EQ(putProperty(disp.Get(), L"value", Variant::fromI4(9)), S_OK);
    EXPECT_EQ(m.raw->value(), 9);

    ComPtr<EventRecorder> sink;
    ASSERT_EQ(EventRecorder::connect(m.probe.Get(), sink), S_OK);
    sink->on(L"Query", [](EventCall& call) { call.set(L"Answer", Variant::fromI2(7)); });
    Variant result;
    const Variant answer = Variant::fromI2(1);
    ASSERT_EQ(callMethod(disp.Get(), L"Ask", {&answer, 1}, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 7);

    DISPPARAMS none{};
    EXPECT_EQ(disp->Invoke(1, IID_IDispatch, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                           &result, nullptr, nullptr),
              DISP_E_UNKNOWNINTERFACE);
}

TEST_F(ProbeTest, TheClassDescribesItselfFromTheTypeLibrary) {
    MadeProbe m = makeProbe();
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
}

} // namespace
} // namespace pkw::test
