// The registry side of class registration, run against a scratch classes
// root with a class of the test's own: what is written, that writing twice
// is harmless, and that removal spares a ProgID another class has taken.
#include "library/class_registration.h"
#include "library/registration_entries.h"
#include "library/registry_key.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pkw::test {
namespace {

using library::readRegistryString;
using library::registryKeyExists;

// {6C3B0E55-1F0A-4D9E-8C2B-5A7D3E9F1B24}
const CLSID kClsid = {0x6c3b0e55, 0x1f0a, 0x4d9e, {0x8c, 0x2b, 0x5a, 0x7d, 0x3e, 0x9f, 0x1b, 0x24}};
const wchar_t* const kScratch = L"Software\\PickwellTests\\Classes";

ax::ControlClass testClass(UINT toolboxBitmap) {
    ax::ControlClass cls{};
    cls.clsid = &kClsid;
    cls.className = L"ScratchBox";
    cls.miscStatus = 0x20191;
    cls.toolboxBitmap = toolboxBitmap;
    cls.isPublic = true;
    return cls;
}

class ClassKeysTest : public ::testing::Test {
protected:
    void SetUp() override {
        library::deleteRegistryTree(HKEY_CURRENT_USER, L"Software\\PickwellTests");
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kScratch, 0, nullptr, 0, KEY_ALL_ACCESS,
                                    nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        root_ = library::UniqueRegKey(raw);
    }
    void TearDown() override {
        root_.reset();
        library::deleteRegistryTree(HKEY_CURRENT_USER, L"Software\\PickwellTests");
    }

    // Names of the subkeys directly below the scratch root.
    std::vector<std::wstring> topLevelKeys() {
        std::vector<std::wstring> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (::RegEnumKeyExW(root_.get(), i, name, &length, nullptr, nullptr, nullptr,
                                nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }
    // What stays after removal: the shared CLSID folder, empty.
    void expectOnlyEmptyClsidFolder() {
        EXPECT_EQ(topLevelKeys(), std::vector<std::wstring>{L"CLSID"});
        DWORD subkeys = 1;
        HKEY raw = nullptr;
        ASSERT_EQ(::RegOpenKeyExW(root_.get(), L"CLSID", 0, KEY_READ, &raw), ERROR_SUCCESS);
        const library::UniqueRegKey clsid(raw);
        ::RegQueryInfoKeyW(clsid.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(subkeys, 0u);
    }

    library::UniqueRegKey root_;
    const std::wstring path_ = L"C:\\Somewhere\\zelPickwell40.ocx";
    const std::wstring clsidKey_ = L"CLSID\\{6C3B0E55-1F0A-4D9E-8C2B-5A7D3E9F1B24}";
};

TEST_F(ClassKeysTest, EveryEntryIsWrittenAndReadsBack) {
    const ax::ControlClass cls = testClass(30000);
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), cls, path_));
    for (const library::RegistryEntry& e : library::classRegistryEntries(cls, path_)) {
        ASSERT_TRUE(registryKeyExists(root_.get(), e.key));
        if (e.data) {
            EXPECT_EQ(readRegistryString(root_.get(), e.key, e.name), e.data);
        }
    }
    EXPECT_EQ(readRegistryString(root_.get(), clsidKey_ + L"\\MiscStatus\\1", L""), L"131473");
    EXPECT_EQ(readRegistryString(root_.get(), clsidKey_ + L"\\ToolboxBitmap32", L""),
              path_ + L",30000");
    EXPECT_EQ(readRegistryString(root_.get(), L"zelPickwell40.ScratchBox\\CurVer", L""),
              L"zelPickwell40.ScratchBox.1");
    // The CLSID folder and the two ProgIDs, nothing else at the top.
    EXPECT_EQ(topLevelKeys(), (std::vector<std::wstring>{L"CLSID", L"zelPickwell40.ScratchBox",
                                                         L"zelPickwell40.ScratchBox.1"}));
}

TEST_F(ClassKeysTest, AClassWithoutToolboxImageWritesNoToolboxKey) {
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), testClass(0), path_));
    EXPECT_FALSE(registryKeyExists(root_.get(), clsidKey_ + L"\\ToolboxBitmap32"));
    EXPECT_TRUE(registryKeyExists(root_.get(), clsidKey_ + L"\\Control"));
}

TEST_F(ClassKeysTest, RemovalLeavesNothingAndMayRunTwice) {
    const ax::ControlClass cls = testClass(30000);
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), cls, path_));
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), cls, path_));
    EXPECT_HRESULT_SUCCEEDED(library::unregisterClassKeys(root_.get(), cls));
    expectOnlyEmptyClsidFolder();
    EXPECT_EQ(library::unregisterClassKeys(root_.get(), cls), S_OK);
}

TEST_F(ClassKeysTest, AProgIdTakenOverByAnotherClassStays) {
    const ax::ControlClass cls = testClass(30000);
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), cls, path_));
    const std::wstring other = L"{11111111-2222-3333-4444-555555555555}";
    ASSERT_HRESULT_SUCCEEDED(
        library::writeRegistryString(root_.get(), L"zelPickwell40.ScratchBox\\CLSID", L"", other));

    EXPECT_HRESULT_SUCCEEDED(library::unregisterClassKeys(root_.get(), cls));
    EXPECT_FALSE(registryKeyExists(root_.get(), clsidKey_));
    EXPECT_FALSE(registryKeyExists(root_.get(), L"zelPickwell40.ScratchBox.1"));
    EXPECT_EQ(readRegistryString(root_.get(), L"zelPickwell40.ScratchBox\\CLSID", L""), other);
}

TEST_F(ClassKeysTest, ProgIdOwnershipIgnoresTheCaseOfTheGuid) {
    const ax::ControlClass cls = testClass(30000);
    ASSERT_HRESULT_SUCCEEDED(library::registerClassKeys(root_.get(), cls, path_));
    ASSERT_HRESULT_SUCCEEDED(
        library::writeRegistryString(root_.get(), L"zelPickwell40.ScratchBox\\CLSID", L"",
                                     L"{6c3b0e55-1f0a-4d9e-8c2b-5a7d3e9f1b24}"));
    EXPECT_HRESULT_SUCCEEDED(library::unregisterClassKeys(root_.get(), cls));
    expectOnlyEmptyClsidFolder();
}

} // namespace
} // namespace pkw::test
