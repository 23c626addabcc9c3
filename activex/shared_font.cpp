#include "activex/shared_font.h"

#include "common/com/hresult.h"

namespace pkw::ax {

HRESULT SharedFont::Of(IFont* font, SharedFont& out) noexcept {
    PKW_RETURN_HR_IF_NULL(E_POINTER, font);
    FontDescription d;
    try {
        PKW_RETURN_IF_FAILED(DescribeFont(font, d));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    HRESULT made = S_OK;
    ThreadShared<Entry> shared =
        ThreadShared<Entry>::Of([&](const Entry& e) { return e.description.drawsLike(d); },
                                [&](Entry& e) {
                                    made = font->Clone(&e.owner);
                                    if (SUCCEEDED(made) && !e.owner) made = E_FAIL;
                                    if (SUCCEEDED(made)) made = e.owner->get_hFont(&e.handle);
                                    if (SUCCEEDED(made) && !e.handle) made = E_FAIL;
                                    if (FAILED(made)) return false;
                                    e.description = std::move(d);
                                    return true;
                                });
    if (!shared) return FAILED(made) ? made : E_OUTOFMEMORY;
    out.shared_ = std::move(shared);
    return S_OK;
}

} // namespace pkw::ax
