// NuOption40: the library's option button, on the selection core.
// What is its own: the Boolean Value, GroupID and Grouped, the mutual
// exclusion of the buttons of one group (option_group.h), the cancellable
// BeforeValueChanged, the rule for Click, and its traits (event ids,
// glyph strip 1006, key orders).
#pragma once

#include "option/option_group.h"
#include "persistence/state_fields.h"
#include "selection/dual_face.h"

#include "zelPickwell40.h"

namespace pkw::option {

class NuOption40 final : public selection::DualFace<_NuOption40> {
public:
    static constexpr DISPID kBeforeValueChanged = 6;

    NuOption40();

    STDMETHODIMP get_Value(VARIANT_BOOL* bValue) override;
    STDMETHODIMP put_Value(VARIANT_BOOL bValue) override;
    STDMETHODIMP get_GroupID(short* iGroupID) override;
    STDMETHODIMP put_GroupID(short iGroupID) override;
    STDMETHODIMP get_Grouped(VARIANT_BOOL* bGrouped) override;
    STDMETHODIMP put_Grouped(VARIANT_BOOL bGrouped) override;

private:
    void onInitProperties() override;
    HRESULT onReadProperties(ax::PropertyBag& bag) override;
    void UserAction(UserInput input, bool armed) override;
    int GlyphValue() const override;
    HRESULT loadValue(persist::Key key, const VARIANT& typed) override;
    HRESULT saveValue(persist::Key key, Variant& typed) override;

    // The access key of a grouped button at run time.
    void GroupedAccessKey();
    // Raises BeforeValueChanged proposing `proposed`; true when the handler
    // cancelled. Whatever the handler leaves in its state is not read.
    bool BeforeValueChanged(bool proposed);
    // Stores `proposed` unless BeforeValueChanged cancels it.
    void ProposeValue(bool proposed);

    // Group handling (option_group.cpp).
    GroupSource Source() const;
    void ProbeParentControls();
    bool HasGroupPartner();
    void ClearGroupSiblings();
    void UpdateGroup();

    // The keys that are plain members.
    static std::span<const persist::StateField<NuOption40>> OwnFields();

    bool m_bValue = false;
    SHORT m_iGroupID = 0;
    bool m_bGrouped = false;
    bool m_bUpdateGroup = false;
    bool m_bUseParentControls = false;
};

} // namespace pkw::option
