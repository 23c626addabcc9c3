#include "activex/event_sink.h"

#include "common/com/com_ptr.h"
#include "common/com/hresult.h"

namespace pkw::ax {

ComPtr<PropertyChangeSink> PropertyChangeSink::Create(std::function<void(DISPID)> onChanged) {
    // Adopt: MinGW's ComPtr::Attach would add a second reference.
    return pkw::Adopt(new (std::nothrow) com::ComObject<PropertyChangeSink>(std::move(onChanged)));
}

STDMETHODIMP PropertyChangeSink::OnChanged(DISPID id) {
    // The callback may disconnect this sink: keep it alive meanwhile.
    ComPtr<PropertyChangeSink> self(this);
    if (auto callback = onChanged_) callback(id);
    return S_OK;
}

STDMETHODIMP PropertyChangeSink::OnRequestEdit(DISPID) {
    return S_OK;
}

ComPtr<DispatchEventSink> DispatchEventSink::Create(REFIID eventIid, Handler handler) {
    return pkw::Adopt(new (std::nothrow) DispatchEventSink(eventIid, std::move(handler)));
}

STDMETHODIMP DispatchEventSink::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == eventIid_) {
        *ppv = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) DispatchEventSink::AddRef() {
    return ::InterlockedIncrement(&refs_);
}

STDMETHODIMP_(ULONG) DispatchEventSink::Release() {
    const ULONG left = ::InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return left;
}

STDMETHODIMP DispatchEventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP DispatchEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP DispatchEventSink::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

STDMETHODIMP DispatchEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params,
                                       VARIANT* result, EXCEPINFO*, UINT*) {
    if (result) ::VariantInit(result);
    ComPtr<DispatchEventSink> self(this);
    if (auto callback = handler_) return callback(id, params);
    return S_OK;
}

HRESULT Connection::connect(IUnknown* source, REFIID iid, IUnknown* sink) {
    reset();
    PKW_RETURN_HR_IF_NULL(E_POINTER, source);
    ComPtr<IConnectionPointContainer> container;
    PKW_RETURN_IF_FAILED(source->QueryInterface(IID_PPV_ARGS(&container)));
    ComPtr<IConnectionPoint> point;
    PKW_RETURN_IF_FAILED(container->FindConnectionPoint(iid, &point));
    DWORD cookie = 0;
    PKW_RETURN_IF_FAILED(point->Advise(sink, &cookie));
    point_ = std::move(point);
    cookie_ = cookie;
    return S_OK;
}

void Connection::reset() noexcept {
    if (point_ && cookie_) ignore(point_->Unadvise(cookie_));
    point_.Reset();
    cookie_ = 0;
}

void PropertyChangeListener::listen(IUnknown* source, std::function<void(DISPID)> onChanged) {
    stop();
    if (!source) return;
    sink_ = PropertyChangeSink::Create(std::move(onChanged));
    if (sink_)
        ignore(connection_.connect(source, IID_IPropertyNotifySink,
                                   static_cast<IPropertyNotifySink*>(sink_.Get())));
}

void PropertyChangeListener::stop() noexcept {
    connection_.reset();
    if (sink_) sink_->disconnect();
    sink_.Reset();
}

} // namespace pkw::ax
