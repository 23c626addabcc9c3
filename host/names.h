// Names as containers compare them: ordinal, without regard to case.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pkw::host {

inline bool sameName(std::wstring_view a, std::wstring_view b) {
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

} // namespace pkw::host
