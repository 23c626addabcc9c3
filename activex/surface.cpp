// The control's window as a drawing surface: size in twips, colours, font,
// enabled state, mouse pointer and access keys.
#include "activex/ole_control_impl.h"

#include "common/com/hresult.h"

namespace pkw::ax {
namespace {

COLORREF translate(OLE_COLOR color) noexcept {
    COLORREF rgb = 0;
    return SUCCEEDED(::OleTranslateColor(color, nullptr, &rgb)) ? rgb : 0;
}

} // namespace

void OleControlImpl::applyColors() noexcept {
    const HDC hdc = window_.hdc();
    if (!hdc) return;
    ::SetBkColor(hdc, translate(surface_.backColor));
    ::SetTextColor(hdc, translate(surface_.foreColor));
}

HRESULT OleControlImpl::applyFont(IFontDisp* font) noexcept {
    if (!font) return E_INVALIDARG;
    ComPtr<IFont> f;
    PKW_RETURN_IF_FAILED(font->QueryInterface(IID_PPV_ARGS(&f)));
    // The font object itself is never asked for a GDI font: controls whose
    // fonts look alike draw with one.
    SharedFont shared;
    PKW_RETURN_IF_FAILED(SharedFont::Of(f.Get(), shared));
    surface_.font = font;
    // A font that draws like the one selected (a load gives the control
    // the font it has) keeps the selection: selecting realises the font.
    if (shared.get() == surface_.selectedFont.get()) {
        surface_.selectedFont = std::move(shared);
        return S_OK;
    }
    releaseSelectedFont();
    surface_.selectedFont = std::move(shared);
    if (window_.hdc()) ::SelectObject(window_.hdc(), surface_.selectedFont.get());
    return S_OK;
}

void OleControlImpl::releaseSelectedFont() noexcept {
    if (!surface_.selectedFont) return;
    if (window_.hdc()) ::SelectObject(window_.hdc(), ::GetStockObject(SYSTEM_FONT));
    surface_.selectedFont.reset();
}

// --- OleControl ---------------------------------------------------------------

HWND OleControl::hwnd() const noexcept {
    return impl_->window_.hwnd();
}
HDC OleControl::hdc() const noexcept {
    return impl_->window_.hdc();
}
short OleControl::twipsPerPixelX() const noexcept {
    return impl_->tpp_.x;
}
short OleControl::twipsPerPixelY() const noexcept {
    return impl_->tpp_.y;
}

LONG OleControl::scaleWidthTwips() const noexcept {
    return impl_->window_.clientSize().cx * impl_->tpp_.x;
}

LONG OleControl::scaleHeightTwips() const noexcept {
    return impl_->window_.clientSize().cy * impl_->tpp_.y;
}

HRESULT OleControl::setSizeTwips(LONG widthTwips, LONG heightTwips) {
    return impl_->setSizeTwips(widthTwips, heightTwips);
}

HRESULT OleControl::setWidthTwips(LONG widthTwips) {
    return impl_->setSizeTwips(widthTwips, impl_->extentTwips().cy);
}

HRESULT OleControl::setHeightTwips(LONG heightTwips) {
    return impl_->setSizeTwips(impl_->extentTwips().cx, heightTwips);
}

OLE_COLOR OleControl::backColor() const noexcept {
    return impl_->surface_.backColor;
}

void OleControl::setBackColor(OLE_COLOR color) {
    impl_->surface_.backColor = color;
    impl_->applyColors();
}

OLE_COLOR OleControl::foreColor() const noexcept {
    return impl_->surface_.foreColor;
}

void OleControl::setForeColor(OLE_COLOR color) {
    impl_->surface_.foreColor = color;
    impl_->applyColors();
}

ComPtr<IFontDisp> OleControl::font() const {
    // Never none: a window without a font of its own gets the default one.
    if (!impl_->surface_.font) {
        if (ComPtr<IFontDisp> f = OleControlImpl::defaultFont()) ignore(impl_->applyFont(f.Get()));
    }
    return impl_->surface_.font;
}

HFONT OleControl::fontHandle() const {
    if (!impl_->surface_.font) static_cast<void>(font());
    return impl_->surface_.selectedFont.get();
}

HRESULT OleControl::setFont(IFontDisp* font) {
    return impl_->applyFont(font);
}

bool OleControl::enabled() const noexcept {
    return impl_->surface_.enabled;
}

void OleControl::setEnabled(bool enabled) {
    impl_->surface_.enabled = enabled;
    if (const HWND h = hwnd()) ::EnableWindow(h, enabled ? TRUE : FALSE);
}

short OleControl::mousePointer() const noexcept {
    return impl_->surface_.mousePointer;
}

HRESULT OleControl::setMousePointer(short pointer) {
    impl_->surface_.mousePointer = pointer;
    return S_OK;
}

ComPtr<IPictureDisp> OleControl::mouseIcon() const {
    return impl_->surface_.mouseIcon;
}

HRESULT OleControl::setMouseIcon(IPictureDisp* icon) {
    impl_->surface_.mouseIcon = icon;
    return S_OK;
}

void OleControl::setAccessKeys(const std::wstring& keys) {
    impl_->setAccessKeys(keys);
}

const std::wstring& OleControl::accessKeys() const noexcept {
    return impl_->surface_.accessKeys;
}

} // namespace pkw::ax
