// Maps keyed by names that compare without regard to case, as property-bag
// keys do. Look-ups take any spelling and make no folded copy of it: a save
// or a load of a control asks a bag for several hundred keys.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

namespace pkw::win {

// One spelling for the characters that compare equal without regard to
// case (ASCII inline; others as CharUpperW maps a single character).
inline wchar_t FoldNameChar(wchar_t c) noexcept {
    if (c < 0x80) return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    const auto mapped = reinterpret_cast<ULONG_PTR>(
        ::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c))));
    return static_cast<wchar_t>(mapped);
}

struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::wstring_view name) const noexcept {
        // FNV-1a over the folded characters.
        constexpr bool wide = sizeof(std::size_t) == 8;
        constexpr auto basis =
            static_cast<std::size_t>(wide ? 14695981039346656037ull : 2166136261u);
        constexpr auto prime = static_cast<std::size_t>(wide ? 1099511628211ull : 16777619u);
        std::size_t h = basis;
        for (const wchar_t c : name)
            h = (h ^ static_cast<std::size_t>(FoldNameChar(c))) * prime;
        return h;
    }
};

struct NameEqual {
    using is_transparent = void;
    bool operator()(std::wstring_view a, std::wstring_view b) const noexcept {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i)
            if (a[i] != b[i] && FoldNameChar(a[i]) != FoldNameChar(b[i])) return false;
        return true;
    }
};

template <typename T>
using NameMap = std::unordered_map<std::wstring, T, NameHash, NameEqual>;
using NameSet = std::unordered_set<std::wstring, NameHash, NameEqual>;

} // namespace pkw::win
