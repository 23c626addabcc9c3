// Decoding in every code page the library publishes, against the system's
// own decoder.
#include "textbox/unicode_conversion.h"

#include "common/com/bstr.h"
#include "host/library.h"

#include <gtest/gtest.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace pkw::test {
namespace {

using Microsoft::WRL::ComPtr;

struct CodePage {
    std::wstring name;
    LONG value;
};

// The members of UniCodePages, read from the library's type library.
std::vector<CodePage> publishedCodePages() {
    std::vector<CodePage> pages;
    ComPtr<ITypeLib> library;
    const std::wstring path = host::besideProgram(L"zelPickwell40.ocx");
    if (FAILED(::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library))) return pages;
    ComPtr<ITypeInfo> info;
    for (UINT i = 0; i < library->GetTypeInfoCount() && !info; ++i) {
        Bstr name;
        if (SUCCEEDED(library->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr,
                                                nullptr)) &&
            name.view() == L"UniCodePages")
            library->GetTypeInfo(i, &info);
    }
    if (!info) return pages;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetTypeAttr(&attr))) return pages;
    const UINT count = attr->cVars;
    info->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < count; ++i) {
        VARDESC* var = nullptr;
        if (FAILED(info->GetVarDesc(i, &var))) continue;
        Bstr name;
        info->GetDocumentation(var->memid, name.put(), nullptr, nullptr, nullptr);
        VARIANT value;
        ::VariantInit(&value);
        ::VariantChangeType(&value, var->lpvarValue, 0, VT_I4);
        pages.push_back({name.str(), value.lVal});
        info->ReleaseVarDesc(var);
    }
    return pages;
}

std::vector<std::uint8_t> utf16Bytes(const std::wstring& text) {
    std::vector<std::uint8_t> bytes;
    for (const wchar_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

TEST(CodePageConversion, EveryPublishedPageDecodesAsTheSystemDoes) {
    const std::vector<CodePage> pages = publishedCodePages();
    ASSERT_EQ(pages.size(), 103u);
    std::vector<std::uint8_t> bytes;
    for (int b = 1; b <= 255; ++b)
        bytes.push_back(static_cast<std::uint8_t>(b));
    const std::string source(bytes.begin(), bytes.end());
    int decoded = 0;
    for (const CodePage& page : pages) {
        SCOPED_TRACE(testing::Message() << std::string(page.name.begin(), page.name.end()));
        const auto cp = static_cast<UINT>(page.value);
        const std::vector<std::uint8_t> result = textbox::ConvertCodePageBytes(bytes, cp);
        if (cp == 1252) {
            // Widened byte for byte, not Windows' table.
            ASSERT_EQ(result.size(), 2 * bytes.size());
            EXPECT_EQ(result[2 * (0x80 - 1)], 0x80);
            EXPECT_EQ(result[2 * (0x80 - 1) + 1], 0);
            continue;
        }
        const int n = ::MultiByteToWideChar(cp, 0, source.data(), static_cast<int>(source.size()),
                                            nullptr, 0);
        std::wstring expected(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
        if (n > 0)
            ::MultiByteToWideChar(cp, 0, source.data(), static_cast<int>(source.size()),
                                  expected.data(), n);
        if (n > 0) ++decoded;
        EXPECT_EQ(result, utf16Bytes(expected));
    }
    EXPECT_GT(decoded, 40) << "most published pages exist on this system";
}

} // namespace
} // namespace pkw::test
