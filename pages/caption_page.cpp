#include "pages/caption_page.h"

#include "activex/font_description.h"
#include "common/com/hresult.h"
#include "common/com/server/server.h"
#include "common/win/unique_handle.h"
#include "pages/late_bound.h"
#include "pages/property_page.h"
#include "pages/striped_background.h"

#include "zelPickwell40.h"
#include "zelPickwell40Private.h"

#include <span>
#include <string>
#include <vector>

namespace pkw::pages {
namespace {

using Microsoft::WRL::ComPtr;
namespace units = ax::units;

constexpr SIZE kPageTwips{5415, 4500};
constexpr wchar_t kCaptionBox[] = L"NuMText401";
constexpr wchar_t kTipBox[] = L"NuMText402";
// Added to the caption's text height for the box's frame and margins.
constexpr LONG kCaptionBoxPadding = 60;

constexpr RECT At(LONG left, LONG top, LONG width, LONG height) {
    return {left, top, left + width, top + height};
}

// The page's layout in twips, in tab order. A label shows its text; a text
// box is named by it.
struct Element {
    enum class Kind { Label, TextBox } kind;
    RECT twips;
    const wchar_t* text;
};
constexpr Element kLayout[] = {
    {Element::Kind::Label, At(345, 630, 585, 195), L"Caption:"},
    {Element::Kind::TextBox, At(345, 885, 4245, 300), kCaptionBox},
    {Element::Kind::Label, At(345, 1785, 1050, 195), L"NuTooltipText:"},
    {Element::Kind::TextBox, At(345, 2040, 4245, 300), kTipBox},
};
constexpr const RECT& kCaptionBoxTwips = kLayout[1].twips;

// The page's own font, which its labels and the tool-tip box keep.
ComPtr<IFontDisp> PageFont() {
    ComPtr<IFontDisp> font;
    ignore(ax::MakeFont({L"MS Sans Serif", 8 * 10000}, &font));
    return font;
}

// A copy the page may keep without holding the control's own font.
ComPtr<IFontDisp> CopyOf(const Variant& value) {
    ComPtr<IFont> font, copy;
    ComPtr<IFontDisp> result;
    if ((value.vt != VT_DISPATCH && value.vt != VT_UNKNOWN) || !value.punkVal ||
        FAILED(value.punkVal->QueryInterface(IID_PPV_ARGS(&font))) || FAILED(font->Clone(&copy)) ||
        FAILED(copy.As(&result)))
        return nullptr;
    return result;
}

HFONT HandleOf(IFontDisp* font) {
    ComPtr<IFont> f;
    HFONT handle = nullptr;
    if (font && SUCCEEDED(font->QueryInterface(IID_PPV_ARGS(&f)))) ignore(f->get_hFont(&handle));
    return handle;
}

// The height of "Wg" in `font`, in pixels (0 when it cannot be measured).
LONG TextHeight(IFontDisp* font) {
    const HFONT handle = HandleOf(font);
    const WindowDc screen(nullptr);
    if (!handle || !screen) return 0;
    const SelectedObject selected(screen.get(), handle);
    SIZE size{};
    return ::GetTextExtentPoint32W(screen.get(), L"Wg", 2, &size) ? size.cy : 0;
}

class CaptionPage : public com::DualDispatch<_Caption>, public PropertyPage {
public:
    using Interfaces = com::InterfaceMap<_Caption, IDispatch, IPropertyPage2,
                                         com::As<IPropertyPage, IPropertyPage2>>;

    CaptionPage() : PropertyPage(L"Caption", kPageTwips), pageFont_(PageFont()) {}

private:
    // --- The selection ----------------------------------------------------
    HRESULT onObjects(ULONG count, IUnknown** objects) noexcept override {
        selected_.clear();
        try {
            for (ULONG i = 0; i < count; ++i) {
                ComPtr<IDispatch> object;
                if (objects[i] && SUCCEEDED(objects[i]->QueryInterface(IID_PPV_ARGS(&object))))
                    selected_.push_back(std::move(object));
            }
        } catch (const std::bad_alloc&) {
            selected_.clear();
            return E_OUTOFMEMORY;
        }
        if (!selected_.empty()) selectionChanged();
        return S_OK;
    }

