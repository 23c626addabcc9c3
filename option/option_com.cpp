// The option button's class description and traits: what the server, the
// plumbing and the selection core need to know of it.
#include "option/option_class.h"
#include "selection/selection_class.h"
#include "option/nu_option40.h"

namespace pkw::option {
namespace {

constexpr UINT kToolboxBitmap = 30001;

const selection::SelectionTraits& OptionTraits() {
    // BeforeValueChanged (NuOption40::kBeforeValueChanged) sits between
    // MouseUp and KeyDown.
    static const selection::SelectionTraits traits{
        OptionClass(),
        {.click = 1,
         .dblClick = 2,
         .mouseDown = 3,
         .mouseMove = 4,
         .mouseUp = 5,
         .keyDown = 7,
         .keyPress = 8,
         .keyUp = 9,
         .querySkin = 10,
         .queryTipPlacement = 11},
        // Eight 13 x 13 frames: two values by four looks.
        {.resourceId = 1006, .frames = 8, .frameSize = 13, .margins = {4, 4, 4, 4}},
        persist::kOptionControlReadOrder,
        persist::kOptionControlWriteOrder};
    return traits;
}

} // namespace

const ax::ControlClass& OptionClass() {
    static const ax::ControlClass cls = selection::SelectionClass<NuOption40>(
        CLSID_NuOption40, L"NuOption40", kToolboxBitmap, IID__NuOption40, DIID___NuOption40);
    return cls;
}

NuOption40::NuOption40() : DualFace(OptionTraits()) {}

} // namespace pkw::option
