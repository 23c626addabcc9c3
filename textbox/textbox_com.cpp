// COM identity of the text box: its class description, creation,
// QueryInterface and the dispatch forwarding to the plumbing.
#include "textbox/nu_mtext40.h"
#include "textbox/textbox_class.h"

namespace pkw::textbox {
namespace {

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

} // namespace

const ax::ControlClass& TextBoxClass() {
    static const ax::ControlClass cls{{&CLSID_NuMText40, L"NuMText40",
                                       &ax::createControl<NuMText40>, com::Registration::None,
                                       kMiscStatus, 0},
                                      &IID__NuMText40,
                                      &DIID___NuMText40,
                                      {}};
    return cls;
}

NuMText40::NuMText40() : ax::OleControl(TextBoxClass()) {}

NuMText40::~NuMText40() = default;

STDMETHODIMP NuMText40::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID__NuMText40 || riid == IID_IDispatch) {
        *ppv = static_cast<_NuMText40*>(this);
    } else if (riid == IID__IPAO) {
        *ppv = static_cast<_IPAO*>(this);
    } else if (riid == IID_ISubclass) {
        *ppv = static_cast<ISubclass*>(this);
    } else {
        return queryOleInterface(riid, ppv);
    }
    addRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) NuMText40::AddRef() {
    return addRef();
}

STDMETHODIMP_(ULONG) NuMText40::Release() {
    return release();
}

STDMETHODIMP NuMText40::GetTypeInfoCount(UINT* count) {
    return getTypeInfoCount(count);
}

STDMETHODIMP NuMText40::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    return getTypeInfo(index, lcid, info);
}

STDMETHODIMP NuMText40::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                      DISPID* ids) {
    return getIDsOfNames(riid, names, count, lcid, ids);
}

STDMETHODIMP NuMText40::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                               VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    return invoke(id, riid, lcid, flags, params, result, excep, argErr);
}

} // namespace pkw::textbox
