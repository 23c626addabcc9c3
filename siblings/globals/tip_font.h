// The font of one line kind of the tip: the set's font object while the set
// holds one, otherwise a font object made from the system's message font.
// Measuring (GDI) and the effects engine's text layers use the same object.
#pragma once

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace pkw::globals {

class TipFont {
public:
    explicit TipFont(IFont* font);

    IFont* object() const noexcept { return object_.Get(); }
    // Stays the font object's; never null.
    HFONT handle() const noexcept { return handle_; }

private:
    Microsoft::WRL::ComPtr<IFont> object_;
    HFONT handle_ = nullptr;
};

} // namespace pkw::globals
