#include "host/event_recorder.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "host/type_info.h"
#include "host/names.h"
#include "host/variant_slot.h"

#include <ocidl.h>

#include <algorithm>

namespace pkw::host {
namespace {

bool isRecord(const VARIANT& v) {
    const VARTYPE base = v.vt & ~VT_BYREF;
    if (base == VT_RECORD) return true;
    return v.vt == (VT_VARIANT | VT_BYREF) && v.pvarVal && (v.pvarVal->vt & ~VT_BYREF) == VT_RECORD;
}

// The dispatch view of a dual source interface; a dispinterface as it is.
HRESULT dispatchView(ComPtr<ITypeInfo>& info) {
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(info.Get()));
    const bool dual = attr->typekind == TKIND_INTERFACE && (attr->wTypeFlags & TYPEFLAG_FDUAL);
    if (!dual) return S_OK;
    HREFTYPE ref = 0;
    PKW_RETURN_IF_FAILED(info->GetRefTypeOfImplType(static_cast<UINT>(-1), &ref));
    ComPtr<ITypeInfo> dispatch;
    PKW_RETURN_IF_FAILED(info->GetRefTypeInfo(ref, &dispatch));
    info = dispatch;
    return S_OK;
}

HRESULT sourceFromClassInfo(ITypeInfo* coclass, ComPtr<ITypeInfo>& info) {
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(coclass));
    for (UINT i = 0; i < attr->cImplTypes; ++i) {
        INT flags = 0;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags))) continue;
        const INT wanted = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
        if ((flags & wanted) != wanted) continue;
        HREFTYPE ref = 0;
        PKW_RETURN_IF_FAILED(coclass->GetRefTypeOfImplType(i, &ref));
        PKW_RETURN_IF_FAILED(coclass->GetRefTypeInfo(ref, &info));
        return dispatchView(info);
    }
    return E_NOINTERFACE;
}

} // namespace

const RecordedArg* RecordedEvent::arg(std::wstring_view paramName) const {
    for (const RecordedArg& a : args)
        if (sameName(a.name, paramName)) return &a;
    return nullptr;
}

// --- EventCall ----------------------------------------------------------------

int EventCall::index(std::wstring_view paramName) const {
    for (std::size_t i = 0; i < event_.args.size(); ++i)
        if (sameName(event_.args[i].name, paramName)) return static_cast<int>(i);
    return -1;
}

VARIANTARG& EventCall::raw(UINT i) {
    return params_.rgvarg[params_.cArgs - 1 - i];
}

Variant EventCall::value(UINT i) const {
    Variant v;
    if (i < params_.cArgs) pkw::ignore(copyValue(v, params_.rgvarg[params_.cArgs - 1 - i]));
    return v;
}

HRESULT EventCall::set(UINT i, const VARIANT& value) {
    if (i >= params_.cArgs) return DISP_E_BADINDEX;
    VARIANTARG& arg = raw(i);
    if (!(arg.vt & VT_BYREF) || !arg.byref) return E_INVALIDARG;
    const VARTYPE base = arg.vt & ~VT_BYREF;
    if (base == VT_RECORD || (base & VT_ARRAY)) return E_INVALIDARG;
    return writeSlot(arg.byref, base, value);
}

HRESULT EventCall::set(std::wstring_view paramName, const VARIANT& value) {
    const int i = index(paramName);
    return i < 0 ? DISP_E_UNKNOWNNAME : set(static_cast<UINT>(i), value);
}

HRESULT EventCall::record(UINT i, RecordView& view) {
    if (i >= params_.cArgs) return DISP_E_BADINDEX;
    return RecordView::fromVariant(raw(i), view);
}

HRESULT EventCall::setField(UINT i, std::wstring_view path, const VARIANT& value) {
    RecordView view;
    PKW_RETURN_IF_FAILED(record(i, view));
    return view.put(path, value);
}

// --- EventRecorder ------------------------------------------------------------

HRESULT defaultSource(IUnknown* control, IID& iid, ComPtr<ITypeInfo>& info) {
    if (!control) return E_POINTER;
    iid = IID_NULL;
    ComPtr<IProvideClassInfo2> provide2;
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&provide2))))
        provide2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid);
    ComPtr<IProvideClassInfo> provide;
    ComPtr<ITypeInfo> coclass;
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&provide))) &&
        SUCCEEDED(provide->GetClassInfo(&coclass)) &&
        SUCCEEDED(sourceFromClassInfo(coclass.Get(), info))) {
        TypeAttr attr;
        if (iid == IID_NULL && SUCCEEDED(attr.take(info.Get()))) iid = attr->guid;
    }
    return iid == IID_NULL ? E_NOINTERFACE : S_OK;
}

