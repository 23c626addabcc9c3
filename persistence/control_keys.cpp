#include "persistence/control_keys.h"

#include <array>

namespace pkw::persist {
namespace {

using enum ValueType;
constexpr double kTrue = -1;
constexpr double kFalse = 0;

// Indexed by Key; the static_assert below keeps the two in step.
constexpr std::array<KeyInfo, static_cast<std::size_t>(Key::Count_)> kKeys{{
    {Key::TipInitialized, L"TipInitialized", Boolean, kFalse, ObjectDefault::None},
    {Key::VisualEffectStyle, L"VisualEffectStyle", Int32, 0, ObjectDefault::None},
    {Key::TipPreTimer, L"TipPreTimer", Single, 2, ObjectDefault::None},
    {Key::TipPostTimer, L"TipPostTimer", Single, 6, ObjectDefault::None},
    {Key::TipShowMethod, L"TipShowMethod", Int32, 0, ObjectDefault::None},
    {Key::TipHideMethod, L"TipHideMethod", Int32, 0, ObjectDefault::None},
    {Key::TipAnimateSteps, L"TipAnimateSteps", Int16, 5, ObjectDefault::None},
    {Key::ValueSetClick, L"ValueSetClick", Boolean, kFalse, ObjectDefault::None},
    {Key::DisabledForeColor, L"DisabledForeColor", Colour, 0x80000011u, ObjectDefault::None},
    {Key::ForeColor, L"ForeColor", Colour, 0, ObjectDefault::None},
    {Key::Font, L"Font", Object, 0, ObjectDefault::AmbientFont},
    {Key::DrawFocusRectangle, L"DrawFocusRectangle", Boolean, kTrue, ObjectDefault::None},
    {Key::Alignment, L"Alignment", Int32, 0, ObjectDefault::None},
    {Key::BackColor, L"BackColor", Colour, 0x8000000Fu, ObjectDefault::None},
    {Key::CheckValue, L"Value", Int16, 0, ObjectDefault::None},
    {Key::OptionValue, L"Value", Boolean, kFalse, ObjectDefault::None},
    {Key::Enabled, L"Enabled", Boolean, kTrue, ObjectDefault::None},
    {Key::MouseIcon, L"MouseIcon", Object, 0, ObjectDefault::None},
    {Key::MousePointer, L"MousePointer", Int16, 0, ObjectDefault::None},
    {Key::BackStyle, L"BackStyle", Int32, 1, ObjectDefault::None},
    {Key::GroupID, L"GroupID", Int16, 0, ObjectDefault::None},
    {Key::Grouped, L"Grouped", Boolean, kFalse, ObjectDefault::None},
    {Key::Picture, L"Picture", Object, 0, ObjectDefault::None},
    {Key::PictureDisabled, L"PictureDisabled", Object, 0, ObjectDefault::None},
    {Key::ControlWidth, L"ControlWidth", Int32, 0, ObjectDefault::None},
    {Key::ControlHeight, L"ControlHeight", Int32, 0, ObjectDefault::None},
    {Key::XOffset, L"XOffset", Int32, 0, ObjectDefault::None},
    {Key::YOffset, L"YOffset", Int32, 0, ObjectDefault::None},
    {Key::NuToolTipText, L"NuToolTipText", Text, 0, ObjectDefault::None},
    {Key::Caption, L"Caption", Text, 0, ObjectDefault::None},
}};

constexpr bool TableInKeyOrder() {
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (static_cast<std::size_t>(kKeys[i].key) != i) return false;
    }
    return true;
}
static_assert(TableInKeyOrder(), "kKeys must list the keys in the order of enum Key");

} // namespace

const KeyInfo& Describe(Key key) noexcept {
    return kKeys[static_cast<std::size_t>(key)];
}

std::span<const KeyInfo> AllKeys() noexcept {
    return kKeys;
}

} // namespace pkw::persist
