#include "siblings/globals/grad_info.h"

#include <new>

namespace pkw::globals {

GradStop* GradInfo::at(LONG j) noexcept {
    if (j < 0 || static_cast<std::size_t>(j) >= stops_.size()) return nullptr;
    return &stops_[static_cast<std::size_t>(j)];
}

HRESULT GradInfo::get_Count(LONG* count) noexcept {
    if (!count) return E_POINTER;
    *count = static_cast<LONG>(stops_.size());
    return S_OK;
}

HRESULT GradInfo::put_Count(LONG count) noexcept {
    if (count < 0 || count > kMaxStops) return E_INVALIDARG;
    try {
        stops_.resize(static_cast<std::size_t>(count), GradStop{});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT GradInfo::GetStop(LONG j, GradStop* stop) noexcept {
    if (!stop) return E_POINTER;
    const GradStop* found = at(j);
    if (!found) return DISP_E_BADINDEX;
    *stop = *found;
    return S_OK;
}

HRESULT GradInfo::SetStops(LONG count, GradStop* first) noexcept {
    if (count < 0 || count > kMaxStops) return E_INVALIDARG;
    if (count > 0 && !first) return E_POINTER;
    try {
        stops_.assign(first, first + count);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT GradInfo::get_GradColor(LONG j, OLE_COLOR* color) noexcept {
    if (!color) return E_POINTER;
    const GradStop* found = at(j);
    if (!found) return DISP_E_BADINDEX;
    *color = static_cast<OLE_COLOR>(found->GradColor);
    return S_OK;
}

HRESULT GradInfo::put_GradColor(LONG j, OLE_COLOR color) noexcept {
    GradStop* found = at(j);
    if (!found) return DISP_E_BADINDEX;
    found->GradColor = static_cast<LONG>(color);
    return S_OK;
}

HRESULT GradInfo::get_GradPercent(LONG j, SHORT* percent) noexcept {
    if (!percent) return E_POINTER;
    const GradStop* found = at(j);
    if (!found) return DISP_E_BADINDEX;
    *percent = found->GradPercent;
    return S_OK;
}

HRESULT GradInfo::put_GradPercent(LONG j, SHORT percent) noexcept {
    GradStop* found = at(j);
    if (!found) return DISP_E_BADINDEX;
    found->GradPercent = percent;
    return S_OK;
}

} // namespace pkw::globals