HRESULT EventRecorder::connect(IUnknown* control, ComPtr<EventRecorder>& recorder,
                               Observer observer) {
    auto fresh = makeCom<EventRecorder>();
    fresh->observer_ = std::move(observer);
    PKW_RETURN_IF_FAILED(defaultSource(control, fresh->source_, fresh->sourceInfo_));
    if (fresh->sourceInfo_) pkw::ignore(fresh->describe(fresh->sourceInfo_.Get()));
    PKW_RETURN_IF_FAILED(
        fresh->connection_.connect(control, fresh->source_, static_cast<IDispatch*>(fresh.Get())));
    recorder = fresh;
    return S_OK;
}

HRESULT EventRecorder::describe(ITypeInfo* source) {
    TypeAttr attr;
    PKW_RETURN_IF_FAILED(attr.take(source));
    for (UINT i = 0; i < attr->cFuncs; ++i) {
        FuncDesc func;
        if (FAILED(func.take(source, i))) continue;
        const UINT wanted = static_cast<UINT>(func->cParams) + 1;
        std::vector<BSTR> names(wanted, nullptr);
        UINT got = 0;
        if (FAILED(source->GetNames(func->memid, names.data(), wanted, &got))) continue;
        Member m{func->memid, {}};
        for (UINT n = 0; n < got; ++n)
            m.names.push_back(Bstr::attach(names[n]).str());
        members_.push_back(std::move(m));
    }
    return S_OK;
}

const EventRecorder::Member* EventRecorder::member(DISPID id) const {
    auto it =
        std::find_if(members_.begin(), members_.end(), [&](const Member& m) { return m.id == id; });
    return it == members_.end() ? nullptr : &*it;
}

std::wstring EventRecorder::eventName(DISPID id) const {
    const Member* m = member(id);
    return m && !m->names.empty() ? m->names.front() : std::wstring();
}

void* EventRecorder::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IDispatch || (riid == source_ && source_ != IID_NULL))
        return static_cast<IDispatch*>(this);
    return nullptr;
}

void EventRecorder::on(std::wstring_view eventName, Handler handler) {
    off(eventName);
    handlers_.emplace_back(std::wstring(eventName), std::move(handler));
}

void EventRecorder::off(std::wstring_view eventName) {
    std::erase_if(handlers_, [&](const auto& h) { return sameName(h.first, eventName); });
}

std::vector<std::wstring> EventRecorder::names() const {
    std::vector<std::wstring> result;
    for (const RecordedEvent& e : events_)
        result.push_back(e.name);
    return result;
}

std::size_t EventRecorder::count(std::wstring_view eventName) const {
    return static_cast<std::size_t>(
        std::count_if(events_.begin(), events_.end(),
                      [&](const RecordedEvent& e) { return sameName(e.name, eventName); }));
}

const RecordedEvent* EventRecorder::last(std::wstring_view eventName) const {
    for (auto it = events_.rbegin(); it != events_.rend(); ++it)
        if (sameName(it->name, eventName)) return &*it;
    return nullptr;
}

STDMETHODIMP EventRecorder::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids) return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
        ids[i] = DISPID_UNKNOWN;
        if (i == 0)
            for (const Member& m : members_)
                if (!m.names.empty() && sameName(m.names.front(), names[0])) ids[0] = m.id;
        if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

STDMETHODIMP EventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                                   EXCEPINFO*, UINT*) {
    // A handler may release the control, and with it our connection.
    ComPtr<EventRecorder> keepAlive(this);
    DISPPARAMS none{};
    DISPPARAMS& p = params ? *params : none;
    if (p.cArgs > 0 && !p.rgvarg) return E_POINTER;

    RecordedEvent event;
    event.id = id;
    const Member* m = member(id);
    event.name = m && !m->names.empty() ? m->names.front() : std::wstring();
    for (UINT i = 0; i < p.cArgs; ++i) {
        const VARIANTARG& a = p.rgvarg[p.cArgs - 1 - i];
        RecordedArg arg;
        arg.vt = a.vt;
        if (m && i + 1 < m->names.size()) arg.name = m->names[i + 1];
        if (isRecord(a)) {
            RecordView view;
            if (SUCCEEDED(RecordView::fromVariant(a, view))) pkw::ignore(view.fields(arg.fields));
        } else {
            pkw::ignore(copyValue(arg.value, a));
        }
        event.args.push_back(std::move(arg));
    }
    events_.push_back(event);
    if (observer_) observer_(event);

    Handler handler;
    for (const auto& h : handlers_)
        if (sameName(h.first, event.name)) handler = h.second;
    if (handler) {
        EventCall call(event, p);
        handler(call);
    }
    return S_OK;
}

} // namespace pkw::host
