#include "host/notify_recorder.h"

#include "common/com/hresult.h"
#include "host/type_info.h"
#include "host/names.h"

namespace pkw::host {

HRESULT NotifyRecorder::connect(IUnknown* control, ComPtr<NotifyRecorder>& recorder,
                                Observer observer) {
    if (!control) return E_POINTER;
    auto fresh = makeCom<NotifyRecorder>();
    fresh->observer_ = std::move(observer);
    ComPtr<IDispatch> dispatch;
    UINT count = 0;
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&dispatch))) &&
        SUCCEEDED(dispatch->GetTypeInfoCount(&count)) && count > 0)
        pkw::ignore(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &fresh->info_));
    PKW_RETURN_IF_FAILED(fresh->connection_.connect(
        control, IID_IPropertyNotifySink, static_cast<IPropertyNotifySink*>(fresh.Get())));
    recorder = fresh;
    return S_OK;
}

void* NotifyRecorder::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IPropertyNotifySink)
        return static_cast<IPropertyNotifySink*>(this);
    return nullptr;
}

std::vector<std::wstring> NotifyRecorder::names() const {
    std::vector<std::wstring> result;
    for (const Change& c : changes_)
        result.push_back(c.name);
    return result;
}

std::vector<DISPID> NotifyRecorder::ids() const {
    std::vector<DISPID> result;
    for (const Change& c : changes_)
        result.push_back(c.id);
    return result;
}

std::size_t NotifyRecorder::count(const std::wstring& name) const {
    std::size_t n = 0;
    for (const Change& c : changes_)
        n += sameName(c.name, name) ? 1 : 0;
    return n;
}

void NotifyRecorder::clear() {
    changes_.clear();
    requestEdits_.clear();
}

NotifyRecorder::Change NotifyRecorder::named(DISPID id) const {
    return {id, id == DISPID_UNKNOWN ? std::wstring() : memberName(info_.Get(), id)};
}

STDMETHODIMP NotifyRecorder::OnChanged(DISPID id) {
    changes_.push_back(named(id));
    if (observer_) observer_(changes_.back(), false);
    return S_OK;
}

STDMETHODIMP NotifyRecorder::OnRequestEdit(DISPID id) {
    requestEdits_.push_back(id);
    if (observer_) observer_(named(id), true);
    return requestEditAnswer_;
}

} // namespace pkw::host
