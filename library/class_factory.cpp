#include "library/class_factory.h"

#include "activex/ole_control.h"
#include "common/com/module.h"

#include <new>

namespace pkw::library {
namespace {

class ClassFactory final : public IClassFactory {
public:
    explicit ClassFactory(const ax::ControlClass& cls) noexcept : cls_(cls) {}
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (::IsEqualIID(riid, IID_IUnknown) || ::IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&refs_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG n = ::InterlockedDecrement(&refs_);
        if (n == 0) delete this;
        return n;
    }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        ax::OleControl* control = nullptr;
        try {
            control = cls_.create();
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (...) {
            return E_FAIL;
        }
        if (!control) return E_OUTOFMEMORY;
        // The control starts with one reference; the caller's interface
        // holds the only one once it is handed out (dispatch() is virtual,
        // so the factory needs nothing of the plumbing but the vtable).
        IDispatch* object = control->dispatch();
        const HRESULT hr = object->QueryInterface(riid, ppv);
        object->Release();
        return hr;
    }

    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
        if (lock)
            module::lock();
        else
            module::unlock();
        return S_OK;
    }

private:
    ~ClassFactory() = default;

    const ax::ControlClass& cls_;
    LONG refs_ = 1;
    module::ObjectLock alive_;
};

} // namespace

HRESULT createClassFactory(const ax::ControlClass& cls, REFIID riid, void** ppv) noexcept {
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    auto* factory = new (std::nothrow) ClassFactory(cls);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(riid, ppv);
    factory->Release();
    return hr;
}

} // namespace pkw::library
