// The text in and out of the edit window, the code-page change and the
// font: the paths where the text box's Unicode promise is kept.
#include "textbox/nu_mtext40.h"

#include "common/com/bstr.h"
#include "siblings/api/plain.h"
#include "siblings/api/scls.h"
#include "textbox/unicode_conversion.h"

namespace pkw::textbox {
namespace {

// The reusable buffer's capacity in characters.
constexpr LONG kTextCapacity = 665535;

} // namespace

std::wstring NuMText40::ReadWindowText() {
    if (!state_.m_hWndEdit) return {};
    if (textBuffer_.empty()) textBuffer_.assign(kTextCapacity, L' ');
    LONG length = 0;
    const ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
    if (!subclass || FAILED(subclass->GetWindowTextWide(state_.m_hWndEdit.get(), textBuffer_.data(),
                                                        kTextCapacity, &length)))
        length = ::GetWindowTextW(state_.m_hWndEdit.get(), textBuffer_.data(), kTextCapacity);
    if (length <= 0) return {};
    return std::wstring(textBuffer_.data(), std::min(length, kTextCapacity));
}

HRESULT NuMText40::SetText(const std::wstring& text) {
    state_.m_sText = text;
    state_.m_sLastText = text;
    if (state_.m_bDesignMode || !state_.m_hWndEdit) return S_OK;
    const std::wstring before = ReadWindowText();
    Send(EM_SETMODIFY, FALSE);
    const ComPtr<IGlobalSubclass> subclass = sib::ThreadSubclass();
    const Bstr wide(text);
    if (!subclass || FAILED(subclass->SetWindowTextWide(state_.m_hWndEdit.get(), wide.get())))
        ::SetWindowTextW(state_.m_hWndEdit.get(), text.c_str());
    if (text != before) RaiseChange();
    return S_OK;
}

void NuMText40::ChangeCodePage(LONG codePage) {
    if (codePage == 0 || codePage == -1) return;
    // The current text as the system's ANSI bytes, read anew in that page.
    const std::wstring current = state_.m_bDesignMode ? state_.m_sText : ReadWindowText();
    const int size = ::WideCharToMultiByte(
        CP_ACP, 0, current.data(), static_cast<int>(current.size()), nullptr, 0, nullptr, nullptr);
    std::vector<std::uint8_t> ansi(static_cast<std::size_t>(std::max(size, 0)));
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, current.data(), static_cast<int>(current.size()),
                              reinterpret_cast<char*>(ansi.data()), size, nullptr, nullptr);
    const std::vector<std::uint8_t> wide =
        ConvertCodePageBytes(ansi, static_cast<UINT>(codePage), 0);
    std::wstring decoded(wide.size() / 2, L'\0');
    for (std::size_t i = 0; i < decoded.size(); ++i)
        decoded[i] = static_cast<wchar_t>(wide[2 * i] | (wide[2 * i + 1] << 8));
    ignore(SetText(decoded));
}

ComPtr<IFontDisp> NuMText40::DefaultFont() const {
    ComPtr<IFontDisp> ambient = ambientFont();
    ComPtr<IFont> f;
    if (ambient && SUCCEEDED(ambient.As(&f)))
        ignore(f->put_Charset(static_cast<SHORT>(sib::Uni().uniGetDefaultCharSet())));
    return ambient;
}

HRESULT NuMText40::SetFont(IFontDisp* oFont) {
    // An absent object changes nothing.
    if (!oFont) return S_OK;
    PKW_RETURN_IF_FAILED(setFont(oFont));
    runtimeFont_.Reset();
    if (state_.m_hWndEdit) {
        // The edit window resets its margins on a new font: keep them.
        const LRESULT margins = Send(EM_GETMARGINS);
        ComPtr<IFont> f;
        HFONT hFont = nullptr;
        if (SUCCEEDED(oFont->QueryInterface(IID_PPV_ARGS(&f)))) ignore(f->get_hFont(&hFont));
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
        Send(EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, margins);
    } else if (state_.m_bDesignMode) {
        DrawFrame();
    }
    propertyChanged(L"Font");
    return S_OK;
}

STDMETHODIMP NuMText40::get_Text(BSTR* sText) {
    if (!sText) return E_POINTER;
    const std::wstring text = state_.m_bDesignMode ? state_.m_sText : ReadWindowText();
    *sText = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *sText || text.empty() ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP NuMText40::put_Text(BSTR sText) {
    return ax::guarded([&] {
        return SetText(std::wstring(sText ? sText : L"", sText ? ::SysStringLen(sText) : 0));
    });
}

STDMETHODIMP NuMText40::get_CodePage(LONG* lCodePage) {
    if (!lCodePage) return E_POINTER;
    *lCodePage = state_.m_lCodePage;
    return S_OK;
}

STDMETHODIMP NuMText40::put_CodePage(LONG lCodePage) {
    // The text is read anew; the setting itself stays what was stored.
    return ax::guarded([&] {
        ChangeCodePage(lCodePage);
        return S_OK;
    });
}

STDMETHODIMP NuMText40::get_Font(IFontDisp** oFont) {
    if (!oFont) return E_POINTER;
    *oFont = nullptr;
    if (state_.m_bDesignMode) return font().CopyTo(oFont);
    if (!runtimeFont_) {
        ComPtr<IFont> own, clone;
        const ComPtr<IFontDisp> current = font();
        if (current && SUCCEEDED(current.As(&own)) && SUCCEEDED(own->Clone(&clone)))
            ignore(clone.As(&runtimeFont_));
    }
    return runtimeFont_.CopyTo(oFont);
}

STDMETHODIMP NuMText40::put_Font(IFontDisp* oFont) {
    return ax::guarded([&] { return SetFont(oFont); });
}

STDMETHODIMP NuMText40::putref_Font(IFontDisp* oFont) {
    return ax::guarded([&] { return SetFont(oFont); });
}

STDMETHODIMP NuMText40::VarToUni(VARIANT* vValue, BSTR* sText) {
    if (!vValue || !sText) return E_POINTER;
    *sText = nullptr;
    return ax::guarded([&] {
        std::wstring text;
        PKW_RETURN_IF_FAILED(textbox::VarToUni(*vValue, text));
        *sText = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *sText ? S_OK : E_OUTOFMEMORY;
    });
}

STDMETHODIMP NuMText40::UniToVar(BSTR sText, VARIANT* vValue) {
    if (!vValue) return E_POINTER;
    ::VariantInit(vValue);
    return ax::guarded([&] {
        Variant value;
        PKW_RETURN_IF_FAILED(textbox::UniToVar(
            std::wstring_view(sText ? sText : L"", sText ? ::SysStringLen(sText) : 0), value));
        value.detach(vValue);
        return S_OK;
    });
}

} // namespace pkw::textbox
