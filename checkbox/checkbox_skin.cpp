// The glyph image: a strip of twelve frames borrowed from the resource
// server (the built-in strip 1001, or a host image kept under a name) and
// given back when the control lets go of it.
#include "checkbox/nu_checkbox40.h"

#include "siblings/api/plain.h"

#include <string>

namespace pkw::checkbox {
namespace {

constexpr LONG kCheckBoxSkin = 1001;
// The built-in strip: twelve 13 x 13 frames, magenta as the mask.
constexpr LONG kBuiltInWidth = 13;
constexpr LONG kBuiltInHeight = 156;
constexpr LONG kBuiltInFrame = 13;
constexpr LONG kMagenta = 0xFF00FF;

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
    if (size > 0)
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(),
                              size, nullptr, nullptr);
    return ansi;
}

} // namespace

void NuCheckBox40::ReleaseSkin() {
    SkinMap& skin = state_.m_SkinMap;
    if (skin.MemDC) {
        if (state_.m_bCustomSkin) {
            sib::ResSrv().ReleaseCustomResDc(ToAnsi(skin.ImageName).c_str());
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

void NuCheckBox40::LoadDefaultSkin() {
    ReleaseSkin();
    SkinMap& skin = state_.m_SkinMap;
    skin.MemDC = sib::ResSrv().GetStaticResDc(kCheckBoxSkin, 0);
    skin.MapMargin = RECT{0, 0, 0, 0};
    skin.MaskColor = kMagenta;
    skin.DCWidth = kBuiltInWidth;
    skin.DCHeight = kBuiltInHeight;
    skin.IMGWidth = kBuiltInFrame;
    skin.IMGHeight = kBuiltInFrame;
    state_.m_bCustomSkin = false;
}

void NuCheckBox40::LoadCustomSkin() {
    // Asking the host through QuerySkin comes with the skins work; until
    // then every request ends where a host that offers no image ends: on
    // the built-in strip.
    LoadDefaultSkin();
}

} // namespace pkw::checkbox
