// What the demo's galleries share: labels on the form, and cells captured
// as they were entered laid back over the finished form's image.
#pragma once

#include "host/capture.h"
#include "host/com_object.h"
#include "host/form.h"
#include "host/site.h"

#include <ocidl.h>

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace pkw::demo {

// A static text on the form, centred vertically in `r`.
void Label(HWND form, const wchar_t* text, const RECT& r);

// Cells of a gallery, each captured while its control was in the state it
// shows (hover and presses last only until the next control takes the
// cursor), laid over the form's image at the end.
class GalleryCells {
public:
    // Enters the state with `enter`, captures the control, leaves the state
    // by the step `enter` returned.
    void capture(host::Form& form, host::Site& site, const RECT& rect,
                 const std::function<std::function<void()>()>& enter);
    // The form with every cell over it, as PNG; "" when done, else what
    // went wrong.
    std::wstring save(host::Form& form, const std::wstring& path) const;

private:
    std::vector<std::pair<RECT, host::Image>> cells_;
};

// Hovers over (or presses on) the control at `inside`; the returned step
// takes the cursor away again (and lets go of the button).
std::function<void()> Hover(host::Site& site, POINT inside);
std::function<void()> Press(host::Site& site, POINT inside);

// A bitmap picture of width x height whose pixel (x, y) is colourAt(x, y)
// as 0x00RRGGBB; null when it cannot be made.
host::ComPtr<IPictureDisp> PictureOf(int width, int height,
                                     const std::function<std::uint32_t(int, int)>& colourAt);

} // namespace pkw::demo
