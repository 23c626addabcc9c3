#include "siblings/globals/tip_image_layer.h"

#include "siblings/globals/tip_engine.h"
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

    const std::optional<LayerBox> box = layerBoxOf(layer.Get());
    if (!box) return built;
    // Counting the shadow in, the whole layer is the image's box; leaving it
    // out, the picture's own pixels are, and the shadow spills past them.
    built.size = SIZE{look.excludeX ? box->width : box->width - box->extraWidth,
                      look.excludeY ? box->height : box->height - box->extraHeight};
    built.offset = POINT{look.excludeX ? 0 : box->offsetX, look.excludeY ? 0 : box->offsetY};
    built.layer = std::move(layer);
    return built;
}

} // namespace pkw::globals
