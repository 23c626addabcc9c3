// The check box's value: unchecked 0, checked 1, grayed 2, and how the
// user and the code change it.
#include "checkbox/nu_checkbox40.h"

#include "activex/property_values.h"

#include <climits>

namespace pkw::checkbox {
namespace {

// A click or the space bar: unchecked and checked swap, grayed stays, and
// anything else becomes checked.
SHORT ToggledValue(SHORT value) {
    switch (value) {
    case 0:
        return 1;
    case 1:
        return 0;
    case 2:
        return 2;
    default:
        return 1;
    }
}

// The access key swaps only unchecked and checked.
SHORT AccessKeyValue(SHORT value) {
    return value == 0 ? 1 : value == 1 ? 0 : value;
}

} // namespace

STDMETHODIMP NuCheckBox40::get_Value(NuCheckBoxValueConstants* iValue) {
    return ax::Give(iValue, static_cast<LONG>(m_iValue));
}

STDMETHODIMP NuCheckBox40::put_Value(NuCheckBoxValueConstants iValue) {
    // A Click handler may release the control; finish this call first.
    selection::ComPtr<IUnknown> keepAlive(identity());
    const SHORT oldTruth = m_iValue != 0 ? -1 : 0;
    // A value beyond 16 bits cannot be stored: that step is skipped.
    if (iValue >= SHRT_MIN && iValue <= SHRT_MAX) m_iValue = static_cast<SHORT>(iValue);
    DrawControl();
    if (state_.m_bValueSetClick && m_iValue != oldTruth) ignore(RaiseClick());
    if (!isTerminating()) propertyChanged(L"Value");
    return S_OK;
}

void NuCheckBox40::UserAction(UserInput input, bool armed) {
    // A user's toggle is not a property change: the container hears of it
    // through Click alone.
    m_iValue = input == UserInput::AccessKey ? AccessKeyValue(m_iValue) : ToggledValue(m_iValue);
    DrawControl();
    if (armed || input == UserInput::AccessKey) ignore(RaiseClick());
}

int NuCheckBox40::GlyphValue() const {
    return m_iValue >= 0 && m_iValue <= 2 ? m_iValue : -1;
}

HRESULT NuCheckBox40::loadValue(persist::Key key, const VARIANT& typed) {
    if (key != persist::Key::CheckValue) return E_NOTIMPL;
    m_iValue = typed.iVal;
    return S_OK;
}

HRESULT NuCheckBox40::saveValue(persist::Key key, Variant& typed) {
    if (key != persist::Key::CheckValue) return E_NOTIMPL;
    typed = Variant::fromI2(m_iValue);
    return S_OK;
}

} // namespace pkw::checkbox
