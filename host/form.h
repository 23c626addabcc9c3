// Form: a top-level window that hosts ActiveX controls as a real in-process
// OLE container does. One Site per control (client site, in-place site,
// control site, ambient properties, extender, recorders); the form itself
// is the in-place frame and the IOleContainer of its controls, and offers
// a late-bound object with a Controls collection as the extenders' Parent.
//
//   Form form;                                  // shown at once
//   auto site = form.add(control, L"Check1", {10, 10, 130, 34});
//   site->events().on(L"Click", ...);  form.setUserMode(false);
//   form.remove(*site);                         // or let ~Form remove all
//
// Keyboard messages of the thread's loop (message_loop.h) reach the
// UI-active control's IOleInPlaceActiveObject::TranslateAccelerator first,
// then the access keys (IOleControl::OnMnemonic) of every control.
#pragma once

#include "common/win/unique_handle.h"
#include "host/ambients.h"
#include "host/com_object.h"
#include "host/message_loop.h"
#include "host/site.h"

#include <oleidl.h>

#include <string>
#include <string_view>
#include <vector>

namespace pkw::host {

class Frame;
class FormDispatch;

class Form : private MessageFilter {
public:
    struct Options {
        std::wstring name = L"Form1";
        std::wstring caption = L"Form1";
        POINT position{40, 40}; // screen, top-left of the window
        SIZE clientSize{480, 320};
        bool show = true;
    };

    // What kind of host the form plays: real hosts differ, and controls must
    // cope with the poorer ones.
    struct Behaviour {
        bool ambientDispatch = true;     // the site answers IDispatch (ambients)
        bool extender = true;            // GetExtendedControl gives the extender
        bool extenderParent = true;      // the extender has a Parent member
        bool enumObjects = true;         // IOleContainer::EnumObjects works
        bool plainKeyMnemonics = false;  // keys without Alt also reach OnMnemonic
        bool honourPosRectChange = true; // OnPosRectChange moves the control as asked
    };

    Form();
    explicit Form(Options options);
    ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    HWND hwnd() const noexcept { return window_.get(); }
    const std::wstring& name() const noexcept { return options_.name; }
    Behaviour& behaviour() noexcept { return behaviour_; }
    const Behaviour& behaviour() const noexcept { return behaviour_; }

    // --- Controls ----------------------------------------------------------
    // Sites the control and activates it (see AddOptions); null on failure,
    // with the reason in *hr.
    ComPtr<Site> add(IUnknown* control, std::wstring name, const RECT& pixels,
                     const AddOptions& options = {}, HRESULT* hr = nullptr);
    ComPtr<Site> add(REFCLSID clsid, std::wstring name, const RECT& pixels,
                     const AddOptions& options = {}, HRESULT* hr = nullptr);
    ComPtr<Site> add(const wchar_t* progId, std::wstring name, const RECT& pixels,
                     const AddOptions& options = {}, HRESULT* hr = nullptr);
    // Deactivates, closes and lets go of the control. Safe from inside the
    // control's own event.
    HRESULT remove(Site& site);
    void removeAll();
    std::vector<ComPtr<Site>> sites() const { return sites_; }
    Site* site(std::wstring_view name) const;
    std::size_t count() const noexcept { return sites_.size(); }

    // --- Ambient properties (each change is sent to every control) ----------
    const Ambients& ambients() const noexcept { return ambients_; }
    void setUserMode(bool userMode);
    void setAmbientFont(IFontDisp* font);
    void setAmbient(DISPID id, const VARIANT& value); // an override
    void removeAmbient(DISPID id);                    // the form no longer knows it
    void notifyAmbientChange(DISPID id);

    // --- Focus and keys ------------------------------------------------------
    // UI-activates the control and gives its window the focus.
    HRESULT focus(Site& site);
    Site* uiActiveSite() const noexcept { return uiActive_; }
    Site* focusedSite() const noexcept { return focused_; }
    IOleInPlaceActiveObject* activeObject() const noexcept { return activeObject_.Get(); }
    // Routes Alt+key (or the key alone) as a container does: the first
    // control whose accelerators match gets OnMnemonic. The handling site,
    // or null.
    Site* mnemonic(wchar_t key, bool alt = true);

    // --- Window --------------------------------------------------------------
    void show();
    void hide();
    bool closed() const noexcept { return closed_; } // the user closed it
    // Paints everything now (form and controls) and handles what follows.
    void repaint();
    RECT clientRect() const;

    // --- For the container's own objects -------------------------------------
    IOleInPlaceFrame* frame() const noexcept;
    IOleContainer* container() const noexcept;
    IDispatch* dispatch() const noexcept; // the form as the extenders' Parent
    void setActiveObject(IOleInPlaceActiveObject* object);
    void onUIActivate(Site& site);
    void onUIDeactivate(Site& site);
    void onFocus(Site& site, bool gotFocus);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool preTranslate(MSG& msg) override;
    bool owns(HWND hwnd) const;
    void paintBackground(HWND hwnd, HDC dc) const;

    Options options_;
    Behaviour behaviour_;
    Ambients ambients_;
    UniqueWindow window_;
    bool closed_ = false;
    ComPtr<Frame> frame_;
    ComPtr<FormDispatch> dispatch_;
    std::vector<ComPtr<Site>> sites_;
    Site* uiActive_ = nullptr;
    Site* focused_ = nullptr;
    ComPtr<IOleInPlaceActiveObject> activeObject_;
};

} // namespace pkw::host
