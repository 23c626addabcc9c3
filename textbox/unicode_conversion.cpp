#include "textbox/unicode_conversion.h"

#include "common/text/code_page.h"
#include "common/text/unicode_text.h"

#include <cstring>

namespace pkw::textbox {
namespace {

std::u16string_view asUtf16(std::wstring_view text) noexcept {
    return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

} // namespace

std::vector<std::uint8_t> ConvertCodePageBytes(std::span<const std::uint8_t> bytes, UINT codePage,
                                               DWORD flags) {
    const auto decode = [codePage, flags](std::string_view source, std::span<char16_t> out) {
        return ::MultiByteToWideChar(codePage, flags, source.data(), -1,
                                     reinterpret_cast<wchar_t*>(out.data()),
                                     static_cast<int>(out.size()));
    };
    return text::ConvertCodePageBytes(bytes, codePage, decode);
}

HRESULT VarToUni(const VARIANT& value, std::wstring& text) {
    const VARIANT* v = &value;
    while (v->vt == (VT_VARIANT | VT_BYREF)) {
        if (!v->pvarVal) return E_INVALIDARG;
        v = v->pvarVal;
    }
    const bool byRef = (v->vt & VT_BYREF) != 0;
    switch (v->vt & ~VT_BYREF) {
    case VT_BSTR: {
        const BSTR s = byRef ? (v->pbstrVal ? *v->pbstrVal : nullptr) : v->bstrVal;
        text.assign(s ? s : L"", s ? ::SysStringLen(s) : 0);
        return S_OK;
    }
    case VT_ARRAY | VT_UI1: {
        SAFEARRAY* array = byRef ? (v->pparray ? *v->pparray : nullptr) : v->parray;
        text.clear();
        if (!array) return S_OK;
        if (::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1)
            return E_INVALIDARG;
        LONG lower = 0, upper = -1;
        if (FAILED(::SafeArrayGetLBound(array, 1, &lower)) ||
            FAILED(::SafeArrayGetUBound(array, 1, &upper)))
            return E_INVALIDARG;
        if (upper < lower) return S_OK;
        void* data = nullptr;
        const HRESULT hr = ::SafeArrayAccessData(array, &data);
        if (FAILED(hr)) return hr;
        const std::span<const std::uint8_t> bytes(static_cast<const std::uint8_t*>(data),
                                                  static_cast<std::size_t>(upper - lower) + 1);
        const std::u16string units = text::FromUnicodeBytes(bytes);
        ::SafeArrayUnaccessData(array);
        text.assign(units.begin(), units.end());
        return S_OK;
    }
    case VT_EMPTY:
    case VT_NULL:
        text.clear();
        return S_OK;
    default:
        return E_INVALIDARG;
    }
}

HRESULT UniToVar(std::wstring_view text, Variant& value) {
    const std::vector<std::uint8_t> bytes = text::ToUnicodeBytes(asUtf16(text));
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) return E_OUTOFMEMORY;
    if (!bytes.empty()) {
        void* data = nullptr;
        const HRESULT hr = ::SafeArrayAccessData(array, &data);
        if (FAILED(hr)) {
            ::SafeArrayDestroy(array);
            return hr;
        }
        std::memcpy(data, bytes.data(), bytes.size());
        ::SafeArrayUnaccessData(array);
    }
    value.clear();
    value.vt = VT_ARRAY | VT_UI1;
    value.parray = array;
    return S_OK;
}

} // namespace pkw::textbox
