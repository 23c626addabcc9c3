#include "siblings/scls/connection_point.h"

#include "siblings/scls/com_object.h"

#include <olectl.h>

#include <algorithm>
#include <new>
#include <utility>

namespace pkw::scls {
namespace {

// One snapshot enumerator for both enumerator interfaces. Traits give the
// element kept (owning) and how it is handed out (AddRef'd copy).
template <class IEnum, class Traits>
class Enumerator : public IEnum {
public:
    using Item = typename Traits::Item;
    using Out = typename Traits::Out;

    Enumerator(std::vector<Item> items, size_t position) noexcept
        : items_(std::move(items)), position_(position) {}

    void* findInterface(REFIID iid) noexcept {
        return iid == IID_IUnknown || iid == __uuidof(IEnum) ? static_cast<IEnum*>(this) : nullptr;
    }

    STDMETHODIMP Next(ULONG count, Out* out, ULONG* fetched) noexcept override {
        if (fetched) *fetched = 0;
        if (!out) return E_POINTER;
        if (count > 1 && !fetched) return E_INVALIDARG;
        ULONG n = 0;
        for (; n < count && position_ < items_.size(); ++n, ++position_) {
            out[n] = Traits::handOut(items_[position_]);
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) noexcept override {
        const size_t left = items_.size() - position_;
        position_ += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() noexcept override {
        position_ = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnum** copy) noexcept override {
        if (!copy) return E_POINTER;
        *copy = nullptr;
        try {
            return createObject<Enumerator>(__uuidof(IEnum), reinterpret_cast<void**>(copy), items_,
                                            position_);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

private:
    std::vector<Item> items_;
    size_t position_;
};

struct ConnectionTraits {
    using Item = ConnectionPoint::Sink;
    using Out = CONNECTDATA;
    static CONNECTDATA handOut(const Item& item) noexcept {
        item.dispatch.Get()->AddRef();
        return CONNECTDATA{item.dispatch.Get(), item.cookie};
    }
};

struct PointTraits {
    using Item = ComPtr<IConnectionPoint>;
    using Out = IConnectionPoint*;
    static IConnectionPoint* handOut(const Item& item) noexcept {
        item.Get()->AddRef();
        return item.Get();
    }
};

using ConnectionsEnumerator = Enumerator<IEnumConnections, ConnectionTraits>;
using PointsEnumerator = Enumerator<IEnumConnectionPoints, PointTraits>;

} // namespace

std::vector<ConnectionPoint::Sink> ConnectionPoint::snapshot() const {
    return sinks_;
}

bool ConnectionPoint::isAdvised(DWORD cookie) const noexcept {
    return std::any_of(sinks_.begin(), sinks_.end(),
                       [cookie](const Sink& s) { return s.cookie == cookie; });
}

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *ppv = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) noexcept {
    if (!iid) return E_POINTER;
    *iid = events_;
    return S_OK;
}

STDMETHODIMP
ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** container) noexcept {
    if (!container) return E_POINTER;
    container_.AddRef();
    *container = &container_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // Events go out through IDispatch::Invoke; a sink may answer only to
    // IDispatch rather than to the event interface itself.
    ComPtr<IDispatch> dispatch;
    if (FAILED(sink->QueryInterface(events_, reinterpret_cast<void**>(dispatch.GetAddressOf()))) &&
        FAILED(sink->QueryInterface(IID_PPV_ARGS(&dispatch)))) {
        return CONNECT_E_CANNOTCONNECT;
    }
    try {
        sinks_.push_back(Sink{nextCookie_, std::move(dispatch)});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) noexcept {
    const auto it = std::find_if(sinks_.begin(), sinks_.end(),
                                 [cookie](const Sink& s) { return s.cookie == cookie; });
    if (it == sinks_.end()) return CONNECT_E_NOCONNECTION;
    // Released after the list is consistent again: the sink's Release may
    // call back into us.
    const ComPtr<IDispatch> released = std::move(it->dispatch);
    sinks_.erase(it);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** connections) noexcept {
    if (!connections) return E_POINTER;
    *connections = nullptr;
    try {
        return createObject<ConnectionsEnumerator>(
            IID_IEnumConnections, reinterpret_cast<void**>(connections), sinks_, size_t{0});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT createEnumConnectionPoints(std::vector<ComPtr<IConnectionPoint>> points,
                                   IEnumConnectionPoints** enumerator) {
    if (!enumerator) return E_POINTER;
    *enumerator = nullptr;
    return createObject<PointsEnumerator>(IID_IEnumConnectionPoints,
                                          reinterpret_cast<void**>(enumerator), std::move(points),
                                          size_t{0});
}

} // namespace pkw::scls
