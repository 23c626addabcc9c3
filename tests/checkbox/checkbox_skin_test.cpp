// The glyph image: the built-in strip, a host's image through QuerySkin,
// and giving both back to the resource server.
//
// Host strips paint every frame a solid colour of its own, so a capture of
// the control tells which frame is drawn and at what size. What the
// resource server lends is observed through its own exports: a name that
// nobody holds takes whatever image comes next, and the shared DC of the
// built-in strip is deleted when its last borrower gives it back.
#include "tests/checkbox/checkbox_fixture.h"

#include "common/com/com_ptr.h"
#include "siblings/api/plain.h"
#include "tests/host/test_pictures.h"

#include <olectl.h>

#include <functional>
#include <initializer_list>
#include <optional>

namespace pkw::test {
namespace {

constexpr LONG kStripId = 1001;
constexpr int kMaskPatch = 4; // a corner of each host frame in the host's mask colour
constexpr COLORREF kHostMask = RGB(0, 255, 0);
constexpr COLORREF kUnusedRows = RGB(250, 120, 0);

COLORREF FrameColor(int k) {
    return RGB(20 + 15 * k, 40 + 9 * k, 230 - 14 * k);
}

// Twelve frames of width x (height / 12), each its frame colour with a
// masked corner; rows below the twelfth frame in the unused colour.
ComPtr<IDispatch> StripPicture(int width, int height) {
    const int frame = height / 12;
    return bitmapPictureOf(width, height, [frame](int x, int y) {
        const int k = y / frame;
        if (k >= 12) return kUnusedRows;
        if (x < kMaskPatch && y - k * frame < kMaskPatch) return kHostMask;
        return FrameColor(k);
    });
}

// A bitmap picture without a bitmap.
ComPtr<IDispatch> EmptyBitmapPicture() {
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_BITMAP, {}};
    ComPtr<IDispatch> picture;
    ::OleCreatePictureIndirect(&desc, IID_IDispatch, TRUE,
                               reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

// What a host answers to QuerySkin.
struct HostAnswer {
    std::wstring name;          // left alone when empty
    ComPtr<IDispatch> picture;  // left alone when null
    std::function<void()> also; // what else the handler does, first
};

// The size of the image the resource server holds under `name`; nothing
// when it holds none. Borrows and gives back, so the count stays as it was.
std::optional<SIZE> HeldImage(const char* name) {
    const DWORD white = 0xFFFFFF;
    const HBITMAP probe = ::CreateBitmap(1, 1, 1, 32, &white);
    LONG width = 0, height = 0;
    const HDC dc = sib::ResSrv().GetCustomResDc(probe, name, &width, &height);
    EXPECT_TRUE(dc) << "the resource server lends no image";
    EXPECT_EQ(sib::ResSrv().ReleaseCustomResDc(name), 1);
    ::DeleteObject(probe);
    if (width == 1 && height == 1) return std::nullopt; // the probe's own
    return SIZE{width, height};
}

// Whether anyone else borrows the built-in strip: its shared DC outlives
// this borrow only then.
bool BuiltInStripLent() {
    const HDC dc = sib::ResSrv().GetStaticResDc(kStripId, 0);
    EXPECT_TRUE(dc) << "no built-in strip";
    EXPECT_EQ(sib::ResSrv().ReleaseStaticResDc(dc), 1);
    return ::GetObjectType(dc) != 0;
}

// Waits until the resource server lends neither the built-in strip nor an
// image under one of `names` (a control lets go when its last reference
// goes, which a host may drop late).
bool NothingLent(std::initializer_list<const char*> names) {
    return pumpUntil([&] {
        bool lent = BuiltInStripLent();
        for (const char* name : names)
            lent = HeldImage(name).has_value() || lent;
        return !lent;
    });
}

// An object's reference count as its AddRef and Release tell it; 0 for none.
ULONG RefsOf(IUnknown* object) {
    if (!object) return 0;
    object->AddRef();
    return object->Release();
}

std::size_t HostColours(const Image& image) {
    std::size_t n = image.count(kUnusedRows) + image.count(kHostMask);
    for (int k = 0; k < 12; ++k)
        n += image.count(FrameColor(k));
    return n;
}

class CheckBoxSkinTest : public CheckBoxTest {
protected:
    // Opaque white and without a caption: only the glyph is not white.
    PlacedBox placeSkinBox(std::wstring name = L"Check1", const RECT& pixels = kRect) {
        PlacedBox b = placeBox(std::move(name), pixels);
        if (!b) return b;
        put(b, L"Caption", Str(L""));
        EXPECT_HRESULT_SUCCEEDED(b.box->put_BackStyle(nuOpaque));
        EXPECT_HRESULT_SUCCEEDED(b.box->put_BackColor(0xFFFFFF));
        return b;
    }

    static void answer(Site& site, HostAnswer a) {
        site.events().on(L"QuerySkin", [a](EventCall& call) {
            if (a.also) a.also();
            const int info = call.index(L"Info"), p = call.index(L"p");
            ASSERT_GE(info, 0);
            ASSERT_GE(p, 0);
            if (!a.name.empty()) {
                EXPECT_HRESULT_SUCCEEDED(call.setField(info, L"ImageName", Str(a.name)));
            }
            EXPECT_HRESULT_SUCCEEDED(
                call.setField(info, L"MaskColor", I4(static_cast<LONG>(kHostMask))));
            if (a.picture) {
                EXPECT_HRESULT_SUCCEEDED(call.set(p, Variant::fromDispatch(a.picture.Get())));
            }
        });
    }

    static Image shot(const PlacedBox& b) { return captureWindow(b.window()); }
};

TEST_F(CheckBoxSkinTest, AHostStripIsCutIntoTwelveFramesAsWideAsItself) {
    struct Strip {
        int width, height;
        LONG frameWidth, frameHeight;
    };
    const Strip strips[] = {
        {20, 240, 20, 20},
        {20, 250, 20, 20}, // the last 10 rows are never shown
        {16, 216, 16, 18},
    };
    struct Look {
        NuCheckBoxValueConstants value;
        bool enabled;
        int frame;
    };
    // Each value's row, and the disabled column.
    const Look looks[] = {{nuUnchecked, true, 0}, {nuChecked, false, 7}, {nuGrayed, true, 8}};
    for (const Strip& s : strips) {
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        auto b = placeSkinBox();
        ASSERT_TRUE(b);
        const HostAnswer host{L"strip", StripPicture(s.width, s.height)};
        answer(*b.site.Get(), host);
        const ULONG refs = RefsOf(host.picture.Get());
        ASSERT_HRESULT_SUCCEEDED(b.box->ApplyCustomSkin());
        EXPECT_EQ(RefsOf(host.picture.Get()), refs) << "p was not released";
        RECT client{};
        ::GetClientRect(b.window(), &client);
        const LONG top = client.bottom / 2 - s.frameHeight / 2;
        for (const Look& l : looks) {
            SCOPED_TRACE(testing::Message() << "frame " << l.frame);
            ASSERT_HRESULT_SUCCEEDED(b.box->put_Value(l.value));
            ASSERT_HRESULT_SUCCEEDED(b.box->put_Enabled(l.enabled ? VARIANT_TRUE : VARIANT_FALSE));
            const Image image = shot(b);
            ASSERT_FALSE(image.empty());
            const COLORREF mine = FrameColor(l.frame);
            const auto unmasked =
                std::size_t(s.frameWidth * s.frameHeight - kMaskPatch * kMaskPatch);
            EXPECT_EQ(ExtentOf(image, Is(mine)),
                      (Extent{unmasked, 0, top, s.frameWidth, top + s.frameHeight}));
            // Nothing of another frame, of the unused rows or of the mask.
            EXPECT_EQ(HostColours(image), image.count(mine));
            // The masked corner shows the background.
            EXPECT_EQ(image.color(1, top + 1), kWhite);
        }
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxSkinTest, QuerySkinAsksForTheCheckBoxStripWithTheMapAlreadyGivenBack) {
    auto b = placeSkinBox();
    ASSERT_TRUE(b);
    answer(*b.site.Get(), {L"first", StripPicture(20, 240)});
    // The second request comes while the first host image is held.
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(testing::Message() << "request " << round + 1);
        b.site->events().clear();
        ASSERT_HRESULT_SUCCEEDED(b.box->ApplyCustomSkin());
        const RecordedEvent* e = b.site->events().last(L"QuerySkin");
        ASSERT_TRUE(e);
        ASSERT_EQ(e->args.size(), 3u);
        const RecordedArg *id = e->arg(L"ID"), *p = e->arg(L"p"), *info = e->arg(L"Info");
        ASSERT_TRUE(id && p && info);
        EXPECT_EQ(id->vt, VT_I4);
        EXPECT_EQ(NumberOf(id->value), kStripId);
        EXPECT_EQ(p->vt, VT_DISPATCH | VT_BYREF);
        EXPECT_EQ(info->vt, VT_RECORD | VT_BYREF);
        auto field = [&](const wchar_t* name) -> Variant {
            for (const auto& [n, v] : info->fields)
                if (n == name) return v;
            ADD_FAILURE() << "no field " << narrow(name);
            return {};
        };
        EXPECT_EQ(NumberOf(field(L"MemDC")), 0);
        EXPECT_EQ(TextOf(field(L"ImageName")), L"");
        EXPECT_EQ(NumberOf(field(L"MaskColor")), -1);
    }
    EXPECT_EQ(HeldImage("first").value_or(SIZE{}).cy, 240);
    // Each request gave the previous image back: none is left with the control.
    form().remove(*b.site.Get());
    b = {};
    EXPECT_TRUE(NothingLent({"first"}));
}

TEST_F(CheckBoxSkinTest, AHostWithoutAUsableImageLeavesTheBuiltInGlyph) {
    struct Case {
        const char* what;
        bool handled; // QuerySkin has a handler
        HostAnswer answer;
    };
    const Case cases[] = {
        {"no handler", false, {}},
        {"name without picture", true, {L"bad", nullptr}},
        {"picture without name", true, {L"", StripPicture(20, 240)}},
        {"bitmap picture without a bitmap", true, {L"bad", EmptyBitmapPicture()}},
        {"icon picture", true, {L"bad", iconPicture()}},
        {"object that is no picture", true, {L"bad", makeFont(L"Tahoma", 80000)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto b = placeSkinBox();
        ASSERT_TRUE(b);
        ASSERT_HRESULT_SUCCEEDED(b.box->put_Value(nuChecked));
        const Image builtIn = shot(b);
        ASSERT_FALSE(builtIn.empty());
        ASSERT_GT(builtIn.pixels().size(), builtIn.count(kWhite)) << "no glyph drawn";
        if (c.handled) answer(*b.site.Get(), c.answer);
        const ULONG refs = RefsOf(c.answer.picture.Get());
        ASSERT_HRESULT_SUCCEEDED(b.box->ApplyCustomSkin());
        EXPECT_EQ(b.site->events().count(L"QuerySkin"), 1u);
        EXPECT_EQ(RefsOf(c.answer.picture.Get()), refs) << "p was not released";
        EXPECT_TRUE(shot(b).pixels() == builtIn.pixels()) << "not the built-in glyph";
        EXPECT_EQ(HeldImage("bad"), std::nullopt);
        // Given back as the built-in image it is: nothing is lent once the
        // control has let go of it.
        ASSERT_HRESULT_SUCCEEDED(b.box->ApplyDefaultSkin());
        form().remove(*b.site.Get());
        b = {};
        EXPECT_TRUE(NothingLent({"bad"}));
    }
}

TEST_F(CheckBoxSkinTest, ApplyDefaultSkinGivesTheHostImageBackByName) {
    auto first = placeSkinBox(L"First");
    auto second = placeSkinBox(L"Second", {10, 40, 130, 64});
    ASSERT_TRUE(first && second);
    const Image builtIn = shot(first);
    answer(*first.site.Get(), {L"shared", StripPicture(20, 240)});
    answer(*second.site.Get(), {L"shared", StripPicture(20, 250)});
    ASSERT_HRESULT_SUCCEEDED(first.box->ApplyCustomSkin());
    ASSERT_HRESULT_SUCCEEDED(second.box->ApplyCustomSkin());
    // One image per name: the first one given keeps it.
    EXPECT_EQ(HeldImage("shared").value_or(SIZE{}).cy, 240);
    EXPECT_EQ(shot(second).count(FrameColor(0)), std::size_t(384));

    struct Step {
        PlacedBox* box;
        bool stillHeld;
    };
    const Step steps[] = {{&first, true}, {&second, false}};
    for (const Step& s : steps) {
        SCOPED_TRACE(narrow(s.box->site->name()));
        ASSERT_HRESULT_SUCCEEDED(s.box->box->ApplyDefaultSkin());
        EXPECT_EQ(HeldImage("shared").has_value(), s.stillHeld);
        // 13 x 13 frames again.
        EXPECT_TRUE(shot(*s.box).pixels() == builtIn.pixels()) << "not the built-in glyph";
    }
}

TEST_F(CheckBoxSkinTest, BetweenBeginUpdateAndEndUpdateTheSkinChangesWithoutARepaint) {
    struct Case {
        const char* what;
        bool customFirst;
        HRESULT (STDMETHODCALLTYPE _NuCheckBox40::*apply)();
        bool heldAfter; // the host image right after the call
    };
    const Case cases[] = {
        {"ApplyCustomSkin", false, &_NuCheckBox40::ApplyCustomSkin, true},
        {"ApplyDefaultSkin", true, &_NuCheckBox40::ApplyDefaultSkin, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto b = placeSkinBox();
        ASSERT_TRUE(b);
        const Image builtIn = shot(b);
        answer(*b.site.Get(), {L"update", StripPicture(20, 240)});
        if (c.customFirst) {
            ASSERT_HRESULT_SUCCEEDED(b.box->ApplyCustomSkin());
        }
        const Image before = shot(b);

        ASSERT_HRESULT_SUCCEEDED(b.box->BeginUpdate());
        ASSERT_HRESULT_SUCCEEDED((b.box.Get()->*c.apply)());
        pumpPending();
        EXPECT_EQ(HeldImage("update").has_value(), c.heldAfter) << "the skin did not change";
        EXPECT_TRUE(shot(b).pixels() == before.pixels()) << "repainted before EndUpdate";

        ASSERT_HRESULT_SUCCEEDED(b.box->EndUpdate());
        const Image after = shot(b);
        if (c.heldAfter) {
            EXPECT_EQ(after.count(FrameColor(0)), std::size_t(384));
        } else {
            EXPECT_TRUE(after.pixels() == builtIn.pixels()) << "not the built-in glyph";
        }
        form().remove(*b.site.Get());
    }
}

TEST_F(CheckBoxSkinTest, AHandlerThatReleasesTheControlLeavesNothingLent) {
    for (bool withImage : {false, true}) {
        SCOPED_TRACE(withImage ? "with an image" : "without an image");
        auto b = placeSkinBox();
        ASSERT_TRUE(b);
        ComPtr<Site> site = b.site;
        // From here on only the form holds the control.
        _NuCheckBox40* control = b.box.Get();
        b = {};
        answer(*site.Get(), {withImage ? L"gone" : L"", withImage ? StripPicture(20, 240) : nullptr,
                             [&] { EXPECT_HRESULT_SUCCEEDED(form().remove(*site.Get())); }});
        EXPECT_HRESULT_SUCCEEDED(control->ApplyCustomSkin());
        EXPECT_EQ(site->control(), nullptr);
        site->events().off(L"QuerySkin");
        EXPECT_TRUE(NothingLent({"gone"}));
    }
}

// Every other test here ends with nothing lent; this one reloads the
// built-in strip from inside the host's handler, between the two loans.
TEST_F(CheckBoxSkinTest, ADefaultSkinReloadedInsideQuerySkinLeavesNothingLent) {
    auto b = placeSkinBox();
    ASSERT_TRUE(b);
    answer(*b.site.Get(), {L"four", StripPicture(20, 240),
                           [box = b.box] { EXPECT_HRESULT_SUCCEEDED(box->ApplyDefaultSkin()); }});
    ASSERT_HRESULT_SUCCEEDED(b.box->ApplyCustomSkin());
    b.site->events().off(L"QuerySkin");
    EXPECT_TRUE(HeldImage("four").has_value());
    EXPECT_HRESULT_SUCCEEDED(form().remove(*b.site.Get()));
    b = {};
    EXPECT_TRUE(NothingLent({"four"}));
}

} // namespace
} // namespace pkw::test
