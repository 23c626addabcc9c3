// zelGlobals40.dll as an in-process server: class objects, unload
// accounting, registration and its type library.
#include "globals_support.h"

#include <gtest/gtest.h>

namespace {

using namespace pkw::globals_test;

class GlobalsServer : public OleTest {};

constexpr bool k64 = sizeof(void*) == 8;

const pkw::test::ServerClass kClasses[] = {
    {&CLSID_EffectSet, &IID_IEffectSet, L"zelGlobals40.EffectSet"},
    {&CLSID_GradInfo, &IID_IGradInfo, L"zelGlobals40.GradInfo"},
    {&CLSID_ToolTip, &IID_IToolTip, L"zelGlobals40.ToolTip"},
};

// The embedded type library is this architecture's (record sizes and the
// platform field differ between the two).
TEST_F(GlobalsServer, EmbeddedTypeLibraryIsThisArchitectures) {
    ComPtr<ITypeLib> library;
    ASSERT_EQ(::LoadTypeLibEx(globalsDll().path().c_str(), REGKIND_NONE, &library), S_OK);
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->guid, LIBID_zelNuGlobals40Lib);
    EXPECT_EQ(attr->syskind, k64 ? SYS_WIN64 : SYS_WIN32);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    library->ReleaseTLibAttr(attr);
}

TEST_F(GlobalsServer, CanUnloadOnlyWithoutObjectsAndLocks) {
    ASSERT_EQ(canUnloadNow(), S_OK) << "an earlier test left an object alive";

    ComPtr<IEffectSet> set = create<IEffectSet>(CLSID_EffectSet);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ComPtr<IGradInfo> stops;
    ASSERT_EQ(set->get_HeaderGradInfo(&stops), S_OK);
    set.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the stop list outlives its set";
    stops.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(globalsDll().classFactory(CLSID_ToolTip, &factory), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    ASSERT_EQ(factory->LockServer(TRUE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "locked";
    ASSERT_EQ(globalsDll().classFactory(CLSID_ToolTip, &factory), S_OK);
    ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);

    // A tip with its connection point handed out and enumerated.
    ComPtr<IConnectionPointContainer> tip = create<IConnectionPointContainer>(CLSID_ToolTip);
    ComPtr<IEnumConnectionPoints> points;
    ASSERT_EQ(tip->EnumConnectionPoints(&points), S_OK);
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(points->Next(1, &point, nullptr), S_OK);
    tip.Reset();
    points.Reset();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the connection point holds its tip";
    point.Reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(GlobalsServer, ClassObjectsOnlyForItsClasses) {
    pkw::test::expectClassObjects(globalsDll(), kClasses);
}

TEST_F(GlobalsServer, RegistrationWritesItsEntriesAndRemovesOnlyThose) {
    pkw::test::expectRegistrationRoundTrip(globalsDll(), kClasses, LIBID_zelNuGlobals40Lib, 1,
                                           IID_IEffectSet, pkw::test::ForeignSubkeys::Kept);
}

} // namespace
