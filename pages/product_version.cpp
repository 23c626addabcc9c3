#include "pages/product_version.h"

#include "common/com/module.h"

#include <winver.h>

#include <cstring>
#include <new>
#include <vector>

namespace pkw::pages {
namespace {

ProductVersion ReadModuleVersion() noexcept {
    const HMODULE module = module::handle();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (!found) return {};
    const DWORD size = ::SizeofResource(module, found);
    HGLOBAL loaded = ::LoadResource(module, found);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data || size == 0) return {};
    try {
        // VerQueryValue may write into the block: it gets a copy, never the
        // module's read-only image.
        std::vector<BYTE> block(size);
        std::memcpy(block.data(), data, size);
        VS_FIXEDFILEINFO* info = nullptr;
        UINT length = 0;
        if (!::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
            !info || length < sizeof(VS_FIXEDFILEINFO) || info->dwSignature != VS_FFI_SIGNATURE)
            return {};
        return {HIWORD(info->dwFileVersionMS), LOWORD(info->dwFileVersionMS),
                HIWORD(info->dwFileVersionLS)};
    } catch (const std::bad_alloc&) {
        return {};
    }
}

} // namespace

ProductVersion ModuleVersion() noexcept {
    static const ProductVersion version = ReadModuleVersion();
    return version;
}

} // namespace pkw::pages