    // Reads the first selected control into the page and its boxes.
    void selectionChanged() noexcept {
        IDispatch* first = selected_.front().Get();
        Variant font;
        captionFont_ = SUCCEEDED(late::Get(first, L"Font", font)) ? CopyOf(font) : nullptr;
        caption_.clear();
        tip_.clear();
        ignore(late::GetText(first, L"UniCaption", caption_));
        ignore(late::GetText(first, L"UniToolTipText", tip_));
        fillBoxes();
    }

    // Setting the boxes' text raises their Change: that is no edit.
    void fillBoxes() noexcept {
        IDispatch* captionBox = controls().control(kCaptionBox);
        IDispatch* tipBox = controls().control(kTipBox);
        if (!captionBox || !tipBox) return;
        loading_ = true;
        if (captionFont_) {
            ignore(late::Put(captionBox, L"Font", Variant::fromDispatch(captionFont_.Get())));
            RECT box = kCaptionBoxTwips;
            box.bottom =
                box.top + TextHeight(captionFont_.Get()) * twipsPerPixel().y + kCaptionBoxPadding;
            ignore(controls().place(kCaptionBox, box));
        }
        ignore(late::PutText(captionBox, L"Text", caption_));
        ignore(late::PutText(tipBox, L"Text", tip_));
        loading_ = false;
    }

    // --- The page's controls ------------------------------------------------
    HRESULT onActivate(HWND window) noexcept override {
        controls().ambients().font = pageFont_;
        for (const Element& element : kLayout)
            if (element.kind == Element::Kind::TextBox)
                PKW_RETURN_IF_FAILED(
                    controls().add(window, CLSID_NuMText40, element.text, element.twips));
        if (!selected_.empty()) fillBoxes();
        return S_OK;
    }

    void onControlEvent(std::wstring_view, std::wstring_view event) noexcept override {
        if (event != L"Change" || loading_) return;
        dirty_ = true;
        if (IPropertyPageSite* frame = site()) ignore(frame->OnStatusChange(PROPPAGESTATUS_DIRTY));
    }

    // --- Apply ------------------------------------------------------------------
    bool dirty() const noexcept override { return dirty_; }

    // Every selected control gets both texts, whatever fails on the way.
    HRESULT onApply() noexcept override {
        ignore(late::GetText(controls().control(kCaptionBox), L"Text", caption_));
        ignore(late::GetText(controls().control(kTipBox), L"Text", tip_));
        for (const ComPtr<IDispatch>& object : selected_) {
            ignore(late::PutText(object.Get(), L"UniCaption", caption_));
            ignore(late::PutText(object.Get(), L"UniToolTipText", tip_));
            ignore(late::Call(object.Get(), L"Refresh"));
        }
        dirty_ = false;
        return S_OK;
    }

    // --- Drawing ------------------------------------------------------------------
    void draw(HDC hdc, SIZE client) noexcept override {
        DrawStripedBackground(hdc, client);
        const HFONT font = HandleOf(pageFont_.Get());
        const SelectedObject selected(hdc, font);
        ::SetBkMode(hdc, TRANSPARENT);
        ::SetTextColor(hdc, ::GetSysColor(COLOR_BTNTEXT));
        const units::TwipsPerPixel tpp = twipsPerPixel();
        for (const Element& element : kLayout) {
            if (element.kind != Element::Kind::Label) continue;
            RECT at{units::pixelsFromTwips(element.twips.left, tpp.x),
                    units::pixelsFromTwips(element.twips.top, tpp.y),
                    units::pixelsFromTwips(element.twips.right, tpp.x),
                    units::pixelsFromTwips(element.twips.bottom, tpp.y)};
            // Never cut: a larger system font still shows the whole label.
            ::DrawTextW(hdc, element.text, -1, &at, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
        }
    }

    ComPtr<IFontDisp> pageFont_;
    ComPtr<IFontDisp> captionFont_;
    std::vector<ComPtr<IDispatch>> selected_;
    std::wstring caption_;
    std::wstring tip_;
    bool loading_ = false;
    bool dirty_ = false;
};

} // namespace

const com::ClassEntry& CaptionPageClass() {
    static const com::ClassEntry entry{&CLSID_Caption, L"Caption", &com::createObject<CaptionPage>};
    return entry;
}

} // namespace pkw::pages
