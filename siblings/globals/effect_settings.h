// Descriptors of the effect-set settings, built from effect_settings.def.
//
//   SettingType, SettingGroup   the type and group columns
//   DefaultKind, SettingDefault one value column (a number or a keyword)
//   EffectSettingInfo           one line of the table
//   EffectSettingId             index of a line (EffectSettingId::Alpha ...)
//   kEffectSettings             every line, in table order
//   effectSettingInfo(id)
//   kStandardStops, kNewFontName, kNewFontPoints  what the keywords stand for
//
// Plain C++ without Windows headers: the library's persistence and its
// effect-set creation walk the same table as the DLL that implements it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pkw::globals {

enum class SettingType : std::uint8_t {
    Int16,
    Int32,
    Colour,
    Boolean,
    Font,
    Picture,
    Text,
    Gradient
};

enum class SettingGroup : std::uint8_t {
    State,  // every set; persisted in the state blocks and the tool-tip block
    Tip,    // tool-tip set only; persisted in the tool-tip block only
    Header, // every block writes it under the tool-tip block's key
    Extra,  // never persisted
};

enum class DefaultKind : std::uint8_t {
    Number,         // SettingDefault::number (Booleans: -1 True, 0 False)
    Keep,           // creation leaves the value a new set has
    NoPicture,      // no picture object
    NewFont,        // a new kNewFontName font of kNewFontPoints points
    AmbientFont,    // the container's ambient font
    EmptyText,      // ""
    ThreeZeroBytes, // persisted text default: a byte array of three zeros
    NoStops,        // an empty stop list (persisted: count 0, stop fields 0)
    StandardStops,  // kStandardStops
    NotPersisted,   // the setting has no key in this block
};

struct SettingDefault {
    DefaultKind kind;
    std::int32_t number = 0;

    constexpr SettingDefault(DefaultKind k) noexcept : kind(k) {}
    // Colours above 0x7FFFFFFF keep their bits.
    constexpr SettingDefault(std::int64_t n) noexcept
        : kind(DefaultKind::Number), number(static_cast<std::int32_t>(n)) {}
    constexpr bool operator==(const SettingDefault&) const = default;
};

struct EffectSettingInfo {
    std::wstring_view name;
    SettingType type;
    SettingGroup group;
    SettingDefault fresh;      // a new EffectSet
    SettingDefault stateInit;  // each state set when the library creates them
    SettingDefault tipInit;    // the tool-tip set when the library creates it
    SettingDefault stateSaved; // persisted default in a state block
    SettingDefault tipSaved;   // persisted default in the tool-tip block
};

enum class EffectSettingId : std::uint16_t {
#define PKW_EFFECT_SETTING(name, type, group, fresh, stateInit, tipInit, stateSaved, tipSaved) name,
#include "siblings/globals/effect_settings.def"
#undef PKW_EFFECT_SETTING
};

struct StopValue {
    std::uint32_t color;
    std::int16_t percent;
};

inline constexpr std::array<StopValue, 2> kStandardStops{{{0xFF0000, 50}, {0x0000FF, 100}}};
inline constexpr std::wstring_view kNewFontName = L"MS Sans Serif";
inline constexpr int kNewFontPoints = 8;

namespace effect_table {

// The keywords of the table's value columns.
inline constexpr SettingDefault keep{DefaultKind::Keep};
inline constexpr SettingDefault none{DefaultKind::NoPicture};
inline constexpr SettingDefault newfont{DefaultKind::NewFont};
inline constexpr SettingDefault ambient{DefaultKind::AmbientFont};
inline constexpr SettingDefault empty{DefaultKind::EmptyText};
inline constexpr SettingDefault threezeros{DefaultKind::ThreeZeroBytes};
inline constexpr SettingDefault nostops{DefaultKind::NoStops};
inline constexpr SettingDefault twostops{DefaultKind::StandardStops};
inline constexpr SettingDefault nokey{DefaultKind::NotPersisted};
inline constexpr SettingDefault True{-1};
inline constexpr SettingDefault False{0};

#define PKW_ES_TYPE_int16 SettingType::Int16
#define PKW_ES_TYPE_int32 SettingType::Int32
#define PKW_ES_TYPE_colour SettingType::Colour
#define PKW_ES_TYPE_bool SettingType::Boolean
#define PKW_ES_TYPE_font SettingType::Font
#define PKW_ES_TYPE_picture SettingType::Picture
#define PKW_ES_TYPE_text SettingType::Text
#define PKW_ES_TYPE_gradient SettingType::Gradient
#define PKW_ES_GROUP_state SettingGroup::State
#define PKW_ES_GROUP_tip SettingGroup::Tip
#define PKW_ES_GROUP_header SettingGroup::Header
#define PKW_ES_GROUP_extra SettingGroup::Extra

inline constexpr EffectSettingInfo kRows[] = {
#define PKW_EFFECT_SETTING(name, type, group, fresh, stateInit, tipInit, stateSaved, tipSaved)     \
    {L"" #name, PKW_ES_TYPE_##type, PKW_ES_GROUP_##group, fresh, stateInit, tipInit, stateSaved,   \
     tipSaved},
#include "siblings/globals/effect_settings.def"
#undef PKW_EFFECT_SETTING
};

#undef PKW_ES_TYPE_int16
#undef PKW_ES_TYPE_int32
#undef PKW_ES_TYPE_colour
#undef PKW_ES_TYPE_bool
#undef PKW_ES_TYPE_font
#undef PKW_ES_TYPE_picture
#undef PKW_ES_TYPE_text
#undef PKW_ES_TYPE_gradient
#undef PKW_ES_GROUP_state
#undef PKW_ES_GROUP_tip
#undef PKW_ES_GROUP_header
#undef PKW_ES_GROUP_extra

} // namespace effect_table

