#include "activex/skin_map.h"

#include "siblings/api/plain.h"

namespace pkw::ax {

std::string SkinImageKey(const std::wstring& name) {
    if (name.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, name.data(), static_cast<int>(name.size()), ansi.data(),
                              size, nullptr, nullptr);
    return ansi;
}

void ReleaseSkin(SkinMap& skin, bool custom) {
    if (skin.MemDC) {
        if (custom) {
            sib::ResSrv().ReleaseCustomResDc(SkinImageKey(skin.ImageName).c_str());
        } else {
            sib::ResSrv().ReleaseStaticResDc(skin.MemDC);
        }
    }
    skin.MemDC = nullptr;
    skin.ImageName.clear();
    skin.MaskColor = -1;
    skin.RGN1BltMode = skin.RGN2BltMode = skin.RGN3BltMode = skin.RGN4BltMode = false;
    skin.RGN5BltMode = 0;
}

} // namespace pkw::ax
