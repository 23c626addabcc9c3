// COM identity of the check box: its class description, creation,
// QueryInterface and the dispatch forwarding to the plumbing.
#include "checkbox/checkbox_class.h"
#include "checkbox/nu_checkbox40.h"

namespace pkw::checkbox {
namespace {

const CLSID* const kPropertyPages[] = {&CLSID_Effects, &CLSID_Caption, &CLSID_About};

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

constexpr UINT kToolboxBitmap = 30000;

} // namespace

const ax::ControlClass& CheckBoxClass() {
    static const ax::ControlClass cls{{&CLSID_NuCheckBox40, L"NuCheckBox40",
                                       &ax::createControl<NuCheckBox40>, com::Registration::Control,
                                       kMiscStatus, kToolboxBitmap},
                                      &IID__NuCheckBox40,
                                      &DIID___NuCheckBox40,
                                      kPropertyPages};
    return cls;
}

NuCheckBox40::NuCheckBox40() : ax::OleControl(CheckBoxClass()) {}

NuCheckBox40::~NuCheckBox40() = default;

STDMETHODIMP NuCheckBox40::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID__NuCheckBox40 || riid == IID_IDispatch) {
        *ppv = static_cast<_NuCheckBox40*>(this);
    } else if (riid == IID_ISubclass) {
        *ppv = static_cast<ISubclass*>(this);
    } else {
        return queryOleInterface(riid, ppv);
    }
    addRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) NuCheckBox40::AddRef() {
    return addRef();
}
STDMETHODIMP_(ULONG) NuCheckBox40::Release() {
    return release();
}

STDMETHODIMP NuCheckBox40::GetTypeInfoCount(UINT* count) {
    return getTypeInfoCount(count);
}

STDMETHODIMP NuCheckBox40::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    return getTypeInfo(index, lcid, info);
}

STDMETHODIMP NuCheckBox40::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                         DISPID* ids) {
    return getIDsOfNames(riid, names, count, lcid, ids);
}

STDMETHODIMP NuCheckBox40::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    return invoke(id, riid, lcid, flags, params, result, excep, argErr);
}

} // namespace pkw::checkbox
