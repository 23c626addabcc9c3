// Owning BSTR.
#pragma once

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace pkw {

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text)
        : bstr_(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()))) {}
    Bstr(const Bstr& other)
        : bstr_(other.bstr_ ? ::SysAllocStringLen(other.bstr_, other.length()) : nullptr) {}
    Bstr& operator=(const Bstr& other) {
        if (this != &other)
            reset(other.bstr_ ? ::SysAllocStringLen(other.bstr_, other.length()) : nullptr);
        return *this;
    }
    Bstr(Bstr&& other) noexcept : bstr_(other.release()) {}
    Bstr& operator=(Bstr&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~Bstr() { ::SysFreeString(bstr_); }

    // Takes ownership of an existing BSTR.
    static Bstr attach(BSTR b) noexcept {
        Bstr r;
        r.bstr_ = b;
        return r;
    }

    BSTR get() const noexcept { return bstr_; }
    BSTR* put() noexcept {
        reset();
        return &bstr_;
    }
    // For an [in, out] argument: the callee may free the string and leave
    // another in its place, which this object then owns.
    BSTR* inOut() noexcept { return &bstr_; }
    [[nodiscard]] BSTR release() noexcept { return std::exchange(bstr_, nullptr); }
    // A fresh copy for an [out] parameter; null when allocation fails.
    BSTR copy() const { return ::SysAllocStringLen(bstr_ ? bstr_ : L"", length()); }
    void reset(BSTR b = nullptr) noexcept {
        if (bstr_ != b) ::SysFreeString(bstr_);
        bstr_ = b;
    }
    UINT length() const noexcept { return bstr_ ? ::SysStringLen(bstr_) : 0; }
    std::wstring_view view() const noexcept { return {bstr_ ? bstr_ : L"", length()}; }
    std::wstring str() const { return std::wstring(view()); }

private:
    BSTR bstr_ = nullptr;
};

} // namespace pkw
