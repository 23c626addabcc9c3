// EffectSet: one complete set of effect settings, one property per line of
// effect_settings.def. Storage and accessors are generated from that table.
//
// Fonts and pictures: put and putref both keep the caller's object (callers
// that want a private font clone it first). A set always has its fonts (a
// null font is refused); a picture may be null. Booleans are kept as
// VARIANT_TRUE or VARIANT_FALSE.
#pragma once

// common/com/bstr.h needs Windows' headers first.
#include <windows.h>

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/com/server/server.h"
#include "siblings/globals/effect_settings.h"

#include "zelGlobals40.h"

#include <array>
#include <cstdint>

namespace pkw::globals {

using Microsoft::WRL::ComPtr;

// Settings of one storage kind share one array; a setting's slot is its
// position among the table lines of its kind.
enum class SettingStorage : std::uint8_t { Number, Font, Picture, Text, Gradient };

constexpr SettingStorage storageOf(SettingType type) noexcept {
    switch (type) {
    case SettingType::Font:
        return SettingStorage::Font;
    case SettingType::Picture:
        return SettingStorage::Picture;
    case SettingType::Text:
        return SettingStorage::Text;
    case SettingType::Gradient:
        return SettingStorage::Gradient;
    default:
        return SettingStorage::Number;
    }
}

constexpr std::size_t storageCount(SettingStorage storage) noexcept {
    std::size_t n = 0;
    for (const auto& row : kEffectSettings)
        if (storageOf(row.type) == storage) ++n;
    return n;
}

inline constexpr auto kSettingSlots = [] {
    std::array<std::uint16_t, kEffectSettingCount> slots{};
    std::array<std::uint16_t, 5> next{};
    for (std::size_t i = 0; i < kEffectSettingCount; ++i)
        slots[i] = next[static_cast<std::size_t>(storageOf(kEffectSettings[i].type))]++;
    return slots;
}();

class EffectSet : public com::DualDispatch<IEffectSet> {
public:
    using Interfaces = com::InterfaceMap<IEffectSet, IDispatch>;

    // Gives every setting the value a new set has.
    HRESULT initialize() noexcept;

#define PKW_ESA_NUMBER(name, Type, put)                                                            \
    HRESULT STDMETHODCALLTYPE get_##name(Type* value) noexcept override {                          \
        return getNumber(slotOf<EffectSettingId::name>(), value);                                  \
    }                                                                                              \
    HRESULT STDMETHODCALLTYPE put_##name(Type value) noexcept override {                           \
        return put(slotOf<EffectSettingId::name>(), value);                                        \
    }
#define PKW_ESA_int16(name) PKW_ESA_NUMBER(name, SHORT, putNumber)
#define PKW_ESA_int32(name) PKW_ESA_NUMBER(name, LONG, putNumber)
#define PKW_ESA_colour(name) PKW_ESA_NUMBER(name, OLE_COLOR, putNumber)
#define PKW_ESA_bool(name) PKW_ESA_NUMBER(name, VARIANT_BOOL, putBool)
#define PKW_ESA_OBJECT(name, Type, get, put)                                                       \
    HRESULT STDMETHODCALLTYPE get_##name(Type** value) noexcept override {                         \
        return get(slotOf<EffectSettingId::name>(), value);                                        \
    }                                                                                              \
    HRESULT STDMETHODCALLTYPE put_##name(Type* value) noexcept override {                          \
        return put(slotOf<EffectSettingId::name>(), value);                                        \
    }                                                                                              \
    HRESULT STDMETHODCALLTYPE putref_##name(Type* value) noexcept override {                       \
        return put(slotOf<EffectSettingId::name>(), value);                                        \
    }
#define PKW_ESA_font(name) PKW_ESA_OBJECT(name, IFontDisp, getFont, putFont)
#define PKW_ESA_picture(name) PKW_ESA_OBJECT(name, IPictureDisp, getPicture, putPicture)
#define PKW_ESA_text(name)                                                                         \
    HRESULT STDMETHODCALLTYPE get_##name(BSTR* value) noexcept override {                          \
        return getText(slotOf<EffectSettingId::name>(), value);                                    \
    }                                                                                              \
    HRESULT STDMETHODCALLTYPE put_##name(BSTR value) noexcept override {                           \
        return putText(slotOf<EffectSettingId::name>(), value);                                    \
    }
#define PKW_ESA_gradient(name)                                                                     \
    HRESULT STDMETHODCALLTYPE get_##name(IGradInfo** value) noexcept override {                    \
        return getGradient(slotOf<EffectSettingId::name>(), value);                                \
    }
#define PKW_EFFECT_SETTING(name, type, group, fresh, stateInit, tipInit, stateSaved, tipSaved)     \
    PKW_ESA_##type(name)
#include "siblings/globals/effect_settings.def"
#undef PKW_EFFECT_SETTING
#undef PKW_ESA_gradient
#undef PKW_ESA_text
#undef PKW_ESA_picture
#undef PKW_ESA_font
#undef PKW_ESA_OBJECT
#undef PKW_ESA_bool
#undef PKW_ESA_colour
#undef PKW_ESA_int32
#undef PKW_ESA_int16
#undef PKW_ESA_NUMBER

private:
    template <EffectSettingId id>
    static constexpr std::size_t slotOf() noexcept {
        return kSettingSlots[static_cast<std::size_t>(id)];
    }

    template <typename T>
    HRESULT getNumber(std::size_t slot, T* value) const noexcept {
        if (!value) return E_POINTER;
        *value = static_cast<T>(numbers_[slot]);
        return S_OK;
    }
    HRESULT putNumber(std::size_t slot, LONG value) noexcept;
    HRESULT putBool(std::size_t slot, VARIANT_BOOL value) noexcept;
    HRESULT getFont(std::size_t slot, IFontDisp** value) const noexcept;
    HRESULT putFont(std::size_t slot, IFontDisp* value) noexcept;
    HRESULT getPicture(std::size_t slot, IPictureDisp** value) const noexcept;
    HRESULT putPicture(std::size_t slot, IPictureDisp* value) noexcept;
    HRESULT getText(std::size_t slot, BSTR* value) const noexcept;
    HRESULT putText(std::size_t slot, BSTR value) noexcept;
    HRESULT getGradient(std::size_t slot, IGradInfo** value) const noexcept;

    HRESULT applyFresh(const EffectSettingInfo& row, std::size_t slot) noexcept;

    std::array<LONG, storageCount(SettingStorage::Number)> numbers_{};
    std::array<ComPtr<IFontDisp>, storageCount(SettingStorage::Font)> fonts_;
    std::array<ComPtr<IPictureDisp>, storageCount(SettingStorage::Picture)> pictures_;
    std::array<Bstr, storageCount(SettingStorage::Text)> texts_;
    std::array<ComPtr<IGradInfo>, storageCount(SettingStorage::Gradient)> gradients_;
};

} // namespace pkw::globals
