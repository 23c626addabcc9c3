// Owning wrappers for Win32 handles.
//
//   UniqueHandle<T, Close>  owns one handle and closes it once
//   UniqueGdiObject<T>      any HGDIOBJ kind (bitmap, font, brush, pen, region)
//   UniqueMemoryDc          a DC from CreateCompatibleDC / CreateDC
//   WindowDc                GetDC / ReleaseDC
//   SelectedObject          SelectObject, restored on scope exit
//   UniqueHmodule           LoadLibrary / FreeLibrary
//   UniqueWindow            CreateWindow / DestroyWindow
#pragma once

#include <windows.h>

#include <utility>

namespace pkw {

template <typename T, auto Close>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T handle) noexcept : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueHandle() { reset(); }

    T get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != T{}; }

    void reset(T handle = T{}) noexcept {
        if (handle_ != T{}) Close(handle_);
        handle_ = handle;
    }
    [[nodiscard]] T release() noexcept { return std::exchange(handle_, T{}); }

private:
    T handle_{};
};

template <typename T>
using UniqueGdiObject = UniqueHandle<T, &::DeleteObject>;
using UniqueBitmap = UniqueGdiObject<HBITMAP>;
using UniqueFont = UniqueGdiObject<HFONT>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniquePen = UniqueGdiObject<HPEN>;
using UniqueRegion = UniqueGdiObject<HRGN>;
using UniqueMemoryDc = UniqueHandle<HDC, &::DeleteDC>;
using UniqueHmodule = UniqueHandle<HMODULE, &::FreeLibrary>;
using UniqueWindow = UniqueHandle<HWND, &::DestroyWindow>;
using UniqueIcon = UniqueHandle<HICON, &::DestroyIcon>;

// A window's DC for the length of a scope.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(::GetDC(hwnd)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() {
        if (hdc_) ::ReleaseDC(hwnd_, hdc_);
    }
    HDC get() const noexcept { return hdc_; }
    explicit operator bool() const noexcept { return hdc_ != nullptr; }

private:
    HWND hwnd_;
    HDC hdc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) noexcept : hwnd_(hwnd), hdc_(::BeginPaint(hwnd, &ps_)) {}
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
    HDC get() const noexcept { return hdc_; }
    const RECT& area() const noexcept { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC hdc_;
};

// Selects an object into a DC and puts the previous one back on scope exit.
class SelectedObject {
public:
    SelectedObject(HDC hdc, HGDIOBJ object) noexcept
        : hdc_(hdc), old_(object ? ::SelectObject(hdc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(hdc_, old_);
    }

private:
    HDC hdc_;
    HGDIOBJ old_;
};

} // namespace pkw
