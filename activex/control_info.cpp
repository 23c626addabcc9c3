// IOleControl: access keys, ambient changes and frozen events.
#include "activex/ole_control_impl.h"

namespace pkw::ax {

void OleControlImpl::rebuildAccelerators() {
    const std::vector<ACCEL> table = accelerators::fromAccessKeys(surface_.accessKeys);
    accel_.reset(table.empty() ? nullptr
                               : ::CreateAcceleratorTableW(const_cast<ACCEL*>(table.data()),
                                                           static_cast<int>(table.size())));
    accelCount_ = accel_ ? static_cast<int>(table.size()) : 0;
}

void OleControlImpl::setAccessKeys(const std::wstring& keys) {
    // Kept lower-cased, so that a key reads the same whichever case the
    // caption gave it.
    surface_.accessKeys.clear();
    for (const wchar_t key : keys)
        surface_.accessKeys += accelerators::lowerCase(key);
    rebuildAccelerators();
    if (ComPtr<IOleControlSite> site = controlSite_) ignore(site->OnControlInfoChanged());
}

STDMETHODIMP OleControlImpl::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    // The table stays ours; the container only reads it.
    info->cb = sizeof(CONTROLINFO);
    info->hAccel = accel_.get();
    info->cAccel = static_cast<USHORT>(accelCount_);
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP OleControlImpl::OnMnemonic(MSG* msg) {
    if (!msg) return E_POINTER;
    const wchar_t key = accelerators::match(surface_.accessKeys, *msg);
    if (!key) return S_FALSE;
    if (!hooksLive()) return S_OK;
    ComPtr<IUnknown> keep(owner_.identity());
    return guarded([&] {
        owner_.onAccessKeyPress(static_cast<short>(key));
        return S_OK;
    });
}

STDMETHODIMP OleControlImpl::OnAmbientPropertyChange(DISPID id) {
    if (!hooksLive()) return S_OK;
    ComPtr<IUnknown> keep(owner_.identity());
    return guarded([&] {
        owner_.onAmbientChanged(id);
        return S_OK;
    });
}

STDMETHODIMP OleControlImpl::FreezeEvents(BOOL freeze) {
    if (freeze) {
        ++frozen_;
    } else if (frozen_ > 0) {
        --frozen_;
    }
    return S_OK;
}

} // namespace pkw::ax
