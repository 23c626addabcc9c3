#include "pages/page_controls.h"

#include "activex/event_sink.h"
#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "common/com/server/class_entry.h"
#include "common/com/server/type_library.h"
#include "pages/page_frame.h"

#include <ocidl.h>

#include <new>
#include <string>
#include <utility>

namespace pkw::pages {

using Microsoft::WRL::ComPtr;
namespace units = ax::units;

struct PageControls::Placed {
    std::wstring name;
    ComPtr<com::ComObject<ControlSite>> site;
    ComPtr<IOleObject> object;
    ComPtr<IOleInPlaceObject> inPlace;
    ComPtr<IDispatch> dispatch;
    ComPtr<ax::DispatchEventSink> sink;
    ax::Connection events;

    Placed() = default;
    Placed(const Placed&) = delete;
    Placed& operator=(const Placed&) = delete;
    // The container's order: no more events, out of place, closed, unsited.
    ~Placed() {
        if (sink) sink->disconnect();
        events.reset();
        if (inPlace) ignore(inPlace->InPlaceDeactivate());
        if (object) {
            ignore(object->Close(OLECLOSE_NOSAVE));
            ignore(object->SetClientSite(nullptr));
        }
        if (site) site->orphan();
    }
};

namespace {

// The name of event `id` of the control's event interface `events`.
std::wstring EventName(ITypeInfo* events, DISPID id) {
    if (!events) return {};
    Bstr name;
    UINT count = 0;
    if (FAILED(events->GetNames(id, name.put(), 1, &count)) || count == 0) return {};
    return name.str();
}

HRESULT InitNew(IUnknown* control) {
    ComPtr<IPersistStreamInit> stream;
    if (SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&stream)))) return stream->InitNew();
    ComPtr<IPersistPropertyBag> bag;
    PKW_RETURN_IF_FAILED(control->QueryInterface(IID_PPV_ARGS(&bag)));
    return bag->InitNew();
}

SIZEL HimetricOf(const RECT& twips) noexcept {
    return {units::himetricFromTwips(twips.right - twips.left),
            units::himetricFromTwips(twips.bottom - twips.top)};
}

// Makes the frame's dialog keys (Tab, Shift+Tab) reach the control, after
// the controls added before it: its own tab stops (the text box's edit
// window) when it has child windows, else the control's window itself.
void JoinTabOrder(HWND window) noexcept {
    if (::GetWindow(window, GW_CHILD))
        ::SetWindowLongPtrW(window, GWL_EXSTYLE,
                            ::GetWindowLongPtrW(window, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    else
        ::SetWindowLongPtrW(window, GWL_STYLE, ::GetWindowLongPtrW(window, GWL_STYLE) | WS_TABSTOP);
    ::SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

} // namespace

HRESULT PageControls::connectEvents(Placed& placed, IUnknown* control) const {
    ComPtr<IProvideClassInfo2> info;
    PKW_RETURN_IF_FAILED(control->QueryInterface(IID_PPV_ARGS(&info)));
    IID iid{};
    PKW_RETURN_IF_FAILED(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &iid));
    ComPtr<ITypeInfo> names;
    ignore(com::typeInfoOf(iid, &names));
    // The sink keeps copies: an event may come while the page lets go.
    placed.sink = ax::DispatchEventSink::Create(
        iid, [name = placed.name, names, handler = onEvent_](DISPID id, DISPPARAMS*) {
            try {
                const std::wstring event = EventName(names.Get(), id);
                if (handler && !event.empty()) handler(name, event);
            } catch (...) {
            }
            return S_OK;
        });
    PKW_RETURN_HR_IF_NULL(E_OUTOFMEMORY, placed.sink);
    return placed.events.connect(control, iid, placed.sink.Get());
}

PageControls::PageControls(EventHandler onEvent)
    : onEvent_(std::move(onEvent)), tpp_(units::screenTwipsPerPixel()) {}

PageControls::~PageControls() {
    clear();
}

RECT PageControls::pixelsOf(const RECT& twips) const noexcept {
    const LONG left = units::pixelsFromTwips(twips.left, tpp_.x);
    const LONG top = units::pixelsFromTwips(twips.top, tpp_.y);
    return {left, top, left + units::pixelsFromTwips(twips.right - twips.left, tpp_.x),
            top + units::pixelsFromTwips(twips.bottom - twips.top, tpp_.y)};
}

HRESULT PageControls::add(HWND page, REFCLSID clsid, const wchar_t* name,
                          const RECT& twips) noexcept {
    if (!page || !name) return E_INVALIDARG;
    const com::ClassEntry* entry = com::findClass(com::thisServer(), clsid);
    if (!entry) return REGDB_E_CLASSNOTREG;
    try {
        if (!frame_) frame_ = Adopt<PageFrame>(new com::ComObject<PageFrame>(page));
        auto placed = std::make_unique<Placed>();
        placed->name = name;
        const RECT pixels = pixelsOf(twips);
        placed->site =
            Adopt(new com::ComObject<ControlSite>(frame_.Get(), &ambients_, name, pixels));

        ComPtr<IUnknown> control;
        PKW_RETURN_IF_FAILED(entry->create(IID_IUnknown, &control));
        PKW_RETURN_IF_FAILED(control.As(&placed->object));
        PKW_RETURN_IF_FAILED(control.As(&placed->dispatch));
        PKW_RETURN_IF_FAILED(placed->object->SetClientSite(placed->site.Get()));
        // A control without events still serves the page.
        ignore(connectEvents(*placed, control.Get()));
        PKW_RETURN_IF_FAILED(InitNew(control.Get()));
        SIZEL extent = HimetricOf(twips);
        PKW_RETURN_IF_FAILED(placed->object->SetExtent(DVASPECT_CONTENT, &extent));
        PKW_RETURN_IF_FAILED(placed->object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr,
                                                    placed->site.Get(), 0, page, &pixels));
        PKW_RETURN_IF_FAILED(control.As(&placed->inPlace));
        placed->site->serve(placed->inPlace.Get());
        HWND window = nullptr;
        if (SUCCEEDED(placed->inPlace->GetWindow(&window)) && window) JoinTabOrder(window);
        placed_.push_back(std::move(placed));
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

PageControls::Placed* PageControls::find(std::wstring_view name) const noexcept {
    for (const auto& placed : placed_)
        if (placed->name == name) return placed.get();
    return nullptr;
}

IDispatch* PageControls::control(std::wstring_view name) const noexcept {
    const Placed* placed = find(name);
    return placed ? placed->dispatch.Get() : nullptr;
}

HRESULT PageControls::place(std::wstring_view name, const RECT& twips) noexcept {
    Placed* placed = find(name);
    if (!placed || !placed->inPlace) return E_INVALIDARG;
    SIZEL extent = HimetricOf(twips);
    PKW_RETURN_IF_FAILED(placed->object->SetExtent(DVASPECT_CONTENT, &extent));
    const RECT pixels = pixelsOf(twips);
    placed->site->setRect(pixels);
    HWND page = nullptr;
    RECT clip{};
    if (SUCCEEDED(placed->site->GetWindow(&page))) ::GetClientRect(page, &clip);
    return placed->inPlace->SetObjectRects(&pixels, &clip);
}

IOleInPlaceActiveObject* PageControls::activeObject() const noexcept {
    return frame_ ? frame_->activeObject() : nullptr;
}

void PageControls::clear() noexcept {
    // The frame first: the object it keeps active holds a control.
    if (frame_) frame_->orphan();
    // Last added first, as they were stacked.
    while (!placed_.empty())
        placed_.pop_back();
    frame_.Reset();
}

} // namespace pkw::pages
