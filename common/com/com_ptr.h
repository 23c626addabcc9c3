// ComPtr helpers.
//
// MinGW-w64's ComPtr::Attach adds a reference (unlike the platform SDK's),
// so a freshly created object handed to Attach would leak. Adopt takes over
// a reference that the caller already owns.
#pragma once

#include <wrl/client.h>

namespace pkw {

template <typename T>
Microsoft::WRL::ComPtr<T> Adopt(T* owned) noexcept {
    Microsoft::WRL::ComPtr<T> ptr;
    *ptr.GetAddressOf() = owned;
    return ptr;
}

} // namespace pkw
