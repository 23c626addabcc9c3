// IConnectionPointContainer, raising events and property-change notices.
#include "activex/ole_control_impl.h"

#include <array>
#include <vector>

namespace pkw::ax {

com::ConnectionPoint* OleControlImpl::connectionPoint(std::size_t index) noexcept {
    // The class's events (when it has any), then property changes.
    if (!cls_.eventInterface) ++index;
    switch (index) {
    case 0:
        return &eventPoint_;
    case 1:
        return &propertyPoint_;
    default:
        return nullptr;
    }
}

void OleControlImpl::propertyChanged(const wchar_t* name) noexcept {
    dirty_ = true;
    // DISPID_UNKNOWN for a name the interface lacks: "some properties
    // changed", the container re-reads them all.
    const DISPID id = name ? typeInfo_.idOf(name) : DISPID_UNKNOWN;
    // A sink may release the control: it lives until this call is done.
    const ComPtr<IUnknown> keep(owner_.identity());
    ignore(propertyPoint_.forEachSink<IPropertyNotifySink>(
        [id](IPropertyNotifySink* sink) { ignore(sink->OnChanged(id)); }));
    sendViewChange();
}

HRESULT OleControlImpl::fireEvent(DISPID id, std::span<VARIANTARG> args) noexcept {
    if (!cls_.eventInterface) return S_OK;
    if (frozen_ > 0) return S_FALSE;
    if (!eventPoint_.hasSinks()) return S_OK;
    try {
        // DISPPARAMS holds the arguments last to first. The copies share the
        // caller's values: by-reference arguments reach the caller's variables.
        std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        // Handlers' failures are the host's business, not the control's.
        return eventPoint_.raise(id, params);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

// --- OleControl ---------------------------------------------------------------

void OleControl::propertyChanged(const wchar_t* name) {
    impl_->propertyChanged(name);
}

HRESULT OleControl::fireEvent(DISPID id, std::span<VARIANTARG> args) {
    return impl_->fireEvent(id, args);
}

HRESULT OleControl::fireMouseEvent(DISPID id, MouseArgs args) {
    std::array<VARIANTARG, 4> v{};
    v[0].vt = VT_I2 | VT_BYREF, v[0].piVal = &args.button;
    v[1].vt = VT_I2 | VT_BYREF, v[1].piVal = &args.shift;
    v[2].vt = VT_R4 | VT_BYREF, v[2].pfltVal = &args.x;
    v[3].vt = VT_R4 | VT_BYREF, v[3].pfltVal = &args.y;
    return fireEvent(id, v);
}

HRESULT OleControl::fireKeyEvent(DISPID id, short& keyCode, short shift) {
    std::array<VARIANTARG, 2> v{};
    v[0].vt = VT_I2 | VT_BYREF, v[0].piVal = &keyCode;
    v[1].vt = VT_I2 | VT_BYREF, v[1].piVal = &shift;
    return fireEvent(id, v);
}

} // namespace pkw::ax
