#include "host/enumerators.h"

namespace pkw::host {

// --- UnknownEnum ----------------------------------------------------------------

void* UnknownEnum::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IEnumUnknown) return static_cast<IEnumUnknown*>(this);
    return nullptr;
}

STDMETHODIMP UnknownEnum::Next(ULONG count, IUnknown** out, ULONG* fetched) {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < items_.size(); ++n, ++position_) {
        out[n] = items_[position_].Get();
        if (out[n]) out[n]->AddRef();
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP UnknownEnum::Skip(ULONG count) {
    const std::size_t left = items_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP UnknownEnum::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP UnknownEnum::Clone(IEnumUnknown** copy) {
    if (!copy) return E_POINTER;
    *copy = makeCom<UnknownEnum>(items_, position_).Detach();
    return S_OK;
}

// --- VariantEnum ----------------------------------------------------------------

void* VariantEnum::find(REFIID riid) noexcept {
    if (riid == IID_IUnknown || riid == IID_IEnumVARIANT) return static_cast<IEnumVARIANT*>(this);
    return nullptr;
}

STDMETHODIMP VariantEnum::Next(ULONG count, VARIANT* out, ULONG* fetched) {
    if (!out || (count > 1 && !fetched)) return E_POINTER;
    ULONG n = 0;
    for (; n < count && position_ < items_.size(); ++n, ++position_) {
        ::VariantInit(&out[n]);
        ::VariantCopy(&out[n], &items_[position_]);
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP VariantEnum::Skip(ULONG count) {
    const std::size_t left = items_.size() - position_;
    position_ += count < left ? count : left;
    return count <= left ? S_OK : S_FALSE;
}

STDMETHODIMP VariantEnum::Reset() {
    position_ = 0;
    return S_OK;
}

STDMETHODIMP VariantEnum::Clone(IEnumVARIANT** copy) {
    if (!copy) return E_POINTER;
    *copy = makeCom<VariantEnum>(items_, position_).Detach();
    return S_OK;
}

} // namespace pkw::host
