#include "siblings/globals/effect_set.h"

#include "siblings/globals/grad_info.h"

#include <olectl.h>

#include <string>

namespace pkw::globals {
namespace {

HRESULT createNewFont(IFontDisp** font) noexcept {
    try {
        std::wstring face(kNewFontName);
        FONTDESC desc{};
        desc.cbSizeofstruct = sizeof(desc);
        desc.lpstrName = face.data();
        desc.cySize.int64 = static_cast<LONGLONG>(kNewFontPoints) * 10000;
        desc.sWeight = FW_NORMAL;
        desc.sCharset = ANSI_CHARSET;
        return ::OleCreateFontIndirect(&desc, IID_IFontDisp, reinterpret_cast<void**>(font));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT createStops(const SettingDefault& fresh, IGradInfo** stops) noexcept {
    ComPtr<IGradInfo> list;
    PKW_RETURN_IF_FAILED(com::createObject<GradInfo>(IID_IGradInfo, &list));
    if (fresh.kind == DefaultKind::StandardStops) {
        std::array<GradStop, kStandardStops.size()> records{};
        for (std::size_t i = 0; i < records.size(); ++i) {
            records[i].GradColor = static_cast<LONG>(kStandardStops[i].color);
            records[i].GradPercent = kStandardStops[i].percent;
        }
        PKW_RETURN_IF_FAILED(list->SetStops(static_cast<LONG>(records.size()), records.data()));
    }
    *stops = list.Detach();
    return S_OK;
}

} // namespace

HRESULT EffectSet::initialize() noexcept {
    for (std::size_t i = 0; i < kEffectSettingCount; ++i)
        PKW_RETURN_IF_FAILED(applyFresh(kEffectSettings[i], kSettingSlots[i]));
    return S_OK;
}

HRESULT EffectSet::applyFresh(const EffectSettingInfo& row, std::size_t slot) noexcept {
    const SettingDefault& fresh = row.fresh;
    switch (storageOf(row.type)) {
    case SettingStorage::Number:
        numbers_[slot] = fresh.number;
        return S_OK;
    case SettingStorage::Font:
        return createNewFont(fonts_[slot].ReleaseAndGetAddressOf());
    case SettingStorage::Picture:
        pictures_[slot].Reset();
        return S_OK;
    case SettingStorage::Text:
        texts_[slot].reset();
        return S_OK;
    case SettingStorage::Gradient:
        return createStops(fresh, gradients_[slot].ReleaseAndGetAddressOf());
    }
    return E_UNEXPECTED;
}

HRESULT EffectSet::putNumber(std::size_t slot, LONG value) noexcept {
    numbers_[slot] = value;
    return S_OK;
}

HRESULT EffectSet::putBool(std::size_t slot, VARIANT_BOOL value) noexcept {
    numbers_[slot] = value ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT EffectSet::getFont(std::size_t slot, IFontDisp** value) const noexcept {
    if (!value) return E_POINTER;
    return fonts_[slot].CopyTo(value);
}

HRESULT EffectSet::putFont(std::size_t slot, IFontDisp* value) noexcept {
    if (!value) return E_POINTER;
    // Late-bound callers can hand over any object; only a font will do.
    ComPtr<IFontDisp> font;
    if (FAILED(value->QueryInterface(IID_IFontDisp, reinterpret_cast<void**>(font.GetAddressOf()))))
        return DISP_E_TYPEMISMATCH;
    fonts_[slot] = std::move(font);
    return S_OK;
}

HRESULT EffectSet::getPicture(std::size_t slot, IPictureDisp** value) const noexcept {
    if (!value) return E_POINTER;
    return pictures_[slot].CopyTo(value);
}

HRESULT EffectSet::putPicture(std::size_t slot, IPictureDisp* value) noexcept {
    if (!value) {
        pictures_[slot].Reset();
        return S_OK;
    }
    ComPtr<IPictureDisp> picture;
    if (FAILED(value->QueryInterface(IID_IPictureDisp,
                                     reinterpret_cast<void**>(picture.GetAddressOf()))))
        return DISP_E_TYPEMISMATCH;
    pictures_[slot] = std::move(picture);
    return S_OK;
}

HRESULT EffectSet::getText(std::size_t slot, BSTR* value) const noexcept {
    if (!value) return E_POINTER;
    *value = texts_[slot].copy();
    return *value ? S_OK : E_OUTOFMEMORY;
}

HRESULT EffectSet::putText(std::size_t slot, BSTR value) noexcept {
    // SysStringLen keeps embedded nulls; a null BSTR is the empty text.
    Bstr text(std::wstring_view(value ? value : L"", value ? ::SysStringLen(value) : 0));
    if (value && ::SysStringLen(value) > 0 && !text.get()) return E_OUTOFMEMORY;
    texts_[slot] = std::move(text);
    return S_OK;
}

HRESULT EffectSet::getGradient(std::size_t slot, IGradInfo** value) const noexcept {
    if (!value) return E_POINTER;
    return gradients_[slot].CopyTo(value);
}

} // namespace pkw::globals
