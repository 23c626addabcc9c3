// Persisted keys that are plain members of a control's state: one table
// row per key names the member, and loading and saving walk the table
// instead of repeating a case per key. The key's stored type (from the
// key table) decides the VARIANT field; the member's type must match it.
#pragma once

#include "common/com/variant.h"
#include "persistence/control_keys.h"

#include <oleauto.h>
#include <windows.h>

#include <span>
#include <string>
#include <type_traits>
#include <variant>

namespace pkw::persist {

template <typename State>
struct StateField {
    using Member = std::variant<LONG State::*, SHORT State::*, bool State::*, float State::*,
                                OLE_COLOR State::*, std::wstring State::*>;
    Key key;
    Member member;
};

namespace detail {

inline std::wstring TextOfVariant(const VARIANT& typed) {
    return typed.vt == VT_BSTR ? std::wstring(typed.bstrVal, ::SysStringLen(typed.bstrVal))
                               : std::wstring();
}

inline Variant TextVariant(const std::wstring& text) {
    Variant v;
    v.vt = VT_BSTR;
    v.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

} // namespace detail

template <typename State>
const StateField<State>* FindField(std::span<const StateField<State>> fields, Key key) noexcept {
    for (const StateField<State>& f : fields)
        if (f.key == key) return &f;
    return nullptr;
}

// Stores a typed value (as the key table types it) into the member; false
// when the key has no row.
template <typename State>
bool LoadField(std::span<const StateField<State>> fields, Key key, const VARIANT& typed,
               State& state) {
    const StateField<State>* field = FindField(fields, key);
    if (!field) return false;
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(state.*member)>;
            if constexpr (std::is_same_v<T, std::wstring>) {
                state.*member = detail::TextOfVariant(typed);
            } else if constexpr (std::is_same_v<T, bool>) {
                state.*member = typed.boolVal != VARIANT_FALSE;
            } else if constexpr (std::is_same_v<T, float>) {
                state.*member = typed.fltVal;
            } else if constexpr (std::is_same_v<T, SHORT>) {
                state.*member = typed.iVal;
            } else {
                state.*member = static_cast<T>(typed.lVal);
            }
        },
        field->member);
    return true;
}

// The member's value typed for the bag; false when the key has no row.
template <typename State>
bool SaveField(std::span<const StateField<State>> fields, Key key, const State& state,
               Variant& typed) {
    const StateField<State>* field = FindField(fields, key);
    if (!field) return false;
    std::visit(
        [&](auto member) {
            using T = std::remove_cvref_t<decltype(state.*member)>;
            if constexpr (std::is_same_v<T, std::wstring>) {
                typed = detail::TextVariant(state.*member);
            } else if constexpr (std::is_same_v<T, bool>) {
                typed = Variant::fromBool(state.*member);
            } else if constexpr (std::is_same_v<T, float>) {
                typed = Variant::fromR4(state.*member);
            } else if constexpr (std::is_same_v<T, SHORT>) {
                typed = Variant::fromI2(state.*member);
            } else {
                typed = Variant::fromI4(static_cast<LONG>(state.*member));
            }
        },
        field->member);
    return true;
}

} // namespace pkw::persist
