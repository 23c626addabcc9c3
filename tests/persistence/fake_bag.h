// A minimal in-memory IPropertyBag for the key routines: keeps the last
// value per name (names compared without regard to case), records every
// write in order, and can be told to fail one name's read or write.
#pragma once

#include "common/com/variant.h"

#include <ocidl.h>
#include <windows.h>

#include <cwctype>
#include <map>
#include <string>
#include <vector>

namespace pkw::test {

class FakeBag final : public IPropertyBag {
public:
    struct Write {
        std::wstring name;
        Variant value;
    };

    std::map<std::wstring, Variant> values;
    std::vector<Write> writes;
    std::vector<std::wstring> reads;
    std::wstring failRead, failWrite;
    HRESULT failWith = E_FAIL;

    static std::wstring Fold(const wchar_t* name) {
        std::wstring folded(name);
        for (auto& c : folded)
            c = static_cast<wchar_t>(std::towlower(c));
        return folded;
    }
    void set(const wchar_t* name, const VARIANT& value) { values[Fold(name)] = Variant(value); }
    const Variant* find(const wchar_t* name) const {
        auto it = values.find(Fold(name));
        return it == values.end() ? nullptr : &it->second;
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (riid == IID_IUnknown || riid == IID_IPropertyBag) {
            *ppv = static_cast<IPropertyBag*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; } // lives on the test's stack
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog*) override {
        reads.emplace_back(name);
        if (Fold(name) == Fold(failRead.c_str())) return failWith;
        const Variant* stored = find(name);
        if (!stored) return E_INVALIDARG;
        return ::VariantCopy(value, const_cast<Variant*>(stored));
    }
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override {
        if (Fold(name) == Fold(failWrite.c_str())) return failWith;
        writes.push_back({name, Variant(*value)});
        values[Fold(name)] = Variant(*value);
        return S_OK;
    }
};

} // namespace pkw::test
