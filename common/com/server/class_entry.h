// The class table of a COM server: one entry per class, walked by
// DllGetClassObject, by registration and by nothing else.
#pragma once

#include <windows.h>

#include <cstdint>
#include <span>

namespace pkw::com {

// What registering a class writes below the classes root.
enum class Registration : std::uint8_t {
    Object,  // CLSID (server, threading model, ProgID, type library) and the ProgID
    Control, // the same, plus the keys that make containers list it as a control
    None,    // never registered: served by DllGetClassObject to callers that know it
};

// A new object of the class queried for iid; *ppv then holds its only reference.
using Creator = HRESULT (*)(REFIID iid, void** ppv);

struct ClassEntry {
    const CLSID* clsid;
    const wchar_t* className; // the type name; the ProgID is "<server name>.<className>"
    Creator create;
    Registration registration = Registration::Object;
    DWORD miscStatus = 0;   // a control's OLEMISC_* for DVASPECT_CONTENT
    UINT toolboxBitmap = 0; // a control's bitmap resource for ToolboxBitmap32, 0 for none
};

struct Server {
    const wchar_t* name; // "zelSCls40": the first part of every ProgID
    std::span<const ClassEntry* const> classes;
    // 0: one ProgID per class; n: "<ProgID>.<n>" as well, with CurVer.
    WORD progIdVersion = 0;
};

// Each server module defines this: its one class table.
const Server& thisServer();

// The entry of the server with this CLSID, or null.
const ClassEntry* findClass(const Server& server, REFCLSID clsid) noexcept;

} // namespace pkw::com
