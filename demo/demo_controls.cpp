#include "demo/demo_controls.h"

namespace pkw::demo {
namespace {

using K = Setting::Kind;

constexpr Setting text(const wchar_t* property, const wchar_t* value) {
    return {property, K::Text, value, 0};
}
constexpr Setting number(const wchar_t* property, LONG value) {
    return {property, K::Number, nullptr, value};
}
constexpr Setting flag(const wchar_t* property, bool value) {
    return {property, K::Boolean, nullptr, value ? 1 : 0};
}

// Check boxes: the three values, disabled looks, access keys, Unicode.
const Setting kBold[] = {text(L"Caption", L"&Bold text"), number(L"Value", 0)};
const Setting kGrid[] = {text(L"Caption", L"Show &grid lines"), number(L"Value", 1)};
const Setting kMixed[] = {text(L"Caption", L"&Mixed selection"), number(L"Value", 2)};
const Setting kOffDisabled[] = {text(L"Caption", L"Disabled, clear"), number(L"Value", 0),
                                flag(L"Enabled", false)};
const Setting kOnDisabled[] = {text(L"Caption", L"Disabled, c&hecked"), number(L"Value", 1),
                               flag(L"Enabled", false)};
// Latin beyond Latin-1 and Cyrillic: scripts the prefix's Tahoma draws.
const Setting kUnicode[] = {text(L"Caption", L"Gr\u00FC\u00DFe \u00B7 \u0141\u00F3d\u017A \u00B7 "
                                             L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439"),
                            number(L"Value", 1)};
const Setting kColours[] = {text(L"Caption", L"&Colours of its own"), number(L"Value", 1),
                            number(L"ForeColor", 0x00800000), number(L"BackColor", 0x00FFFFFF)};

// Option buttons: two groups, one member of each selected.
const Setting kSmall[] = {text(L"Caption", L"&Small"), number(L"GroupID", 1),
                          flag(L"Grouped", true)};
const Setting kMedium[] = {text(L"Caption", L"M&edium"), number(L"GroupID", 1),
                           flag(L"Grouped", true), flag(L"Value", true)};
const Setting kLarge[] = {text(L"Caption", L"&Large"), number(L"GroupID", 1),
                          flag(L"Grouped", true)};
const Setting kLeft[] = {text(L"Caption", L"Le&ft"), number(L"GroupID", 2), flag(L"Grouped", true),
                         flag(L"Value", true)};
const Setting kRight[] = {text(L"Caption", L"R&ight"), number(L"GroupID", 2),
                          flag(L"Grouped", true)};

// Text boxes: several scripts, a selection that stays visible, and the
// locked and disabled looks.
const Setting kScripts[] = {text(L"Text",
                                 L"\u0395\u03BB\u03BB\u03B7\u03BD\u03B9\u03BA\u03AC \u00B7 "
                                 L"\u0420\u0443\u0441\u0441\u043A\u0438\u0439 \u00B7 "
                                 L"\u0141\u00F3d\u017A")};
const Setting kSelection[] = {flag(L"HideSelection", false), text(L"Text", L"Part of it selected"),
                              number(L"SelStart", 8), number(L"SelLength", 2)};
const Setting kLocked[] = {text(L"Text", L"Locked: copy only"), flag(L"Locked", true)};
const Setting kTextDisabled[] = {text(L"Text", L"Disabled"), flag(L"Enabled", false),
                                 number(L"BackColor", 0x8000000F),
                                 number(L"ForeColor", 0x80000011)};
constexpr wchar_t kTextBox[] = L"{3A0D0B92-5B3D-47A7-832E-FA61DA3AD766}";

// The effects look beside the standard one: two check boxes and an option
// group drawn by the effects engine.
const Setting kFxGradient[] = {text(L"Caption", L"Gradient &body"), number(L"Value", 1)};
const Setting kFxShadow[] = {text(L"Caption", L"Drop shado&w"), number(L"Value", 0)};
const Setting kFxDay[] = {text(L"Caption", L"&Day"), number(L"GroupID", 3), flag(L"Grouped", true),
                          flag(L"Value", true)};
const Setting kFxNight[] = {text(L"Caption", L"&Night"), number(L"GroupID", 3),
                            flag(L"Grouped", true)};

constexpr LONG kLeftColumn = 16, kRightColumn = 270, kRow = 34, kTop = 16, kHeight = 24;

constexpr RECT row(LONG column, int index, LONG width) {
    return {column, kTop + index * kRow, column + width, kTop + index * kRow + kHeight};
}

// An effects row: a taller body, with room below and to the right for a
// shadow (kEffectsRoom).
constexpr RECT fxRow(LONG column, int index, LONG width) {
    const LONG top = kTop + index * kRow + (index - 9) * 8;
    return {column, top, column + width, top + kHeight + 8};
}

const DemoControl kControls[] = {
    {L"NuCheckBox40", L"chkBold", row(kLeftColumn, 0, 220), kBold, true},
    {L"NuCheckBox40", L"chkGrid", row(kLeftColumn, 1, 220), kGrid, true},
    {L"NuCheckBox40", L"chkMixed", row(kLeftColumn, 2, 220), kMixed, true},
    {L"NuCheckBox40", L"chkOffDisabled", row(kLeftColumn, 3, 220), kOffDisabled, true},
    {L"NuCheckBox40", L"chkOnDisabled", row(kLeftColumn, 4, 220), kOnDisabled, true},
    {L"NuCheckBox40", L"chkUnicode", row(kLeftColumn, 5, 240), kUnicode, true},
    {L"NuCheckBox40", L"chkColours", row(kLeftColumn, 6, 220), kColours, true},
    {L"NuOption40", L"optSmall", row(kRightColumn, 0, 180), kSmall, true},
    {L"NuOption40", L"optMedium", row(kRightColumn, 1, 180), kMedium, true},
    {L"NuOption40", L"optLarge", row(kRightColumn, 2, 180), kLarge, true},
    {L"NuOption40", L"optLeft", row(kRightColumn, 4, 180), kLeft, true},
    {L"NuOption40", L"optRight", row(kRightColumn, 5, 180), kRight, true},
    {L"NuMText40", L"txtScripts", row(kLeftColumn, 7, 220), kScripts, false, kTextBox},
    {L"NuMText40", L"txtSelection", row(kRightColumn, 7, 180), kSelection, false, kTextBox},
    {L"NuMText40", L"txtLocked", row(kLeftColumn, 8, 220), kLocked, false, kTextBox},
    {L"NuMText40", L"txtDisabled", row(kRightColumn, 8, 180), kTextDisabled, false, kTextBox},
    {L"NuCheckBox40", L"fxGradient", fxRow(kLeftColumn, 9, 220), kFxGradient, true, nullptr,
     L"Linear gradient"},
    {L"NuCheckBox40", L"fxShadow", fxRow(kLeftColumn, 10, 220), kFxShadow, true, nullptr,
     L"Drop shadow"},
    {L"NuOption40", L"optDay", fxRow(kRightColumn, 9, 180), kFxDay, true, nullptr,
     L"Option: gradient"},
    {L"NuOption40", L"optNight", fxRow(kRightColumn, 10, 180), kFxNight, true, nullptr,
     L"Option: glow"},
};

} // namespace

std::span<const DemoControl> demoControls() {
    return kControls;
}

} // namespace pkw::demo
