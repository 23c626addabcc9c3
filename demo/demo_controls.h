// What the demo form shows: one row per control, with the properties it
// sets by name.
#pragma once

#include <windows.h>

#include <span>

namespace pkw::demo {

struct Setting {
    enum class Kind { Text, Number, Boolean };
    const wchar_t* property;
    Kind kind;
    const wchar_t* text; // Kind::Text
    LONG number;         // Kind::Number, and Kind::Boolean (0 or 1)
};

struct DemoControl {
    const wchar_t* className; // "NuCheckBox40": ProgID zelPickwell40.<className>
    const wchar_t* name;
    RECT rect; // pixels on the form
    std::span<const Setting> settings;
    bool required; // the demo cannot go on without this class
    // A private class (never registered): its "{CLSID}", made straight
    // from the library's class factory. Null for the public classes.
    const wchar_t* privateClsid = nullptr;
    // The effects look of that caption in the gallery (effect_looks.h), or
    // null for the standard look.
    const wchar_t* effectLook = nullptr;
};

std::span<const DemoControl> demoControls();

inline constexpr SIZE kFormSize{470, 446};

} // namespace pkw::demo