inline constexpr std::size_t kEffectSettingCount = std::size(effect_table::kRows);

inline constexpr std::array<EffectSettingInfo, kEffectSettingCount> kEffectSettings =
    std::to_array(effect_table::kRows);

constexpr const EffectSettingInfo& effectSettingInfo(EffectSettingId id) noexcept {
    return kEffectSettings[static_cast<std::size_t>(id)];
}

constexpr bool isNumberType(SettingType t) noexcept {
    return t == SettingType::Int16 || t == SettingType::Int32 || t == SettingType::Colour ||
           t == SettingType::Boolean;
}

namespace effect_table {

constexpr wchar_t foldAscii(wchar_t c) noexcept {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - L'a' + L'A') : c;
}

constexpr bool sameName(std::wstring_view a, std::wstring_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i])) return false;
    return true;
}

// Whether a value fits the setting's type (keywords only where they mean
// something for that type).
constexpr bool fitsType(const SettingDefault& d, SettingType t) noexcept {
    switch (d.kind) {
    case DefaultKind::Number:
        if (t == SettingType::Boolean) return d.number == 0 || d.number == -1;
        if (t == SettingType::Int16) return d.number >= -32768 && d.number <= 32767;
        return isNumberType(t);
    case DefaultKind::Keep:
    case DefaultKind::NotPersisted:
        return true;
    case DefaultKind::NoPicture:
        return t == SettingType::Picture;
    case DefaultKind::NewFont:
    case DefaultKind::AmbientFont:
        return t == SettingType::Font;
    case DefaultKind::EmptyText:
    case DefaultKind::ThreeZeroBytes:
        return t == SettingType::Text;
    case DefaultKind::NoStops:
    case DefaultKind::StandardStops:
        return t == SettingType::Gradient;
    }
    return false;
}

constexpr bool isValidRow(const EffectSettingInfo& r) noexcept {
    const auto k = [](const SettingDefault& d) { return d.kind; };
    using K = DefaultKind;
    if (!fitsType(r.fresh, r.type) || !fitsType(r.stateInit, r.type) ||
        !fitsType(r.tipInit, r.type) || !fitsType(r.stateSaved, r.type) ||
        !fitsType(r.tipSaved, r.type))
        return false;
    // A new set has no container, and "keep" or "no key" mean nothing there.
    if (k(r.fresh) == K::Keep || k(r.fresh) == K::NotPersisted || k(r.fresh) == K::AmbientFont ||
        k(r.fresh) == K::ThreeZeroBytes)
        return false;
    for (const auto* d : {&r.stateInit, &r.tipInit})
        if (k(*d) == K::NotPersisted || k(*d) == K::ThreeZeroBytes) return false;
    for (const auto* d : {&r.stateSaved, &r.tipSaved})
        if (k(*d) == K::Keep || k(*d) == K::NewFont || k(*d) == K::EmptyText ||
            k(*d) == K::StandardStops)
            return false;
    const bool inState = k(r.stateSaved) != K::NotPersisted;
    const bool inTip = k(r.tipSaved) != K::NotPersisted;
    switch (r.group) {
    case SettingGroup::State:
        return inState && inTip;
    case SettingGroup::Header:
        return inState && inTip && k(r.stateInit) == K::Keep;
    case SettingGroup::Tip:
        return !inState && inTip && k(r.stateInit) == K::Keep;
    case SettingGroup::Extra:
        return !inState && !inTip && k(r.stateInit) == K::Keep && k(r.tipInit) == K::Keep;
    }
    return false;
}

constexpr bool isValidTable() noexcept {
    for (std::size_t i = 0; i < kEffectSettingCount; ++i) {
        if (!isValidRow(kEffectSettings[i])) return false;
        for (std::size_t j = i + 1; j < kEffectSettingCount; ++j)
            if (sameName(kEffectSettings[i].name, kEffectSettings[j].name)) return false;
    }
    return true;
}

static_assert(isValidTable(), "effect_settings.def: a value does not fit its column or type, "
                              "or a name is there twice");

} // namespace effect_table

} // namespace pkw::globals
