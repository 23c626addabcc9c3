// The option button's own properties (Value, GroupID, Grouped), their
// persistence, and the probe of the container's controls that comes with
// fresh or loaded settings.
#include "option/nu_option40.h"

#include "activex/property_values.h"

namespace pkw::option {

using ax::Give;
using ax::ToVb;
using persist::Key;

std::span<const persist::StateField<NuOption40>> NuOption40::OwnFields() {
    // Loading stores them as they are: no group handling, no event, so two
    // buttons of a group saved as selected both load selected.
    static constexpr persist::StateField<NuOption40> kFields[] = {
        {Key::OptionValue, &NuOption40::m_bValue},
        {Key::GroupID, &NuOption40::m_iGroupID},
        {Key::Grouped, &NuOption40::m_bGrouped},
    };
    return kFields;
}

HRESULT NuOption40::loadValue(Key key, const VARIANT& typed) {
    return persist::LoadField<NuOption40>(OwnFields(), key, typed, *this) ? S_OK : E_NOTIMPL;
}

HRESULT NuOption40::saveValue(Key key, Variant& typed) {
    return persist::SaveField<NuOption40>(OwnFields(), key, *this, typed) ? S_OK : E_NOTIMPL;
}

void NuOption40::onInitProperties() {
    SelectionControl::onInitProperties();
    ProbeParentControls();
}

HRESULT NuOption40::onReadProperties(ax::PropertyBag& bag) {
    const HRESULT hr = SelectionControl::onReadProperties(bag);
    ProbeParentControls();
    return hr;
}

STDMETHODIMP NuOption40::get_Value(VARIANT_BOOL* bValue) {
    return Give(bValue, ToVb(m_bValue));
}

STDMETHODIMP NuOption40::put_Value(VARIANT_BOOL bValue) {
    // A Click handler may release the control; finish this call first.
    ComPtr<IUnknown> keepAlive(identity());
    const bool old = m_bValue;
    m_bValue = bValue != VARIANT_FALSE;
    const bool changed = state_.m_bValueSetClick && m_bValue != old;
    if (m_bValue && m_bGrouped) UpdateGroup();
    DrawControl();
    if (changed && m_bValue) ignore(RaiseClick());
    if (!isTerminating()) propertyChanged(L"Value");
    return S_OK;
}

STDMETHODIMP NuOption40::get_GroupID(short* iGroupID) {
    return Give(iGroupID, m_iGroupID);
}

STDMETHODIMP NuOption40::put_GroupID(short iGroupID) {
    if (iGroupID < 0) return S_OK;
    m_iGroupID = iGroupID;
    // At run time the new group is put in order by the next selection.
    m_bUpdateGroup = true;
    if (!ambientUserMode()) ClearGroupSiblings();
    propertyChanged(L"GroupID");
    return S_OK;
}

STDMETHODIMP NuOption40::get_Grouped(VARIANT_BOOL* bGrouped) {
    return Give(bGrouped, ToVb(m_bGrouped));
}

STDMETHODIMP NuOption40::put_Grouped(VARIANT_BOOL bGrouped) {
    m_bGrouped = bGrouped != VARIANT_FALSE;
    propertyChanged(L"Grouped");
    return S_OK;
}

int NuOption40::GlyphValue() const {
    return m_bValue ? 1 : 0;
}

} // namespace pkw::option
