// COM identity from an interface map: one IUnknown whichever interface is
// asked, every listed interface reachable from every other, IDispatch
// along the path the map names; reference and module counts; the one class
// factory.
#include "common/com/server/class_factory.h"
#include "test_classes.h"

#include <gtest/gtest.h>

namespace pkw::test {
namespace {

// IIDs a Thing answers, and the interface pointer each must give.
template <class I>
void* pointerOf(Thing* thing) {
    return static_cast<I*>(thing);
}

TEST(ComObjectTest, EveryInterfaceLeadsToTheSameIdentityAndToEveryOther) {
    const auto thing = make<Thing>();
    const IID* listed[] = {&IID_IUnknown, &IID_IDispatch, &IID_IKitThing, &IID_IKitOther,
                           &IID_IConnectionPointContainer};
    ComPtr<IUnknown> identity;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&identity)), S_OK);
    for (const IID* from : listed) {
        ComPtr<IUnknown> start;
        ASSERT_EQ(thing->QueryInterface(*from, reinterpret_cast<void**>(start.GetAddressOf())),
                  S_OK);
        ComPtr<IUnknown> back;
        ASSERT_EQ(start->QueryInterface(IID_PPV_ARGS(&back)), S_OK);
        EXPECT_EQ(back.Get(), identity.Get()) << "identity from interface " << (from - listed[0]);
        for (const IID* to : listed) {
            ComPtr<IUnknown> reached;
            EXPECT_EQ(start->QueryInterface(*to, reinterpret_cast<void**>(reached.GetAddressOf())),
                      S_OK);
        }
    }
    // The identity is the first interface of the map; IDispatch is the one
    // the map names, not the other dual's.
    EXPECT_EQ(static_cast<void*>(identity.Get()), pointerOf<IKitThing>(thing.Get()));
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&dispatch)), S_OK);
    EXPECT_EQ(dispatch.Get(), static_cast<IDispatch*>(static_cast<IKitThing*>(thing.Get())));
    ComPtr<IKitOther> other;
    ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&other)), S_OK);
    EXPECT_EQ(static_cast<void*>(other.Get()), pointerOf<IKitOther>(thing.Get()));
}

TEST(ComObjectTest, AnInterfaceNotInTheMapIsRefused) {
    const auto thing = make<Thing>();
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(thing->QueryInterface(IID_IPersist, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(thing->QueryInterface(IID_IUnknown, nullptr), E_POINTER);
}

TEST(ComObjectTest, TheObjectAndTheModuleLiveWhileReferencesDo) {
    const LONG before = module::lockCount();
    const int aliveBefore = Thing::alive;
    ComPtr<IKitOther> other;
    {
        const auto thing = make<Thing>();
        EXPECT_EQ(module::lockCount(), before + 1);
        ASSERT_EQ(thing->QueryInterface(IID_PPV_ARGS(&other)), S_OK);
    }
    EXPECT_EQ(Thing::alive, aliveBefore + 1) << "released with a reference left";
    other.Reset();
    EXPECT_EQ(Thing::alive, aliveBefore);
    EXPECT_EQ(module::lockCount(), before);
}

class FailsToStart : public IPersist {
public:
    using Interfaces = com::InterfaceMap<IPersist>;
    static inline int alive = 0;
    FailsToStart() noexcept { ++alive; }
    ~FailsToStart() { --alive; }
    HRESULT initialize() noexcept { return E_ABORT; }
    STDMETHODIMP GetClassID(CLSID*) noexcept override { return E_NOTIMPL; }
};

TEST(ComObjectTest, AFailedInitializeIsReportedAndLeavesNothingAlive) {
    ComPtr<IPersist> object;
    EXPECT_EQ(com::createObject<FailsToStart>(IID_PPV_ARGS(&object)), E_ABORT);
    EXPECT_FALSE(object);
    EXPECT_EQ(FailsToStart::alive, 0);
    // An interface the class lacks: no object either.
    ComPtr<IKitThing> wrong;
    EXPECT_EQ(com::createObject<Secret>(IID_PPV_ARGS(&wrong)), E_NOINTERFACE);
}

const com::ClassEntry kThingClass{&CLSID_KitThing, L"KitThing", &com::createObject<Thing>};
const com::ClassEntry kSecretClass{&CLSID_KitSecret, L"KitSecret", &com::createObject<Secret>,
                                   com::Registration::None};
const com::ClassEntry* const kClasses[] = {&kThingClass, &kSecretClass};
const com::Server kServer{L"PkwKitTest", kClasses};

TEST(ClassFactoryTest, ServesEveryClassOfTheTableRegisteredOrNot) {
    for (const com::ClassEntry* cls : kClasses) {
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(com::getClassObject(kServer, *cls->clsid, IID_PPV_ARGS(&factory)), S_OK);
        ComPtr<IDispatch> object;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_PPV_ARGS(&object)), S_OK);
        ComPtr<IUnknown> aggregated;
        EXPECT_EQ(factory->CreateInstance(object.Get(), IID_PPV_ARGS(&aggregated)),
                  CLASS_E_NOAGGREGATION);
        EXPECT_FALSE(aggregated);
    }
    ComPtr<IClassFactory> none;
    EXPECT_EQ(com::getClassObject(kServer, IID_IKitThing, IID_PPV_ARGS(&none)),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(com::getClassObject(kServer, CLSID_KitThing, IID_IClassFactory, nullptr), E_POINTER);
}

} // namespace
} // namespace pkw::test
