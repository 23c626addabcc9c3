#include "siblings/globals/tip_image_layer.h"

#include "siblings/globals/tip_body.h"
#include "siblings/globals/tip_picture.h"

namespace pkw::globals {

TipImageLayer buildTipImageLayer(const TipImageLook& look) {
    TipImageLayer built;
    const std::optional<SIZE> size = tipPictureSize(look.picture.Get());
    if (!size) return built;
    Microsoft::WRL::ComPtr<IFxLayer> layer = sib::NewFxLayer();
    if (!layer || FAILED(layer->LoadFromPicture(look.picture.Get(), size->cx, size->cy)) ||
        FAILED(layer->SetTransparentColor(look.mask)))
        return built;
    if (look.blur > 0) layer->BlurLayer(look.blur, noUndoLabel());
    if (look.soften > 0) layer->SoftenLayer(look.soften, noUndoLabel());
    if (look.shadow)
        layer->DropShadow(look.shadowDx, look.shadowDy, look.shadowColor, look.shadowAlpha,
                          look.shadowIntensity, noUndoLabel());
    if (look.alpha != 255) layer->SetLayerAlpha(look.alpha, noUndoLabel());

    LONG width = 0, height = 0, x = 0, y = 0, extraWidth = 0, extraHeight = 0;
    if (FAILED(layer->get_Width(&width)) || FAILED(layer->get_Height(&height)) ||
        FAILED(layer->get_ShadowOffsetX(&x)) || FAILED(layer->get_ShadowOffsetY(&y)) ||
        FAILED(layer->get_ShadowExtraWidth(&extraWidth)) ||
        FAILED(layer->get_ShadowExtraHeight(&extraHeight)))
        return built;
    // Counting the shadow in, the whole layer is the image's box; leaving it
    // out, the picture's own pixels are, and the shadow spills past them.
    built.size = SIZE{look.excludeX ? width : width - extraWidth,
                      look.excludeY ? height : height - extraHeight};
    built.offset = POINT{look.excludeX ? 0 : x, look.excludeY ? 0 : y};
    built.layer = std::move(layer);
    return built;
}

} // namespace pkw::globals
