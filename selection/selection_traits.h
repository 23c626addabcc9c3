// What tells the selection controls apart as data: the dispatch ids of
// their events, their built-in glyph strip, and the order in which they
// read and write their control block. Behaviour that differs (the value
// and its rules) is in each control's own code instead.
#pragma once

#include "activex/control_class.h"
#include "persistence/control_keys.h"

#include <windows.h>

#include <span>

namespace pkw::selection {

// The dispatch ids of the source interface's events.
struct EventIds {
    DISPID click;
    DISPID dblClick;
    DISPID mouseDown;
    DISPID mouseMove;
    DISPID mouseUp;
    DISPID keyDown;
    DISPID keyPress;
    DISPID keyUp;
    DISPID querySkin;
    DISPID queryTipPlacement;
};

// The built-in glyph image: `frames` square frames stacked top to bottom,
// magenta as the mask. The same id is the one QuerySkin asks the host for.
struct GlyphStrip {
    LONG resourceId;
    LONG frames;
    LONG frameSize;
    RECT margins;
};

struct SelectionTraits {
    const ax::ControlClass& cls;
    EventIds events;
    GlyphStrip strip;
    std::span<const persist::Key> controlReadOrder;
    std::span<const persist::Key> controlWriteOrder;
};

} // namespace pkw::selection
