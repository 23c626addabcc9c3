// Enumerators over a snapshot: the controls of a form as IUnknowns
// (IOleContainer::EnumObjects) and as VARIANTs (a collection's _NewEnum).
#pragma once

#include "common/com/variant.h"
#include "host/com_object.h"

#include <oaidl.h>

#include <vector>

namespace pkw::host {

class UnknownEnum : public ComObject<UnknownEnum, IEnumUnknown> {
public:
    explicit UnknownEnum(std::vector<ComPtr<IUnknown>> items, std::size_t position = 0)
        : items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG count, IUnknown** out, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumUnknown** copy) override;
    void* find(REFIID riid) noexcept;

private:
    std::vector<ComPtr<IUnknown>> items_;
    std::size_t position_;
};

class VariantEnum : public ComObject<VariantEnum, IEnumVARIANT> {
public:
    explicit VariantEnum(std::vector<Variant> items, std::size_t position = 0)
        : items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG count, VARIANT* out, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** copy) override;
    void* find(REFIID riid) noexcept;

private:
    std::vector<Variant> items_;
    std::size_t position_;
};

} // namespace pkw::host
