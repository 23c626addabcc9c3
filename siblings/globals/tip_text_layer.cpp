#include "siblings/globals/tip_text_layer.h"

#include "common/com/bstr.h"

#include <algorithm>

namespace pkw::globals {

TipTextLayer buildTipTextLayer(IDispatch* settings, const wchar_t* prefix, IFont* font,
                               std::wstring_view text, SIZE box, UINT flags) {
    TipTextLayer built;
    if (text.empty()) return built;
    Microsoft::WRL::ComPtr<IFxLayer> layer = sib::NewFxLayer();
    const Bstr name(prefix);
    const Bstr value(text);
    if (!layer || !name.get() || !value.get() ||
        FAILED(layer->BuildTextLayer(settings, name.get(), font, value.get(), box.cx, box.cy,
                                     LONG(flags))))
        return built;
    LONG width = 0, height = 0, x = 0, y = 0, extraWidth = 0, extraHeight = 0;
    if (FAILED(layer->get_Width(&width)) || FAILED(layer->get_Height(&height)) ||
        FAILED(layer->get_ShadowOffsetX(&x)) || FAILED(layer->get_ShadowOffsetY(&y)) ||
        FAILED(layer->get_ShadowExtraWidth(&extraWidth)) ||
        FAILED(layer->get_ShadowExtraHeight(&extraHeight)))
        return built;
    built.layer = std::move(layer);
    built.content =
        SIZE{std::max<LONG>(width - extraWidth, 0), std::max<LONG>(height - extraHeight, 0)};
    built.offset = POINT{x, y};
    return built;
}

} // namespace pkw::globals
