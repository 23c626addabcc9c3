#include "siblings/globals/tip_engine.h"

#include "common/com/bstr.h"

namespace pkw::globals {

BSTR noUndoLabel() {
    static const Bstr label(L"No Undo");
    return label.get();
}

std::optional<LayerBox> layerBoxOf(IFxLayer* layer) {
    LayerBox box;
    if (!layer || FAILED(layer->get_Width(&box.width)) || FAILED(layer->get_Height(&box.height)) ||
        FAILED(layer->get_ShadowOffsetX(&box.offsetX)) ||
        FAILED(layer->get_ShadowOffsetY(&box.offsetY)) ||
        FAILED(layer->get_ShadowExtraWidth(&box.extraWidth)) ||
        FAILED(layer->get_ShadowExtraHeight(&box.extraHeight)))
        return std::nullopt;
    return box;
}

} // namespace pkw::globals
