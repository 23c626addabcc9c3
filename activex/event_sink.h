// Small COM sinks through which a control hears from the objects it
// holds (its font, its tool tip), and the connection that ties one to a
// connection point for as long as it lives.
//
// A sink holds no reference to the control: the control owns the
// connection, and disconnecting clears the sink's callback, so a source
// that calls late reaches nothing.
#pragma once

#include "common/com/server/object.h"

#include <ocidl.h>
#include <windows.h>
#include <wrl/client.h>

#include <functional>

namespace pkw::ax {

using Microsoft::WRL::ComPtr;

// IPropertyNotifySink: OnChanged calls back; OnRequestEdit always allows.
class PropertyChangeSink : public IPropertyNotifySink {
public:
    using Interfaces = com::InterfaceMap<IPropertyNotifySink>;
    static ComPtr<PropertyChangeSink> Create(std::function<void(DISPID)> onChanged);
    void disconnect() noexcept { onChanged_ = nullptr; }

    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID id) override;

protected:
    explicit PropertyChangeSink(std::function<void(DISPID)> onChanged)
        : onChanged_(std::move(onChanged)) {}
    ~PropertyChangeSink() = default;

private:
    std::function<void(DISPID)> onChanged_;
};

// An event dispinterface sink: Invoke calls back with the DISPID and the
// arguments (right to left, as DISPPARAMS holds them).
class DispatchEventSink final : public IDispatch {
public:
    using Handler = std::function<HRESULT(DISPID, DISPPARAMS*)>;
    static ComPtr<DispatchEventSink> Create(REFIID eventIid, Handler handler);
    void disconnect() noexcept { handler_ = nullptr; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override;

private:
    DispatchEventSink(REFIID eventIid, Handler handler)
        : eventIid_(eventIid), handler_(std::move(handler)) {}
    LONG refs_ = 1;
    IID eventIid_;
    Handler handler_;
};

// One Advise on a source's connection point, undone on reset or scope exit.
class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { reset(); }

    HRESULT connect(IUnknown* source, REFIID iid, IUnknown* sink);
    void reset() noexcept;
    bool connected() const noexcept { return cookie_ != 0; }

private:
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

// Hears an object's property changes (a control's own font, say) until
// stopped or destroyed; the callback never runs after stop().
class PropertyChangeListener {
public:
    PropertyChangeListener() = default;
    PropertyChangeListener(const PropertyChangeListener&) = delete;
    PropertyChangeListener& operator=(const PropertyChangeListener&) = delete;
    ~PropertyChangeListener() { stop(); }

    // Stops hearing the previous object; nothing more for a null one.
    void listen(IUnknown* source, std::function<void(DISPID)> onChanged);
    void stop() noexcept;

private:
    ComPtr<PropertyChangeSink> sink_;
    Connection connection_;
};

} // namespace pkw::ax
