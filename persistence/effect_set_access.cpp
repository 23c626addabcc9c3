#include "persistence/effect_set_access.h"

#include <array>

namespace pkw::persist {
namespace {

template <typename I>
HRESULT QueryAs(IDispatch* value, REFIID iid, I** out) {
    *out = nullptr;
    if (!value) return S_OK;
    return value->QueryInterface(iid, reinterpret_cast<void**>(out));
}

// One accessor per type of the table; `name` is the property.
#define PKW_ACCESS_NUMBER(name, T)                                                                 \
    EffectSettingAccess {                                                                          \
        [](IEffectSet* s, std::int32_t* v) {                                                       \
            T raw{};                                                                               \
            const HRESULT hr = s->get_##name(&raw);                                                \
            *v = static_cast<std::int32_t>(raw);                                                   \
            return hr;                                                                             \
        },                                                                                         \
            [](IEffectSet* s, std::int32_t v) { return s->put_##name(static_cast<T>(v)); },        \
            nullptr, nullptr, nullptr, nullptr, nullptr                                            \
    }
#define PKW_ACCESS_int16(name) PKW_ACCESS_NUMBER(name, SHORT)
#define PKW_ACCESS_int32(name) PKW_ACCESS_NUMBER(name, LONG)
#define PKW_ACCESS_colour(name) PKW_ACCESS_NUMBER(name, OLE_COLOR)
#define PKW_ACCESS_bool(name) PKW_ACCESS_NUMBER(name, VARIANT_BOOL)
#define PKW_ACCESS_OBJECT(name, I)                                                                 \
    EffectSettingAccess {                                                                          \
        nullptr, nullptr,                                                                          \
            [](IEffectSet* s, IDispatch** v) {                                                     \
                I* raw = nullptr;                                                                  \
                const HRESULT hr = s->get_##name(&raw);                                            \
                *v = raw;                                                                          \
                return hr;                                                                         \
            },                                                                                     \
            [](IEffectSet* s, IDispatch* v) {                                                      \
                I* typed = nullptr;                                                                \
                HRESULT hr = QueryAs(v, IID_##I, &typed);                                          \
                if (SUCCEEDED(hr)) hr = s->putref_##name(typed);                                   \
                if (typed) typed->Release();                                                       \
                return hr;                                                                         \
            },                                                                                     \
            nullptr, nullptr, nullptr                                                              \
    }
#define PKW_ACCESS_font(name) PKW_ACCESS_OBJECT(name, IFontDisp)
#define PKW_ACCESS_picture(name) PKW_ACCESS_OBJECT(name, IPictureDisp)
#define PKW_ACCESS_text(name)                                                                      \
    EffectSettingAccess {                                                                          \
        nullptr, nullptr, nullptr, nullptr,                                                        \
            [](IEffectSet* s, BSTR* v) { return s->get_##name(v); },                               \
            [](IEffectSet* s, BSTR v) { return s->put_##name(v); }, nullptr                        \
    }
#define PKW_ACCESS_gradient(name)                                                                  \
    EffectSettingAccess {                                                                          \
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,                                      \
            [](IEffectSet* s, IGradInfo** v) { return s->get_##name(v); }                          \
    }

const std::array<EffectSettingAccess, globals::kEffectSettingCount> kAccessors{{
#define PKW_EFFECT_SETTING(name, type, group, fresh, stateInit, tipInit, stateSaved, tipSaved)     \
    PKW_ACCESS_##type(name),
#include "siblings/globals/effect_settings.def"
#undef PKW_EFFECT_SETTING
}};

} // namespace

std::span<const EffectSettingAccess> EffectSettingAccessors() noexcept {
    return kAccessors;
}

} // namespace pkw::persist
