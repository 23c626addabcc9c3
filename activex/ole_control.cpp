// Identity, reference count and lifecycle of a control.
#include "activex/ole_control.h"

#include "activex/ole_control_impl.h"

namespace pkw::ax {
namespace {

// Until the container says otherwise: one inch by a quarter inch.
constexpr SIZEL kInitialExtent{2540, 635};

std::wstring windowClassName(const ControlClass& cls) {
    return std::wstring(L"PkwAx.") + (cls.className ? cls.className : L"Control");
}

} // namespace

OleControlImpl::OleControlImpl(OleControl& owner)
    : owner_(owner), cls_(owner.controlClass()), typeInfo_(cls_.defaultInterface),
      tpp_(units::screenTwipsPerPixel()),
      window_(windowClassName(cls_).c_str(), units::pixelsFromHimetric(kInitialExtent, tpp_),
              *this),
      extent_(kInitialExtent), lastClient_(window_.clientSize()),
      eventPoint_(*this, cls_.eventInterface ? *cls_.eventInterface : IID_NULL,
                  com::SinkKind::Dispatch),
      propertyPoint_(*this, IID_IPropertyNotifySink, com::SinkKind::Interface) {
    applyColors();
}

OleControlImpl::~OleControlImpl() {
    window_.mute();
    releaseSelectedFont();
}

HRESULT OleControlImpl::query(REFIID riid, void** ppv) noexcept {
    // IPersistStreamInit begins with IPersistStream's methods, in the same
    // order: callers that want the older interface (OleSaveToStream) are
    // served by it. IUnknown is the derived control's dual interface.
    using Map =
        com::InterfaceMap<IOleObject, com::As<IOleWindow, IOleInPlaceObject>, IOleInPlaceObject,
                          IOleInPlaceActiveObject, IOleControl, IViewObject, IViewObject2,
                          com::As<IPersist, IPersistStreamInit>, IPersistStreamInit,
                          com::SameVtable<IPersistStream, IPersistStreamInit>, IPersistPropertyBag,
                          IConnectionPointContainer, IProvideClassInfo, IProvideClassInfo2,
                          ISpecifyPropertyPages, ISupportErrorInfo>;
    if (!ppv) return E_POINTER;
    *ppv = Map::find(this, riid);
    if (!*ppv) return E_NOINTERFACE;
    addRef();
    return S_OK;
}

ULONG OleControlImpl::addRef() noexcept {
    return ::InterlockedIncrement(&refs_);
}

ULONG OleControlImpl::release() noexcept {
    const LONG left = ::InterlockedDecrement(&refs_);
    if (left > 0) return left;
    if (!terminating_) {
        // One reference is held while the control says goodbye, so that
        // AddRef/Release pairs inside onTerminate never come back here.
        refs_ = 1;
        terminating_ = true;
        if (initialized_)
            guarded([this] {
                owner_.onTerminate();
                return S_OK;
            });
        shutdown();
        const LONG kept = ::InterlockedDecrement(&refs_);
        // A reference taken in onTerminate and kept: the control lives on,
        // terminated, until that one goes too.
        if (kept > 0) return kept;
    }
    delete &owner_; // this object goes with it
    return 0;
}

HRESULT OleControlImpl::initialize() noexcept {
    if (initialized_ || terminating_) return S_OK;
    initialized_ = true;
    return guarded([this] {
        owner_.onInitialize();
        return S_OK;
    });
}

void OleControlImpl::shutdown() noexcept {
    // The window goes while the derived control still exists: a window
    // procedure chained in front of ours may still call into it.
    window_.mute();
    releaseSelectedFont();
    window_.destroy();
    eventPoint_.clear();
    propertyPoint_.clear();
    viewSink_.Reset();
    adviseHolder_.Reset();
    inPlaceActive_ = false;
    uiActive_ = false;
    dropSite();
    surface_.font.Reset();
    surface_.mouseIcon.Reset();
    accel_.reset();
}

STDMETHODIMP OleControlImpl::QueryInterface(REFIID riid, void** ppv) {
    return owner_.identity()->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) OleControlImpl::AddRef() {
    return addRef();
}
STDMETHODIMP_(ULONG) OleControlImpl::Release() {
    return release();
}

// --- OleControl ---------------------------------------------------------------

OleControl::OleControl(const ControlClass& cls)
    : cls_(cls), impl_(std::make_unique<OleControlImpl>(*this)) {}

OleControl::~OleControl() = default;

ULONG OleControl::addRef() noexcept {
    return impl_->addRef();
}
ULONG OleControl::release() noexcept {
    return impl_->release();
}

HRESULT OleControl::queryOleInterface(REFIID riid, void** ppv) noexcept {
    return impl_->query(riid, ppv);
}

IUnknown* OleControl::identity() noexcept {
    return dispatch();
}

HRESULT OleControl::initialize() noexcept {
    return impl_->initialize();
}

bool OleControl::isTerminating() const noexcept {
    return impl_->terminating();
}

} // namespace pkw::ax
