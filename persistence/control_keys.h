// The persisted keys of the two selection controls (check box and option
// button) outside the effect blocks: the two header keys, the control block
// and the two texts. One table gives each key's name, stored type and
// default; the orders in which each control reads and writes them are data
// too, so the reading and the writing routine walk the same table.
#pragma once

#include <cstdint>
#include <span>

namespace pkw::persist {

// How a value is stored in the bag.
enum class ValueType : std::uint8_t {
    Int16,   // VT_I2
    Int32,   // VT_I4 (enumerations too)
    Colour,  // OLE_COLOR as VT_I4
    Boolean, // VT_BOOL, True is -1
    Single,  // VT_R4
    Object,  // a font or picture object, persisted by the container
    Text,    // byte array of UTF-16LE code units, no terminator
};

enum class Key : std::uint8_t {
    TipInitialized,
    VisualEffectStyle,
    TipPreTimer,
    TipPostTimer,
    TipShowMethod,
    TipHideMethod,
    TipAnimateSteps,
    ValueSetClick,
    DisabledForeColor,
    ForeColor,
    Font,
    DrawFocusRectangle,
    Alignment,
    BackColor,
    CheckValue,  // "Value" of the check box: 0, 1 or 2
    OptionValue, // "Value" of the option button: a Boolean
    Enabled,
    MouseIcon,
    MousePointer,
    BackStyle,
    GroupID,
    Grouped,
    Picture,
    PictureDisabled,
    ControlWidth,
    ControlHeight,
    XOffset,
    YOffset,
    NuToolTipText,
    Caption,
    Count_
};

// Default of an object key.
enum class ObjectDefault : std::uint8_t { None, AmbientFont };

struct KeyInfo {
    Key key;
    const wchar_t* name;
    ValueType type;
    // Numbers, Booleans (-1 / 0) and colours; a colour is its 32-bit value.
    double number;
    ObjectDefault object;
};

// The description of one key (the table is indexed by Key).
const KeyInfo& Describe(Key key) noexcept;
std::span<const KeyInfo> AllKeys() noexcept;

// The header keys, read and written first.
inline constexpr Key kHeaderWriteOrder[] = {Key::TipInitialized, Key::VisualEffectStyle};

// The tool tip's timing, read right after the tool-tip block when the saved
// settings say the tool tip was initialised.
inline constexpr Key kTipTimingReadOrder[] = {Key::TipPreTimer, Key::TipPostTimer,
                                              Key::TipShowMethod, Key::TipHideMethod,
                                              Key::TipAnimateSteps};

// The texts, read last (after the skin is loaded).
inline constexpr Key kTextReadOrder[] = {Key::NuToolTipText, Key::Caption};

inline constexpr Key kCheckBoxControlReadOrder[] = {Key::ValueSetClick,
                                                    Key::DisabledForeColor,
                                                    Key::ForeColor,
                                                    Key::Font,
                                                    Key::DrawFocusRectangle,
                                                    Key::Alignment,
                                                    Key::BackColor,
                                                    Key::CheckValue,
                                                    Key::Enabled,
                                                    Key::MouseIcon,
                                                    Key::MousePointer,
                                                    Key::BackStyle,
                                                    Key::Picture,
                                                    Key::PictureDisabled,
                                                    Key::ControlWidth,
                                                    Key::ControlHeight,
                                                    Key::XOffset,
                                                    Key::YOffset};

inline constexpr Key kOptionControlReadOrder[] = {Key::ValueSetClick,
                                                  Key::ForeColor,
                                                  Key::DrawFocusRectangle,
                                                  Key::Alignment,
                                                  Key::OptionValue,
                                                  Key::Enabled,
                                                  Key::Font,
                                                  Key::MouseIcon,
                                                  Key::MousePointer,
                                                  Key::BackStyle,
                                                  Key::BackColor,
                                                  Key::GroupID,
                                                  Key::Grouped,
                                                  Key::Picture,
                                                  Key::PictureDisabled,
                                                  Key::DisabledForeColor,
                                                  Key::ControlWidth,
                                                  Key::ControlHeight,
                                                  Key::XOffset,
                                                  Key::YOffset};

// The control block as written (texts included), after the effect blocks.
inline constexpr Key kCheckBoxControlWriteOrder[] = {Key::ValueSetClick,
                                                     Key::DisabledForeColor,
                                                     Key::DrawFocusRectangle,
                                                     Key::Alignment,
                                                     Key::BackColor,
                                                     Key::Caption,
                                                     Key::Enabled,
                                                     Key::Font,
                                                     Key::ForeColor,
                                                     Key::MouseIcon,
                                                     Key::MousePointer,
                                                     Key::BackStyle,
                                                     Key::CheckValue,
                                                     Key::Picture,
                                                     Key::PictureDisabled,
                                                     Key::TipPreTimer,
                                                     Key::TipPostTimer,
                                                     Key::TipShowMethod,
                                                     Key::TipHideMethod,
                                                     Key::TipAnimateSteps,
                                                     Key::ControlWidth,
                                                     Key::ControlHeight,
                                                     Key::XOffset,
                                                     Key::YOffset,
                                                     Key::NuToolTipText};

inline constexpr Key kOptionControlWriteOrder[] = {Key::ValueSetClick,
                                                   Key::DrawFocusRectangle,
                                                   Key::Alignment,
                                                   Key::BackColor,
                                                   Key::Caption,
                                                   Key::Enabled,
                                                   Key::Font,
                                                   Key::ForeColor,
                                                   Key::DisabledForeColor,
                                                   Key::MouseIcon,
                                                   Key::MousePointer,
                                                   Key::BackStyle,
                                                   Key::OptionValue,
                                                   Key::GroupID,
                                                   Key::Grouped,
                                                   Key::Picture,
                                                   Key::PictureDisabled,
                                                   Key::TipPreTimer,
                                                   Key::TipPostTimer,
                                                   Key::TipShowMethod,
                                                   Key::TipHideMethod,
                                                   Key::TipAnimateSteps,
                                                   Key::ControlWidth,
                                                   Key::ControlHeight,
                                                   Key::XOffset,
                                                   Key::YOffset,
                                                   Key::NuToolTipText};

} // namespace pkw::persist
