// Registration from a class table, in this test program: the keys that make
// a control insertable, versioned ProgIDs, classes and type libraries that
// are private, and removal that spares what another program added below a
// key the table wrote.
#include "common/com/module.h"
#include "common/com/server/registration.h"
#include "common/com/server/registry.h"
#include "test_classes.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

const com::ClassEntry kControl{&CLSID_KitThing,
                               L"KitThing",
                               &com::createObject<Thing>,
                               com::Registration::Control,
                               0x20181,
                               7};
const com::ClassEntry kPrivate{&CLSID_KitSecret, L"KitSecret", &com::createObject<Secret>,
                               com::Registration::None};
const com::ClassEntry* const kClasses[] = {&kControl, &kPrivate};
const com::Server kServer{L"PkwKitTest", kClasses, 3};

std::wstring text(REFGUID guid) {
    wchar_t buffer[40] = {};
    ::StringFromGUID2(guid, buffer, 40);
    return buffer;
}

class KitRegistrationTest : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY raw = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0,
                                    KEY_ALL_ACCESS, nullptr, &raw, nullptr),
                  ERROR_SUCCESS);
        root_.reset(raw);
        cleanUp();
    }
    void TearDown() override {
        com::unregisterServer(kServer, com::Scope::User);
        cleanUp();
    }
    void cleanUp() {
        ::RegDeleteTreeW(root_.get(), clsid_.c_str());
        ::RegDeleteKeyW(root_.get(), clsid_.c_str());
    }
    bool exists(const std::wstring& key) const { return com::registryKeyExists(root_.get(), key); }
    std::optional<std::wstring> value(const std::wstring& key) const {
        return com::readRegistryString(root_.get(), key, L"");
    }

    com::UniqueRegKey root_;
    const std::wstring clsid_ = L"CLSID\\" + text(CLSID_KitThing);
    const std::wstring category_ = clsid_ + L"\\Implemented Categories";
};

TEST_F(KitRegistrationTest, AControlIsInsertableUnderItsVersionedProgId) {
    ASSERT_EQ(com::registerServer(kServer, com::Scope::User), S_OK);
    EXPECT_TRUE(exists(clsid_ + L"\\Control"));
    EXPECT_EQ(value(clsid_ + L"\\MiscStatus\\1"), L"131457");
    EXPECT_EQ(value(clsid_ + L"\\ToolboxBitmap32"), module::path() + L",7");
    EXPECT_TRUE(exists(category_ + L"\\{40FC6ED4-2438-11CF-A3DB-080036F12502}"));
    EXPECT_EQ(value(clsid_ + L"\\ProgID"), L"PkwKitTest.KitThing.3");
    EXPECT_EQ(value(clsid_ + L"\\VersionIndependentProgID"), L"PkwKitTest.KitThing");
    EXPECT_EQ(value(L"PkwKitTest.KitThing\\CurVer"), L"PkwKitTest.KitThing.3");
    EXPECT_EQ(value(L"PkwKitTest.KitThing.3\\CLSID"), text(CLSID_KitThing));
    EXPECT_EQ(value(clsid_ + L"\\Version"), L"1.0");
    // The public type library only; nothing of the private class.
    EXPECT_TRUE(exists(L"TypeLib\\" + text(LIBID_KitTestLib)));
    EXPECT_FALSE(exists(L"TypeLib\\" + text(LIBID_KitPrivateLib)));
    EXPECT_FALSE(exists(L"CLSID\\" + text(CLSID_KitSecret)));
    EXPECT_FALSE(exists(L"PkwKitTest.KitSecret"));

    ASSERT_EQ(com::unregisterServer(kServer, com::Scope::User), S_OK);
    EXPECT_FALSE(exists(clsid_));
    EXPECT_FALSE(exists(L"PkwKitTest.KitThing"));
    EXPECT_FALSE(exists(L"PkwKitTest.KitThing.3"));
    EXPECT_FALSE(exists(L"TypeLib\\" + text(LIBID_KitTestLib)));
}

TEST_F(KitRegistrationTest, AnotherProgramsCategoryOfTheClassStays) {
    ASSERT_EQ(com::registerServer(kServer, com::Scope::User), S_OK);
    const std::wstring theirs = category_ + L"\\{0D2E5F1A-7C44-4B0E-9A55-3E1F00C0FFEE}";
    ASSERT_EQ(com::writeRegistryString(root_.get(), theirs, L"", std::nullopt), S_OK);
    ASSERT_EQ(com::unregisterServer(kServer, com::Scope::User), S_OK);
    EXPECT_TRUE(exists(theirs));
    EXPECT_FALSE(exists(category_ + L"\\{40FC6ED4-2438-11CF-A3DB-080036F12502}"));
    EXPECT_FALSE(exists(clsid_ + L"\\Control"));
    EXPECT_FALSE(exists(clsid_ + L"\\MiscStatus"));
}

} // namespace
} // namespace pkw::test
