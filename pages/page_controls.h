// The library's own controls on a page window (the Caption page's text
// boxes, the Effects page's buttons): a small OLE container for them.
//
// Each control is made through the library's class table (the pages'
// controls are never registered), sited in the page window, given fresh
// settings and activated in place; its events reach the page by name.
// Everything is let go on clear(), which the page calls when it is
// deactivated.
#pragma once

#include "activex/units.h"
#include "pages/control_site.h"

#include <oleidl.h>
#include <wrl/client.h>

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace pkw::pages {

class PageFrame;

class PageControls {
public:
    // The control's name as it was added, and the event's name.
    using EventHandler = std::function<void(std::wstring_view control, std::wstring_view event)>;

    explicit PageControls(EventHandler onEvent);
    ~PageControls();
    PageControls(const PageControls&) = delete;
    PageControls& operator=(const PageControls&) = delete;

    // What controls read as ambient properties; a control reads them as it
    // is added (the text box takes the font then).
    PageAmbients& ambients() noexcept { return ambients_; }

    // Adds a control of the library's class `clsid` at `twips` in `page`'s
    // client area. Controls take the tab order in which they are added.
    HRESULT add(HWND page, REFCLSID clsid, const wchar_t* name, const RECT& twips) noexcept;
    // The control's default interface, or null.
    IDispatch* control(std::wstring_view name) const noexcept;
    // Moves and sizes a control as a container does: extent, then rectangles.
    HRESULT place(std::wstring_view name, const RECT& twips) noexcept;
    // The object that a control made the frame's active one (the focused
    // text box's), or null.
    IOleInPlaceActiveObject* activeObject() const noexcept;
    // Deactivates, closes and lets go of every control.
    void clear() noexcept;

private:
    struct Placed;
    // The control's events reach the page's handler by name.
    HRESULT connectEvents(Placed& placed, IUnknown* control) const;
    Placed* find(std::wstring_view name) const noexcept;
    RECT pixelsOf(const RECT& twips) const noexcept;

    EventHandler onEvent_;
    ax::units::TwipsPerPixel tpp_;
    PageAmbients ambients_;
    Microsoft::WRL::ComPtr<PageFrame> frame_;
    std::vector<std::unique_ptr<Placed>> placed_;
};

} // namespace pkw::pages
