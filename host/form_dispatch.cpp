#include "host/form_dispatch.h"
#include "host/variant_slot.h"

#include "common/com/hresult.h"
#include "host/dispatch_table.h"
#include "host/enumerators.h"
#include "host/form.h"
#include "host/names.h"

#include <olectl.h>

namespace pkw::host {
namespace {

constexpr DISPID kControls = 0x40010001;

const DispName kFormMembers[] = {
    {DISPID_Name, L"Name"},
    {kControls, L"Controls"},
    {DISPID_HWND, L"hWnd"},
    {DISPID_CAPTION, L"Caption"},
};

constexpr DISPID kCount = 0x40010002;

const DispName kControlsMembers[] = {
    {DISPID_VALUE, L"Item"},
    {kCount, L"Count"},
    {DISPID_NEWENUM, L"_NewEnum"},
};

std::vector<Variant> extenders(const Form* form) {
    std::vector<Variant> result;
    if (!form) return result;
    for (const ComPtr<Site>& site : form->sites())
        result.push_back(Variant::fromDispatch(site->extender()));
    return result;
}

// Item(index) with a 0-based number, or Item(name).
HRESULT item(const Form* form, const VARIANT& key, Variant& value) {
    const std::vector<Variant> members = extenders(form);
    if (key.vt == VT_BSTR) {
        if (!form) return DISP_E_BADINDEX;
        for (const ComPtr<Site>& site : form->sites()) {
            if (sameName(site->name(), key.bstrVal ? key.bstrVal : L"")) {
                value = Variant::fromDispatch(site->extender());
                return S_OK;
            }
        }
        return DISP_E_BADINDEX;
    }
    Variant number;
    PKW_RETURN_IF_FAILED(convertValue(number, key, VT_I4));
    if (number.lVal < 0 || static_cast<std::size_t>(number.lVal) >= members.size())
        return DISP_E_BADINDEX;
    value = members[static_cast<std::size_t>(number.lVal)];
    return S_OK;
}

} // namespace

// --- FormDispatch -----------------------------------------------------------------

void* FormDispatch::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IDispatch) return static_cast<IDispatch*>(this);
    return nullptr;
}

STDMETHODIMP FormDispatch::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    return idsOfNames(kFormMembers, names, count, ids);
}

STDMETHODIMP FormDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO*, UINT*) {
    if (!findName(kFormMembers, id)) return DISP_E_MEMBERNOTFOUND;
    if (!isGet(flags) || isPut(flags)) return DISP_E_MEMBERNOTFOUND; // all read-only
    if (positionalCount(params) != 0) return DISP_E_BADPARAMCOUNT;
    if (!form_) return E_UNEXPECTED;
    Variant value;
    switch (id) {
    case DISPID_Name:
        value = Variant::fromString(form_->name().c_str());
        break;
    case kControls: {
        auto controls = makeCom<ControlsCollection>(ComPtr<FormDispatch>(this));
        value = Variant::fromDispatch(controls.Get());
        break;
    }
    case DISPID_HWND:
        value = Variant::fromI4(static_cast<LONG>(reinterpret_cast<LONG_PTR>(form_->hwnd())));
        break;
    case DISPID_CAPTION: {
        wchar_t text[256] = {};
        ::GetWindowTextW(form_->hwnd(), text, 256);
        value = Variant::fromString(text);
        break;
    }
    }
    if (result) value.detach(result);
    return S_OK;
}

// --- ControlsCollection -----------------------------------------------------------

void* ControlsCollection::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IDispatch) return static_cast<IDispatch*>(this);
    return nullptr;
}

STDMETHODIMP ControlsCollection::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                               DISPID* ids) {
    return idsOfNames(kControlsMembers, names, count, ids);
}

STDMETHODIMP ControlsCollection::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                        VARIANT* result, EXCEPINFO*, UINT*) {
    if (!findName(kControlsMembers, id)) return DISP_E_MEMBERNOTFOUND;
    if (!isGet(flags) || isPut(flags)) return DISP_E_MEMBERNOTFOUND;
    const Form* form = owner_->form();
    Variant value;
    switch (id) {
    case DISPID_VALUE: {
        Variant key;
        if (positionalCount(params) != 1) return DISP_E_BADPARAMCOUNT;
        PKW_RETURN_IF_FAILED(positionalArgument(params, 0, key));
        PKW_RETURN_IF_FAILED(item(form, key, value));
        break;
    }
    case kCount:
        if (positionalCount(params) != 0) return DISP_E_BADPARAMCOUNT;
        value = Variant::fromI4(form ? static_cast<LONG>(form->count()) : 0);
        break;
    case DISPID_NEWENUM: {
        if (positionalCount(params) != 0) return DISP_E_BADPARAMCOUNT;
        auto members = makeCom<VariantEnum>(extenders(form));
        value = Variant::fromUnknown(static_cast<IEnumVARIANT*>(members.Get()));
        break;
    }
    }
    if (result) value.detach(result);
    return S_OK;
}

} // namespace pkw::host
