// COM identity for the project's classes, written once.
//
//   InterfaceMap<...>   the interfaces a class answers, as a table; the first
//                       is its identity
//   As<I, Via>          a map entry for I reached through its base Via, for an
//                       interface that is a base along more than one path
//   SameVtable<I, Via>  a map entry for I served by a layout-compatible Via
//   ComObject<Impl>     IUnknown over Impl: reference count, QueryInterface from
//                       Impl::Interfaces, the module held while it lives
//   createObject<Impl>  a new object (optional Impl::initialize()), queried
//   queryInterface<Map> QueryInterface for an object that counts its references
//                       elsewhere (a member of another object)
//
// No aggregation and no tear-offs: every interface is a base class of the
// object, so the identity rules hold by construction.
#pragma once

#include "common/com/com_ptr.h"
#include "common/com/module.h"

#include <unknwn.h>
#include <windows.h>

#include <concepts>
#include <new>
#include <type_traits>
#include <utility>

namespace pkw::com {

template <class I, class Via = I>
struct As {
    static_assert(std::is_base_of_v<IUnknown, I>, "an interface map lists interfaces");
    static_assert(std::is_base_of_v<I, Via>, "Via must derive from the interface");
    using Interface = I;
    template <class T>
    static void* cast(T* self) noexcept {
        return static_cast<I*>(static_cast<Via*>(self));
    }
};

// A map entry for I answered by the base Via, whose vtable starts with I's
// methods in I's order without deriving from I (IPersistStreamInit serves
// callers of IPersistStream).
template <class I, class Via>
struct SameVtable {
    static_assert(std::is_base_of_v<IUnknown, I> && std::is_base_of_v<IUnknown, Via>);
    using Interface = I;
    template <class T>
    static void* cast(T* self) noexcept {
        return static_cast<Via*>(self);
    }
};

namespace detail {

template <class E>
struct EntryOf {
    using type = As<E>;
};
template <class I, class Via>
struct EntryOf<As<I, Via>> {
    using type = As<I, Via>;
};
template <class I, class Via>
struct EntryOf<SameVtable<I, Via>> {
    using type = SameVtable<I, Via>;
};

} // namespace detail

template <class T>
struct InterfaceRow {
    const IID* iid;
    void* (*cast)(T*) noexcept;
};

template <class... Entries>
struct InterfaceMap {
    static_assert(sizeof...(Entries) > 0, "a class answers at least one interface");

    template <class T>
    static constexpr InterfaceRow<T> rows[] = {
        {&__uuidof(typename detail::EntryOf<Entries>::type::Interface),
         &detail::EntryOf<Entries>::type::template cast<T>}...};

    // The interface of the table with this IID (IUnknown is not in the
    // table: see identity), or null.
    template <class T>
    static void* find(T* self, REFIID iid) noexcept {
        for (const InterfaceRow<T>& row : rows<T>)
            if (*row.iid == iid) return row.cast(self);
        return nullptr;
    }
    // The one IUnknown of the object, whichever interface it is asked from.
    template <class T>
    static void* identity(T* self) noexcept {
        return rows<T>[0].cast(self);
    }
};

template <class Map, class T>
HRESULT queryInterface(T* self, REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    void* found =
        iid == IID_IUnknown ? Map::template identity<T>(self) : Map::template find<T>(self, iid);
    *ppv = found;
    if (!found) return E_NOINTERFACE;
    // Every interface starts with IUnknown's slots.
    static_cast<IUnknown*>(found)->AddRef();
    return S_OK;
}

template <class Impl>
class ComObject final : public Impl {
public:
    template <class... Args>
    explicit ComObject(Args&&... args) : Impl(std::forward<Args>(args)...) {}

    STDMETHODIMP QueryInterface(REFIID iid, void** ppv) noexcept override {
        return queryInterface<typename Impl::Interfaces, Impl>(this, iid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() noexcept override { return ::InterlockedIncrement(&refs_); }
    STDMETHODIMP_(ULONG) Release() noexcept override {
        const LONG left = ::InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    LONG refs_ = 1;
    module::ObjectLock moduleLock_;
};

template <class Impl>
concept HasInitialize = requires(Impl& impl) {
    { impl.initialize() } -> std::same_as<HRESULT>;
};

// Usable as a ClassEntry's Creator: &createObject<Impl>.
template <class Impl, class... Args>
HRESULT createObject(REFIID iid, void** ppv, Args&&... args) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    Microsoft::WRL::ComPtr<ComObject<Impl>> object;
    try {
        object = Adopt(new ComObject<Impl>(std::forward<Args>(args)...));
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
    if constexpr (HasInitialize<Impl>) {
        const HRESULT hr = object->initialize();
        if (FAILED(hr)) return hr;
    }
    return object->QueryInterface(iid, ppv);
}

} // namespace pkw::com
