// An event sink on a control's default source interface that records
// every event with its name and arguments, in order, and lets a test
// answer an event: set by-reference arguments (a cancel flag, a picture)
// and fill record arguments passed by reference.
//
// The source interface comes from IProvideClassInfo2 (the default source
// dispinterface), its event and parameter names from the control's type
// information. A handler may release the control: the recorder keeps
// itself alive until the call returns and touches nothing of the control
// after the handler.
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"
#include "host/typeless_dispatch.h"
#include "host/connection.h"
#include "host/record_view.h"

#include <oaidl.h>

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pkw::host {

struct RecordedArg {
    std::wstring name;     // parameter name from the type info ("" when unknown)
    VARTYPE vt = VT_EMPTY; // as passed, VT_BYREF included
    Variant value;         // dereferenced copy; empty for a record
    std::vector<std::pair<std::wstring, Variant>> fields; // a record's fields
};

struct RecordedEvent {
    DISPID id = 0;
    std::wstring name;
    std::vector<RecordedArg> args; // in declaration order

    const RecordedArg* arg(std::wstring_view paramName) const;
};

// One event call as a handler sees it; arguments in declaration order.
class EventCall {
public:
    EventCall(const RecordedEvent& event, DISPPARAMS& params) : event_(event), params_(params) {}

    DISPID id() const noexcept { return event_.id; }
    const std::wstring& name() const noexcept { return event_.name; }
    UINT count() const noexcept { return params_.cArgs; }
    // Index of a parameter by name, -1 when there is none.
    int index(std::wstring_view paramName) const;
    VARIANTARG& raw(UINT i);
    Variant value(UINT i) const;
    // Writes through a by-reference argument, converted to its type (a
    // string or object slot gets its old content released); E_INVALIDARG
    // for an argument passed by value.
    HRESULT set(UINT i, const VARIANT& value);
    HRESULT set(std::wstring_view paramName, const VARIANT& value);
    // A record argument's fields ("MapMargin.Left" for nested ones).
    HRESULT record(UINT i, RecordView& view);
    HRESULT setField(UINT i, std::wstring_view path, const VARIANT& value);

private:
    const RecordedEvent& event_;
    DISPPARAMS& params_;
};

class EventRecorder : public ComObject<EventRecorder, TypelessDispatch> {
public:
    using Handler = std::function<void(EventCall&)>;
    // Hears every event as it is recorded, before any handler answers it.
    using Observer = std::function<void(const RecordedEvent&)>;

    // Finds the control's default source interface and connects to it.
    static HRESULT connect(IUnknown* control, ComPtr<EventRecorder>& recorder,
                           Observer observer = {});
    void disconnect() noexcept { connection_.disconnect(); }
    bool connected() const noexcept { return connection_.connected(); }
    const IID& sourceIid() const noexcept { return source_; }

    // One handler per event name (compared without regard to case); it runs
    // after the event has been recorded. `on` replaces an earlier handler.
    void on(std::wstring_view eventName, Handler handler);
    void off(std::wstring_view eventName);

    const std::vector<RecordedEvent>& events() const noexcept { return events_; }
    std::vector<std::wstring> names() const;
    std::size_t count(std::wstring_view eventName) const;
    const RecordedEvent* last(std::wstring_view eventName) const;
    void clear() { events_.clear(); }
    // The event's name from the source interface ("" when unknown).
    std::wstring eventName(DISPID id) const;

    // IDispatch
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                               DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* excep, UINT* argErr) override;

    void* find(REFIID riid) noexcept;
    EventRecorder() = default;

private:
    struct Member {
        DISPID id;
        std::vector<std::wstring> names; // event name, then its parameters
    };

    HRESULT describe(ITypeInfo* source);
    const Member* member(DISPID id) const;

    IID source_ = IID_NULL;
    ComPtr<ITypeInfo> sourceInfo_;
    std::vector<Member> members_;
    std::vector<std::pair<std::wstring, Handler>> handlers_;
    std::vector<RecordedEvent> events_;
    Observer observer_;
    Connection connection_;
};

// The default source interface of a control: its IID and type info.
HRESULT defaultSource(IUnknown* control, IID& iid, ComPtr<ITypeInfo>& info);

} // namespace pkw::host
