// How the user changes an option button (a release over it, the space bar,
// its access key) and how its group stays mutually exclusive.
#include "option/nu_option40.h"

#include "common/com/late_bound.h"

#include <array>

namespace pkw::option {

void NuOption40::UserAction(UserInput input, bool) {
    if (input == UserInput::AccessKey && m_bGrouped) {
        GroupedAccessKey();
        return;
    }
    // A release, or the space bar; the access key of an ungrouped button
    // acts as the space bar does.
    const bool old = m_bValue;
    const bool mouse = input == UserInput::LeftButton || input == UserInput::OtherButton;
    // A selected member of a group cannot be turned off by the user.
    const bool locked = m_bGrouped && m_bValue && HasGroupPartner();
    if (!locked) ProposeValue(!m_bValue);
    // The keyboard shows the new look before the group is put in order.
    if (!mouse) DrawControl();
    if (m_bGrouped) UpdateGroup();
    if (mouse) DrawControl();
    const bool clickAllowed = input != UserInput::OtherButton;
    if (clickAllowed && m_bValue && !old) ignore(RaiseClick());
}

void NuOption40::GroupedAccessKey() {
    const bool old = m_bValue;
    if (HasGroupPartner()) {
        if (!m_bValue && !BeforeValueChanged(true)) {
            m_bValue = true;
            DrawControl();
            UpdateGroup();
        }
    } else {
        ProposeValue(!m_bValue);
        DrawControl();
    }
    if (m_bValue && !old) ignore(RaiseClick());
}

bool NuOption40::BeforeValueChanged(bool proposed) {
    VARIANT_BOOL state = proposed ? VARIANT_TRUE : VARIANT_FALSE;
    VARIANT_BOOL cancel = VARIANT_FALSE;
    std::array<VARIANTARG, 2> args{};
    args[0].vt = VT_BOOL | VT_BYREF, args[0].pboolVal = &state;
    args[1].vt = VT_BOOL | VT_BYREF, args[1].pboolVal = &cancel;
    ignore(fireEvent(kBeforeValueChanged, args));
    return cancel != VARIANT_FALSE;
}

void NuOption40::ProposeValue(bool proposed) {
    // Stored directly: a user's change is no property change, and raises
    // no second Click.
    if (!BeforeValueChanged(proposed)) m_bValue = proposed;
}

// --- Group handling ---------------------------------------------------------

GroupSource NuOption40::Source() const {
    return {clientSite(), extender(), m_bUseParentControls};
}

void NuOption40::ProbeParentControls() {
    if (option::ProbeParentControls(clientSite().Get())) m_bUseParentControls = true;
}

bool NuOption40::HasGroupPartner() {
    const LONG self = static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd()));
    bool found = false;
    ForEachOptionButton(Source(), [&](const OptionMember* member) {
        if (!member) return false; // an error ends the test: no partner
        found = member->groupId == m_iGroupID && member->hWnd != self;
        return !found;
    });
    return found;
}

void NuOption40::UpdateGroup() {
    m_bUpdateGroup = true;
    ClearGroupSiblings();
}

void NuOption40::ClearGroupSiblings() {
    if (!m_bUpdateGroup) return;
    // The buttons cleared run their own Value put, and their handlers may
    // release this one.
    ComPtr<IUnknown> keepAlive(identity());
    ProbeParentControls();
    const LONG self = static_cast<LONG>(reinterpret_cast<LONG_PTR>(hwnd()));
    ForEachOptionButton(Source(), [&](const OptionMember* member) {
        if (!member || member->groupId != m_iGroupID || member->hWnd == self || !m_bValue)
            return true;
        Variant value;
        if (SUCCEEDED(com::GetPropertyAs(member->button.Get(), L"Value", VT_BOOL, value)) &&
            value.boolVal != VARIANT_FALSE)
            ignore(com::PutProperty(member->button.Get(), L"Value", Variant::fromBool(false)));
        return true;
    });
    m_bUpdateGroup = false;
}

} // namespace pkw::option
