// NuCheckBox40: the library's check box control, on the selection core.
// What is its own: the three-valued Value (unchecked, checked, grayed), the
// rules by which a click, the space bar or the access key change it, and
// its traits (event ids, glyph strip 1001, key orders).
#pragma once

#include "selection/dual_face.h"

#include "zelPickwell40.h"

namespace pkw::checkbox {

class NuCheckBox40 final : public selection::DualFace<_NuCheckBox40> {
public:
    NuCheckBox40();

    STDMETHODIMP get_Value(NuCheckBoxValueConstants* iValue) override;
    STDMETHODIMP put_Value(NuCheckBoxValueConstants iValue) override;

private:
    void UserAction(UserInput input, bool armed) override;
    int GlyphValue() const override;
    HRESULT loadValue(persist::Key key, const VARIANT& typed) override;
    HRESULT saveValue(persist::Key key, Variant& typed) override;

    SHORT m_iValue = 0;
};

} // namespace pkw::checkbox
