#include "siblings/globals/tip_text_layer.h"

#include "common/com/bstr.h"
#include "siblings/globals/tip_engine.h"

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
    const std::optional<LayerBox> made = layerBoxOf(layer.Get());
    if (!made) return built;
    built.layer = std::move(layer);
    built.content = SIZE{std::max<LONG>(made->width - made->extraWidth, 0),
                         std::max<LONG>(made->height - made->extraHeight, 0)};
    built.offset = POINT{made->offsetX, made->offsetY};
    return built;
}

} // namespace pkw::globals
