// A property-change sink (IPropertyNotifySink) that records, in order,
// every OnChanged DISPID with the property's name from the control's type
// information, and every OnRequestEdit, answered S_OK unless told otherwise.
#pragma once

#include "host/com_object.h"
#include "host/connection.h"

#include <ocidl.h>

#include <functional>
#include <string>
#include <vector>

namespace pkw::host {

class NotifyRecorder : public ComObject<NotifyRecorder, IPropertyNotifySink> {
public:
    struct Change {
        DISPID id;
        std::wstring name; // "" for DISPID_UNKNOWN or a DISPID the type info lacks
    };

    // Hears each notification as it comes (requestEdit: OnRequestEdit,
    // else OnChanged).
    using Observer = std::function<void(const Change& change, bool requestEdit)>;

    static HRESULT connect(IUnknown* control, ComPtr<NotifyRecorder>& recorder,
                           Observer observer = {});
    void disconnect() noexcept { connection_.disconnect(); }
    bool connected() const noexcept { return connection_.connected(); }

    const std::vector<Change>& changes() const noexcept { return changes_; }
    std::vector<std::wstring> names() const;
    std::vector<DISPID> ids() const;
    std::size_t count(const std::wstring& name) const;
    const std::vector<DISPID>& requestEdits() const noexcept { return requestEdits_; }
    void clear();
    // S_OK lets the control change the property, S_FALSE refuses.
    void answerRequestEdit(HRESULT hr) noexcept { requestEditAnswer_ = hr; }

    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID id) override;

    void* find(REFIID riid) noexcept;
    NotifyRecorder() = default;

private:
    Change named(DISPID id) const;

    ComPtr<ITypeInfo> info_; // the control's default interface
    std::vector<Change> changes_;
    std::vector<DISPID> requestEdits_;
    HRESULT requestEditAnswer_ = S_OK;
    Observer observer_;
    Connection connection_;
};

} // namespace pkw::host
