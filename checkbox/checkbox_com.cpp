// The check box's class description and traits: what the server, the
// plumbing and the selection core need to know of it.
#include "checkbox/checkbox_class.h"
#include "selection/selection_class.h"
#include "checkbox/nu_checkbox40.h"

namespace pkw::checkbox {
namespace {

constexpr UINT kToolboxBitmap = 30000;

const selection::SelectionTraits& CheckBoxTraits() {
    static const selection::SelectionTraits traits{
        CheckBoxClass(),
        {.click = 1,
         .dblClick = 2,
         .mouseDown = DISPID_MOUSEDOWN,
         .mouseMove = 3,
         .mouseUp = 4,
         .keyDown = 5,
         .keyPress = 6,
         .keyUp = 7,
         .querySkin = 8,
         .queryTipPlacement = 9},
        // Twelve 13 x 13 frames: three values by four looks.
        {.resourceId = 1001, .frames = 12, .frameSize = 13, .margins = {0, 0, 0, 0}},
        persist::kCheckBoxControlReadOrder,
        persist::kCheckBoxControlWriteOrder};
    return traits;
}

} // namespace

const ax::ControlClass& CheckBoxClass() {
    static const ax::ControlClass cls =
        selection::SelectionClass<NuCheckBox40>(CLSID_NuCheckBox40, L"NuCheckBox40", kToolboxBitmap,
                                                IID__NuCheckBox40, DIID___NuCheckBox40);
    return cls;
}

NuCheckBox40::NuCheckBox40() : DualFace(CheckBoxTraits()) {}

} // namespace pkw::checkbox
