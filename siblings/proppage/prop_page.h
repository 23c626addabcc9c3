// clsPropPage: the editor object that the library's Effects page creates
// for each click, by ProgID, and calls late-bound.
#pragma once

#include "common/com/server/server.h"

#include "zelPropPage40.h"

namespace pkw::proppage {

class PropPage : public com::DualDispatch<_clsPropPage> {
public:
    using Interfaces = com::InterfaceMap<_clsPropPage, IDispatch>;

    STDMETHODIMP InitSelectProps(VARIANT* effectsProps, BSTR* caption, SHORT* controlType,
                                 LONG* width, LONG* height, LONG* xOffset, LONG* yOffset,
                                 VARIANT* cancelled) noexcept override;
    STDMETHODIMP InitTipProps(VARIANT* tipEffectsProps, VARIANT* cancelled) noexcept override;
};

} // namespace pkw::proppage
