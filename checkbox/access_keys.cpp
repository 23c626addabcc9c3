#include "checkbox/access_keys.h"

#include <windows.h>

namespace pkw::checkbox {

std::wstring AccessKeyOf(std::wstring_view caption) {
    if (caption.size() < 2) return {};
    std::size_t amp = caption.find(L'&');
    if (amp == std::wstring_view::npos || amp + 1 >= caption.size()) return {};
    if (caption[amp + 1] == L'&') {
        // Only the next ampersand after the doubled one is looked at.
        amp = caption.find(L'&', amp + 2);
        if (amp == std::wstring_view::npos || amp + 1 >= caption.size()) return {};
        if (caption[amp + 1] == L'&') return {};
    }
    wchar_t key[2] = {caption[amp + 1], 0};
    ::CharLowerBuffW(key, 1);
    return key;
}

} // namespace pkw::checkbox
