#include "siblings/fx/engine/arguments.h"

#include <algorithm>
#include <cwchar>

namespace pkw::fx {

std::uint8_t AlphaArgument(LONG alpha) noexcept {
    return std::uint8_t(std::clamp<LONG>(alpha, 0, 255));
}

std::optional<Rgb> ColourArgument(OLE_COLOR colour) noexcept {
    COLORREF rgb = 0;
    if (FAILED(::OleTranslateColor(colour, nullptr, &rgb))) return std::nullopt;
    return Rgb::FromColorRef(rgb);
}

bool KeptForUndo(BSTR undoLabel) noexcept {
    return !undoLabel || ::_wcsicmp(undoLabel, L"No Undo") != 0;
}

} // namespace pkw::fx
