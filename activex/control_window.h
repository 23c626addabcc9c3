// The control's own child window: created hidden in the thread's parking
// window, moved into the container's window while the control is in place,
// and turned from messages into reports to a listener (the control object).
// Mouse capture lives here: any button down captures the mouse until every
// button is up again, so the control sees the release outside its window.
#pragma once

#include "activex/window_class.h"
#include "common/win/unique_handle.h"

#include <windows.h>

namespace pkw::ax {

// What the window reports. Calls arrive on the window's thread and must
// not throw.
class WindowListener {
public:
    // Bracket every message: the control stays alive while a message is
    // handled, even if a handler releases its last reference.
    virtual void windowEnter() noexcept = 0;
    virtual void windowLeave() noexcept = 0;

    virtual void windowPaint() noexcept = 0; // between BeginPaint and EndPaint
    virtual bool windowEraseBackground(HDC hdc) noexcept = 0;
    virtual bool windowSetCursor() noexcept = 0; // true when it set one
    virtual void windowKeyDown(short keyCode, short shift) noexcept = 0;
    virtual void windowKeyPress(short keyAscii) noexcept = 0;
    virtual void windowKeyUp(short keyCode, short shift) noexcept = 0;
    virtual void windowButtonDown() noexcept = 0; // any button, double clicks too
    virtual void windowDoubleClick() noexcept = 0;
    virtual void windowFocus(bool gained) noexcept = 0;
    virtual void windowVisible(bool visible) noexcept = 0;
    virtual void windowSized(SIZE client) noexcept = 0;

protected:
    ~WindowListener() = default;
};

class ControlWindow {
public:
    // `className` names the window class (one per control class).
    ControlWindow(const wchar_t* className, SIZE size, WindowListener& listener) noexcept;
    ~ControlWindow();
    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    HWND hwnd() const noexcept { return window_.get(); }
    HDC hdc() const noexcept { return hdc_; }
    SIZE clientSize() const noexcept;

    // Stops the reports (the object behind the window is going away).
    void mute() noexcept;
    // Destroys the window now (muted first).
    void destroy() noexcept;
    // Shows the window in `parent` at `rect` (the parent's client coordinates).
    void place(HWND parent, const RECT& rect) noexcept;
    // Hides the window and puts it back into the parking window.
    void park() noexcept;
    void resize(SIZE size) noexcept;
    void move(const RECT& rect) noexcept;

    // VB-style shift mask of the keyboard now: 1 Shift, 2 Ctrl, 4 Alt.
    static short shiftState() noexcept;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT handle(WindowListener& listener, UINT msg, WPARAM wParam, LPARAM lParam);

    window_class::Lease class_;
    window_class::ParkingLease parking_;
    UniqueWindow window_;
    HDC hdc_ = nullptr;
    WindowListener* listener_ = nullptr;
};

} // namespace pkw::ax
