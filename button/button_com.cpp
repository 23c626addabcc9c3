// COM identity of the button: its class description, creation,
// QueryInterface and the dispatch forwarding to the plumbing.
#include "button/btn.h"
#include "button/button_class.h"

namespace pkw::button {
namespace {

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

} // namespace

const ax::ControlClass& ButtonClass() {
    static const ax::ControlClass cls{
        {&CLSID_BTN, L"BTN", &ax::createControl<BTN>, com::Registration::None, kMiscStatus, 0},
        &IID__BTN,
        &DIID___BTN,
        {}};
    return cls;
}

BTN::BTN() : ax::OleControl(ButtonClass()) {}

BTN::~BTN() = default;

STDMETHODIMP BTN::QueryInterface(REFIID riid, void** ppv) {
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID__BTN || riid == IID_IDispatch) {
        *ppv = static_cast<_BTN*>(this);
    } else if (riid == IID_ISubclass) {
        *ppv = static_cast<ISubclass*>(this);
    } else {
        return queryOleInterface(riid, ppv);
    }
    addRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) BTN::AddRef() {
    return addRef();
}
STDMETHODIMP_(ULONG) BTN::Release() {
    return release();
}

STDMETHODIMP BTN::GetTypeInfoCount(UINT* count) {
    return getTypeInfoCount(count);
}

STDMETHODIMP BTN::GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) {
    return getTypeInfo(index, lcid, info);
}

STDMETHODIMP BTN::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) {
    return getIDsOfNames(riid, names, count, lcid, ids);
}

STDMETHODIMP BTN::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                         VARIANT* result, EXCEPINFO* excep, UINT* argErr) {
    return invoke(id, riid, lcid, flags, params, result, excep, argErr);
}

} // namespace pkw::button
