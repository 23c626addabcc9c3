// Window classes of this module and the per-thread parking window.
//
// A DLL's window classes outlive the DLL unless it unregisters them, and a
// later load at another address would then find a class whose procedure
// points nowhere. So each class is counted: registered by its first user,
// unregistered when its last user goes.
#pragma once

#include <windows.h>

#include <string>

namespace pkw::ax::window_class {

// One user of the class `name` (CS_OWNDC | CS_DBLCLKS, arrow cursor, no
// background brush, procedure `proc`) of this module.
class Lease {
public:
    Lease(std::wstring name, WNDPROC proc) noexcept;
    ~Lease();
    Lease(const Lease&) = delete;
    Lease& operator=(const Lease&) = delete;

    bool valid() const noexcept { return valid_; }
    const wchar_t* name() const noexcept { return name_.c_str(); }

private:
    std::wstring name_;
    bool valid_ = false;
};

// The calling thread's parking window: a hidden top-level window that holds
// the control windows no container shows. It exists while the thread has
// users of it.
class ParkingLease {
public:
    ParkingLease() noexcept;
    ~ParkingLease();
    ParkingLease(const ParkingLease&) = delete;
    ParkingLease& operator=(const ParkingLease&) = delete;

    HWND hwnd() const noexcept { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

} // namespace pkw::ax::window_class
