#include "option/option_group.h"

#include "common/com/bstr.h"
#include "common/com/late_bound.h"

#include <olectl.h>

#include <vector>

namespace pkw::option {
namespace {

constexpr wchar_t kOptionTypeName[] = L"NuOption40";

std::wstring NameOfTypeInfo(ITypeInfo* info) {
    Bstr name;
    if (!info ||
        FAILED(info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
        return {};
    return std::wstring(name.view());
}

// The name from the object's own type information, without asking anyone else.
std::wstring OwnTypeName(IUnknown* object) {
    ComPtr<IProvideClassInfo> classInfo;
    ComPtr<ITypeInfo> info;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&classInfo))) &&
        SUCCEEDED(classInfo->GetClassInfo(info.GetAddressOf())))
        return NameOfTypeInfo(info.Get());
    ComPtr<IDispatch> dispatch;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&dispatch))) ||
        FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.GetAddressOf())))
        return {};
    std::wstring name = NameOfTypeInfo(info.Get());
    if (!name.empty() && name.front() == L'_') name.erase(0, 1);
    return name;
}

bool IsOptionButton(IUnknown* object) {
    return TypeNameOf(object) == kOptionTypeName;
}

// GroupID and hWnd of an option button; false when it does not answer.
bool ReadMember(IDispatch* button, OptionMember& member) {
    Variant group, window;
    if (FAILED(com::GetPropertyAs(button, L"GroupID", VT_I2, group)) ||
        FAILED(com::GetPropertyAs(button, L"hWnd", VT_I4, window)))
        return false;
    member.button = button;
    member.groupId = group.iVal;
    member.hWnd = window.lVal;
    return true;
}

// The container's list of its controls.
HRESULT ParentControls(IOleClientSite* site, ComPtr<IEnumUnknown>& members) noexcept {
    if (!site) return E_POINTER;
    ComPtr<IOleContainer> container;
    if (const HRESULT hr = site->GetContainer(container.GetAddressOf()); FAILED(hr)) return hr;
    if (!container) return E_NOINTERFACE;
    const HRESULT hr = container->EnumObjects(OLECONTF_EMBEDDINGS, members.GetAddressOf());
    if (FAILED(hr)) return hr;
    return members ? S_OK : E_POINTER;
}

// Calls `each` with every object of the container's list until it returns
// false; false when the list could not be had or walked to the end.
bool ForEachParentControl(IOleClientSite* site, const std::function<bool(IUnknown*)>& each) {
    ComPtr<IEnumUnknown> members;
    if (FAILED(ParentControls(site, members))) return false;
    for (;;) {
        ComPtr<IUnknown> item;
        ULONG fetched = 0;
        const HRESULT hr = members->Next(1, item.GetAddressOf(), &fetched);
        if (FAILED(hr)) return false;
        if (hr != S_OK || fetched != 1) return true;
        if (item && !each(item.Get())) return true;
    }
}

bool WalkParentControls(IOleClientSite* site,
                        const std::function<bool(const OptionMember*)>& visit) {
    return ForEachParentControl(site, [&](IUnknown* item) {
        if (!IsOptionButton(item)) return true;
        ComPtr<IDispatch> button;
        OptionMember member;
        const bool answered = SUCCEEDED(item->QueryInterface(IID_PPV_ARGS(&button))) &&
                              ReadMember(button.Get(), member);
        return visit(answered ? &member : nullptr);
    });
}

// Parent.Controls of the extender, through its _NewEnum.
bool WalkExtenderControls(IDispatch* extender,
                          const std::function<bool(const OptionMember*)>& visit) {
    Variant parent, controls, enumerator;
    if (FAILED(com::GetPropertyAs(extender, L"Parent", VT_DISPATCH, parent)) || !parent.pdispVal ||
        FAILED(com::GetPropertyAs(parent.pdispVal, L"Controls", VT_DISPATCH, controls)) ||
        !controls.pdispVal)
        return false;
    DISPPARAMS none{};
    if (FAILED(controls.pdispVal->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                         DISPATCH_PROPERTYGET | DISPATCH_METHOD, &none, &enumerator,
                                         nullptr, nullptr)))
        return false;
    ComPtr<IEnumVARIANT> members;
    if ((enumerator.vt != VT_UNKNOWN && enumerator.vt != VT_DISPATCH) || !enumerator.punkVal ||
        FAILED(enumerator.punkVal->QueryInterface(IID_PPV_ARGS(&members))))
        return false;
    for (;;) {
        Variant item;
        ULONG fetched = 0;
        const HRESULT hr = members->Next(1, &item, &fetched);
        if (FAILED(hr)) return false;
        if (hr != S_OK || fetched != 1) return true;
        if (item.vt != VT_DISPATCH || !item.pdispVal || !IsOptionButton(item.pdispVal)) continue;
        // A member whose GroupID is not a number is no member of any group.
        OptionMember member;
        if (!ReadMember(item.pdispVal, member)) continue;
        if (!visit(&member)) return true;
    }
}

} // namespace

std::wstring TypeNameOf(IUnknown* object) {
    if (!object) return {};
    std::wstring name = OwnTypeName(object);
    if (!name.empty()) return name;
    // An extender without type information of its own stands for its control.
    ComPtr<IDispatch> dispatch;
    Variant control;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&dispatch))) ||
        FAILED(com::GetPropertyAs(dispatch.Get(), L"Object", VT_DISPATCH, control)) ||
        !control.pdispVal)
        return {};
    return OwnTypeName(control.pdispVal);
}

bool ProbeParentControls(IOleClientSite* site) noexcept {
    try {
        return ForEachParentControl(site, [](IUnknown*) { return true; });
    } catch (...) {
        return false;
    }
}

bool ForEachOptionButton(const GroupSource& source,
                         const std::function<bool(const OptionMember*)>& visit) noexcept {
    try {
        return source.useParentControls ? WalkParentControls(source.site.Get(), visit)
                                        : WalkExtenderControls(source.extender.Get(), visit);
    } catch (...) {
        return false;
    }
}

} // namespace pkw::option
