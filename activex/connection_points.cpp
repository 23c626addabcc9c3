// IConnectionPointContainer, raising events and property-change notices.
#include "activex/ole_control_impl.h"

#include "activex/com_enum.h"

#include <new>
#include <vector>

namespace pkw::ax {
namespace {

struct PointTraits {
    static void copyOut(IConnectionPoint* const& from, IConnectionPoint*& to) noexcept {
        to = from;
        if (to) to->AddRef();
    }
    static void release(IConnectionPoint*& item) noexcept {
        if (item) item->Release();
        item = nullptr;
    }
};

using PointEnum = ComEnum<IEnumConnectionPoints, IConnectionPoint*, PointTraits>;

} // namespace

STDMETHODIMP OleControlImpl::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    *points = nullptr;
    try {
        std::vector<IConnectionPoint*> items;
        if (cls_.eventInterface) items.push_back(&eventPoint_);
        items.push_back(&propertyPoint_);
        for (IConnectionPoint* p : items)
            p->AddRef();
        return PointEnum::create(std::move(items), owner_.identity(), points);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP OleControlImpl::FindConnectionPoint(REFIID riid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    ConnectionPoint* found = nullptr;
    if (cls_.eventInterface && riid == *cls_.eventInterface) found = &eventPoint_;
    if (riid == IID_IPropertyNotifySink) found = &propertyPoint_;
    if (!found) return CONNECT_E_NOCONNECTION;
    *point = found;
    found->AddRef();
    return S_OK;
}

void OleControlImpl::propertyChanged(const wchar_t* name) noexcept {
    dirty_ = true;
    DISPID id = DISPID_UNKNOWN; // "some properties changed": the container re-reads
    type_library::DualTypeInfo info;
    if (name && SUCCEEDED(dispatchTypeInfo(info))) {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(info.dispatch->GetIDsOfNames(names, 1, &id))) id = DISPID_UNKNOWN;
    }
    // A sink may release the control: it lives until this call is done.
    ComPtr<IUnknown> keep(owner_.identity());
    try {
        for (const auto& sink : propertyPoint_.sinks()) {
            ignore(static_cast<IPropertyNotifySink*>(sink.Get())->OnChanged(id));
        }
    } catch (const std::bad_alloc&) {
        // No notice without memory for the list of sinks.
    }
    sendViewChange();
}

HRESULT OleControlImpl::fireEvent(DISPID id, std::span<VARIANTARG> args) noexcept {
    if (!cls_.eventInterface) return S_OK;
    if (frozen_ > 0) return S_FALSE;
    try {
        const auto sinks = eventPoint_.sinks();
        if (sinks.empty()) return S_OK;
        // A handler may release the control: it lives until the last sink
        // has answered.
        ComPtr<IUnknown> keep(owner_.identity());
        // DISPPARAMS holds the arguments last to first. The copies share the
        // caller's values: by-reference arguments reach the caller's variables.
        std::vector<VARIANTARG> reversed(args.rbegin(), args.rend());
        DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
        for (const auto& sink : sinks) {
            EXCEPINFO excep{};
            UINT argErr = 0;
            Variant result;
            // A failing handler is the host's problem, not the control's.
            ignore(static_cast<IDispatch*>(sink.Get())
                       ->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                                &result, &excep, &argErr));
            ::SysFreeString(excep.bstrSource);
            ::SysFreeString(excep.bstrDescription);
            ::SysFreeString(excep.bstrHelpFile);
        }
        return S_OK;
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

} // namespace pkw::ax
