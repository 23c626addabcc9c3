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
    : owner_(owner), cls_(owner.controlClass()), tpp_(units::screenTwipsPerPixel()),
      window_(windowClassName(cls_).c_str(), units::pixelsFromHimetric(kInitialExtent, tpp_),
              *this),
      extent_(kInitialExtent), lastClient_(window_.clientSize()),
      eventPoint_(cls_.eventInterface ? *cls_.eventInterface : IID_NULL, *this),
      propertyPoint_(IID_IPropertyNotifySink, *this) {
    applyColors();
}

OleControlImpl::~OleControlImpl() {
    window_.mute();
    releaseSelectedFont();
}

HRESULT OleControlImpl::query(REFIID riid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    void* p = nullptr;
    if (riid == IID_IOleObject) {
        p = static_cast<IOleObject*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceObject) {
        p = static_cast<IOleInPlaceObject*>(this);
    } else if (riid == IID_IOleInPlaceActiveObject) {
        p = static_cast<IOleInPlaceActiveObject*>(this);
    } else if (riid == IID_IOleControl) {
        p = static_cast<IOleControl*>(this);
    } else if (riid == IID_IViewObject || riid == IID_IViewObject2) {
        p = static_cast<IViewObject2*>(this);
    } else if (riid == IID_IPersist || riid == IID_IPersistStreamInit ||
               riid == IID_IPersistStream) {
        // IPersistStreamInit begins with IPersistStream's methods, in the
        // same order: callers that want the older interface (OleSaveToStream)
        // are served by it.
        p = static_cast<IPersistStreamInit*>(this);
    } else if (riid == IID_IPersistPropertyBag) {
        p = static_cast<IPersistPropertyBag*>(this);
    } else if (riid == IID_IConnectionPointContainer) {
        p = static_cast<IConnectionPointContainer*>(this);
    } else if (riid == IID_IProvideClassInfo || riid == IID_IProvideClassInfo2) {
        p = static_cast<IProvideClassInfo2*>(this);
    } else if (riid == IID_ISpecifyPropertyPages) {
        p = static_cast<ISpecifyPropertyPages*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
        p = static_cast<ISupportErrorInfo*>(this);
    }
    *ppv = p;
    if (!p) return E_NOINTERFACE;
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
