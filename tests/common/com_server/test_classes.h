// Classes built on the kit for its own tests, and sinks to connect to them.
//
//   Thing        IKitThing and IKitOther (IDispatch along two paths), events
//                through DKitThingEvents, property changes to IPropertyNotifySink
//   Secret       the class of the private type library (resource 2)
//   EventSink    a DKitThingEvents sink that answers IDispatch only, or
//                TypedEventSink, which answers the dispinterface too
//   NotifySink   an IPropertyNotifySink
#pragma once

#include "common/com/bstr.h"
#include "common/com/server/server.h"
#include "kit_private.h"
#include "kit_test.h"

#include <functional>
#include <vector>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

// A new object of a kit class, seen as that class.
template <class T>
ComPtr<com::ComObject<T>> make() {
    return Adopt(new com::ComObject<T>());
}

class Thing : public com::DualDispatch<IKitThing>,
              public com::DualDispatch<IKitOther>,
              public com::ConnectionPointContainer {
public:
    using Interfaces = com::InterfaceMap<IKitThing, com::As<IDispatch, IKitThing>, IKitOther,
                                         IConnectionPointContainer>;
    static inline int alive = 0;

    Thing() noexcept { ++alive; }
    ~Thing() { --alive; }

    STDMETHODIMP get_Size(LONG* size) noexcept override {
        *size = size_;
        return S_OK;
    }
    STDMETHODIMP put_Size(LONG size) noexcept override {
        size_ = size;
        return changes_.forEachSink<IPropertyNotifySink>(
            [](IPropertyNotifySink* sink) { sink->OnChanged(1); });
    }
    // Raises Query with `question` as the answer so far.
    STDMETHODIMP Ask(LONG question, LONG* answer) noexcept override {
        VARIANTARG arg;
        arg.vt = VT_I4 | VT_BYREF;
        arg.plVal = &question;
        DISPPARAMS params{&arg, nullptr, 1, 0};
        const HRESULT hr = events_.raise(1, params);
        *answer = question;
        return hr;
    }
    STDMETHODIMP Pair(IKitOther* other) noexcept override {
        paired_ = other;
        return S_OK;
    }
    STDMETHODIMP get_Label(BSTR* label) noexcept override {
        *label = ::SysAllocString(L"other");
        return S_OK;
    }

    IKitOther* paired() const noexcept { return paired_.Get(); }

private:
    com::ConnectionPoint* connectionPoint(std::size_t index) noexcept override {
        com::ConnectionPoint* points[] = {&events_, &changes_};
        return index < 2 ? points[index] : nullptr;
    }

    LONG size_ = 0;
    ComPtr<IKitOther> paired_;
    com::ConnectionPoint events_{*this, DIID_DKitThingEvents, com::SinkKind::Dispatch};
    com::ConnectionPoint changes_{*this, IID_IPropertyNotifySink, com::SinkKind::Interface};
};

class Secret : public com::DualDispatch<IKitSecret> {
public:
    using Interfaces = com::InterfaceMap<IKitSecret, IDispatch>;
    STDMETHODIMP get_Word(BSTR* word) noexcept override {
        *word = ::SysAllocString(L"hidden");
        return S_OK;
    }
};

class EventSink : public IDispatch {
public:
    using Interfaces = com::InterfaceMap<IDispatch>;

    std::vector<LONG> heard;            // the answer as each Query arrived
    std::function<void(LONG&)> onQuery; // may change the answer
    HRESULT result = S_OK;              // what Invoke returns

    STDMETHODIMP GetTypeInfoCount(UINT* count) noexcept override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override {
        return E_NOTIMPL;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                        EXCEPINFO* excep, UINT*) noexcept override {
        if (id != 1 || params->cArgs != 1 || params->rgvarg[0].vt != (VT_I4 | VT_BYREF))
            return DISP_E_MEMBERNOTFOUND;
        LONG& answer = *params->rgvarg[0].plVal;
        heard.push_back(answer);
        if (onQuery) onQuery(answer);
        // A failing handler leaves strings that the caller must free.
        if (FAILED(result) && excep) excep->bstrDescription = ::SysAllocString(L"failed");
        return result;
    }
};

class TypedEventSink : public EventSink {
public:
    using Interfaces = com::InterfaceMap<IDispatch, com::SameVtable<DKitThingEvents, IDispatch>>;
};

class NotifySink : public IPropertyNotifySink {
public:
    using Interfaces = com::InterfaceMap<IPropertyNotifySink>;
    std::vector<DISPID> changed;
    STDMETHODIMP OnChanged(DISPID id) noexcept override {
        changed.push_back(id);
        return S_OK;
    }
    STDMETHODIMP OnRequestEdit(DISPID) noexcept override { return S_OK; }
};

} // namespace pkw::test
