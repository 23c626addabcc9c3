// GradInfo: the colour stops of one gradient, in order. Vtable callers move
// whole 8-byte GradStop records; late-bound callers reach single fields
// through the indexed GradColor and GradPercent properties.
#pragma once

#include "common/com/server/server.h"

#include "zelGlobals40.h"

#include <cstddef>
#include <vector>

namespace pkw::globals {

// The record crosses module boundaries as raw memory: its layout is fixed.
static_assert(sizeof(GradStop) == 8);
static_assert(offsetof(GradStop, GradColor) == 0);
static_assert(offsetof(GradStop, GradPercent) == 4);

class GradInfo : public com::DualDispatch<IGradInfo> {
public:
    using Interfaces = com::InterfaceMap<IGradInfo, IDispatch>;

    // The persisted count is 16-bit: a longer list could not be saved.
    static constexpr LONG kMaxStops = 32767;

    HRESULT STDMETHODCALLTYPE get_Count(LONG* count) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Count(LONG count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetStop(LONG j, GradStop* stop) noexcept override;
    HRESULT STDMETHODCALLTYPE SetStops(LONG count, GradStop* first) noexcept override;
    HRESULT STDMETHODCALLTYPE get_GradColor(LONG j, OLE_COLOR* color) noexcept override;
    HRESULT STDMETHODCALLTYPE put_GradColor(LONG j, OLE_COLOR color) noexcept override;
    HRESULT STDMETHODCALLTYPE get_GradPercent(LONG j, SHORT* percent) noexcept override;
    HRESULT STDMETHODCALLTYPE put_GradPercent(LONG j, SHORT percent) noexcept override;

private:
    // The stop at j, or null when j is outside the list.
    GradStop* at(LONG j) noexcept;

    std::vector<GradStop> stops_;
};

} // namespace pkw::globals
