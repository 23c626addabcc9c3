// IPersistStreamInit and IPersistPropertyBag: both run the control's one
// reading and one writing routine; the stream keeps the bag's named values.
#include "activex/ole_control_impl.h"

#include "activex/memory_property_bag.h"
#include "activex/stream_format.h"
#include "common/com/hresult.h"

namespace pkw::ax {

HRESULT OleControlImpl::runInitProperties() noexcept {
    propertiesLoaded_ = true;
    const HRESULT hr = guarded([this] {
        owner_.onInitProperties();
        return S_OK;
    });
    // A new control has never been saved.
    dirty_ = true;
    return hr;
}

HRESULT OleControlImpl::readFrom(IPropertyBag* bag, IErrorLog* log) noexcept {
    propertiesLoaded_ = true;
    ComPtr<IUnknown> keep(owner_.identity());
    const HRESULT hr = guarded([&] {
        PropertyBag view(bag, log);
        return owner_.onReadProperties(view);
    });
    if (SUCCEEDED(hr)) dirty_ = false;
    return hr;
}

HRESULT OleControlImpl::writeTo(IPropertyBag* bag) noexcept {
    ComPtr<IUnknown> keep(owner_.identity());
    return guarded([&] {
        PropertyBag view(bag, nullptr);
        return owner_.onWriteProperties(view);
    });
}

STDMETHODIMP OleControlImpl::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = *cls_.clsid;
    return S_OK;
}

STDMETHODIMP OleControlImpl::IsDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

STDMETHODIMP OleControlImpl::InitNew() {
    initialize();
    if (propertiesLoaded_) return CO_E_ALREADYINITIALIZED;
    return runInitProperties();
}

STDMETHODIMP OleControlImpl::Load(LPSTREAM stream) {
    initialize();
    if (!stream) return E_POINTER;
    ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    if (!bag) return E_OUTOFMEMORY;
    // The whole record is read and checked before the control sees a value.
    PKW_RETURN_IF_FAILED(stream_format::read(stream, *bag.Get()));
    return readFrom(bag.Get(), nullptr);
}

STDMETHODIMP OleControlImpl::Save(LPSTREAM stream, BOOL clearDirty) {
    initialize();
    if (!stream) return E_POINTER;
    ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    if (!bag) return E_OUTOFMEMORY;
    PKW_RETURN_IF_FAILED(writeTo(bag.Get()));
    PKW_RETURN_IF_FAILED(stream_format::write(stream, *bag.Get()));
    if (clearDirty) dirty_ = false;
    return S_OK;
}

STDMETHODIMP OleControlImpl::GetSizeMax(ULARGE_INTEGER* size) {
    initialize();
    if (!size) return E_POINTER;
    ComPtr<MemoryPropertyBag> bag = MemoryPropertyBag::create();
    if (!bag) return E_OUTOFMEMORY;
    PKW_RETURN_IF_FAILED(writeTo(bag.Get()));
    return stream_format::size(*bag.Get(), size);
}

STDMETHODIMP OleControlImpl::Load(IPropertyBag* bag, IErrorLog* log) {
    initialize();
    if (!bag) return E_POINTER;
    return readFrom(bag, log);
}

STDMETHODIMP OleControlImpl::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    initialize();
    if (!bag) return E_POINTER;
    PKW_RETURN_IF_FAILED(writeTo(bag));
    if (clearDirty) dirty_ = false;
    return S_OK;
}

} // namespace pkw::ax
