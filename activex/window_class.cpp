#include "activex/window_class.h"

#include "common/com/module.h"

#include <map>
#include <mutex>
#include <new>
#include <system_error>

namespace pkw::ax::window_class {
namespace {

constexpr const wchar_t* kParkingClass = L"PkwAx.Parking";

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}

std::map<std::wstring, int>& registry() {
    static std::map<std::wstring, int> users;
    return users;
}

bool acquireClass(const std::wstring& name, WNDPROC proc, UINT style) {
    try {
        std::lock_guard lock(registryMutex());
        int& users = registry()[name];
        if (users == 0) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof(wc);
            wc.style = style;
            wc.lpfnWndProc = proc;
            wc.hInstance = module::handle();
            wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
            wc.lpszClassName = name.c_str();
            if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
                registry().erase(name);
                return false;
            }
        }
        ++users;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::system_error&) {
        return false;
    }
}

void releaseClass(const std::wstring& name) noexcept {
    try {
        std::lock_guard lock(registryMutex());
        const auto it = registry().find(name);
        if (it == registry().end()) return;
        if (--it->second == 0) {
            ::UnregisterClassW(name.c_str(), module::handle());
            registry().erase(it);
        }
    } catch (const std::system_error&) {
    }
}

// Plain values: the parking window goes away with its last user, so there
// is nothing for a thread-exit destructor to do.
thread_local HWND t_parking = nullptr;
thread_local int t_parkingUsers = 0;

} // namespace

Lease::Lease(std::wstring name, WNDPROC proc) noexcept : name_(std::move(name)) {
    valid_ = acquireClass(name_, proc, CS_OWNDC | CS_DBLCLKS);
}

Lease::~Lease() {
    if (valid_) releaseClass(name_);
}

ParkingLease::ParkingLease() noexcept {
    if (t_parkingUsers == 0) {
        if (!acquireClass(kParkingClass, ::DefWindowProcW, 0)) return;
        t_parking = ::CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kParkingClass, L"",
                                      WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, nullptr, nullptr,
                                      module::handle(), nullptr);
        if (!t_parking) {
            releaseClass(kParkingClass);
            return;
        }
    }
    ++t_parkingUsers;
    hwnd_ = t_parking;
}

ParkingLease::~ParkingLease() {
    if (!hwnd_) return;
    if (--t_parkingUsers == 0) {
        ::DestroyWindow(t_parking);
        t_parking = nullptr;
        releaseClass(kParkingClass);
    }
}

} // namespace pkw::ax::window_class
