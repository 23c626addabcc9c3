// A COM server DLL beside the test program, reached through its exports as
// the library reaches it (no registration), and the checks every such
// server must pass: class objects, and registration that writes its own
// keys and removes only those.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <optional>
#include <span>
#include <string>

namespace pkw::test {

using Microsoft::WRL::ComPtr;

inline std::wstring besideTestProgram(const wchar_t* file) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    path.resize(path.find_last_of(L"\\/") + 1);
    return path + file;
}

class ComServerDll {
public:
    // Loaded once and kept for the process, as the library keeps it.
    explicit ComServerDll(const wchar_t* file)
        : path_(besideTestProgram(file)), module_(::LoadLibraryW(path_.c_str())) {}

    const std::wstring& path() const noexcept { return path_; }
    HMODULE module() const noexcept { return module_; }

    template <class F>
    F entry(const char* name) const {
        return module_
                   ? reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_, name)))
                   : nullptr;
    }
    HRESULT call(const char* name) const {
        const auto f = entry<HRESULT(STDAPICALLTYPE*)()>(name);
        return f ? f() : E_FAIL;
    }
    HRESULT canUnloadNow() const { return call("DllCanUnloadNow"); }
    HRESULT registerServer() const { return call("DllRegisterServer"); }
    HRESULT unregisterServer() const { return call("DllUnregisterServer"); }

    HRESULT classObject(REFCLSID clsid, REFIID riid, void** ppv) const {
        const auto get =
            entry<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>("DllGetClassObject");
        return get ? get(clsid, riid, ppv) : E_FAIL;
    }
    HRESULT classFactory(REFCLSID clsid, IClassFactory** factory) const {
        return classObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory));
    }

    template <class I>
    ComPtr<I> create(REFCLSID clsid) const {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(classFactory(clsid, &factory), S_OK);
        ComPtr<I> object;
        if (factory) {
            EXPECT_EQ(factory->CreateInstance(nullptr, __uuidof(I),
                                              reinterpret_cast<void**>(object.GetAddressOf())),
                      S_OK);
        }
        return object;
    }

private:
    std::wstring path_;
    HMODULE module_;
};

inline std::wstring guidText(REFGUID guid) {
    wchar_t text[40] = {};
    ::StringFromGUID2(guid, text, 40);
    return text;
}

// A string value under HKEY_CLASSES_ROOT; nothing when it is not there.
inline std::optional<std::wstring> classesText(const std::wstring& key,
                                               const wchar_t* value = nullptr) {
    wchar_t data[MAX_PATH * 2] = {};
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, data,
                       &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(data);
}

inline bool classesKeyExists(const std::wstring& key) {
    HKEY h = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(h);
    return true;
}

struct ServerClass {
    const CLSID* clsid;
    const IID* iid; // an interface the class answers
    const wchar_t* progId;
};

// Each class comes from its class object, which refuses aggregation and
// interfaces the class lacks; no class object for a foreign CLSID.
inline void expectClassObjects(const ComServerDll& dll, std::span<const ServerClass> classes) {
    for (const ServerClass& c : classes) {
        SCOPED_TRACE(::testing::Message() << "class " << c.progId);
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(dll.classFactory(*c.clsid, &factory), S_OK);
        ComPtr<IUnknown> object, aggregated, none;
        ASSERT_EQ(factory->CreateInstance(nullptr, *c.iid, &object), S_OK);
        EXPECT_EQ(factory->CreateInstance(object.Get(), IID_IUnknown, &aggregated),
                  CLASS_E_NOAGGREGATION);
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPersist, &none), E_NOINTERFACE);
        ComPtr<IDispatch> dispatch;
        EXPECT_EQ(object.As(&dispatch), S_OK);
    }
    const CLSID foreign = {0x1234, 0x5678, 0x9abc, {1, 2, 3, 4, 5, 6, 7, 8}};
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(dll.classFactory(foreign, &factory), CLASS_E_CLASSNOTAVAILABLE);
}

// DllRegisterServer writes every class (server path, apartment model,
// ProgID both ways, type library) so that CoCreateInstance works;
// DllUnregisterServer removes that again: only that, or with it the class
// key's whole tree (`foreign` says which this server does with a key that
// another program put under its class); unregistering twice is harmless.
enum class ForeignSubkeys { Kept, Removed };

inline void expectRegistrationRoundTrip(const ComServerDll& dll,
                                        std::span<const ServerClass> classes, REFGUID libid,
                                        WORD major, REFIID someInterface,
                                        ForeignSubkeys foreignSubkeys) {
    const bool kept = foreignSubkeys == ForeignSubkeys::Kept;
    ASSERT_EQ(dll.registerServer(), S_OK);
    for (const ServerClass& c : classes) {
        SCOPED_TRACE(::testing::Message() << "class " << c.progId);
        const std::wstring key = L"CLSID\\" + guidText(*c.clsid);
        const auto server = classesText(key + L"\\InprocServer32");
        ASSERT_TRUE(server);
        EXPECT_EQ(::lstrcmpiW(server->c_str(), dll.path().c_str()), 0);
        EXPECT_EQ(classesText(key + L"\\InprocServer32", L"ThreadingModel"), L"Apartment");
        EXPECT_EQ(classesText(key + L"\\ProgID"), c.progId);
        EXPECT_EQ(classesText(key + L"\\TypeLib"), guidText(libid));
        EXPECT_EQ(classesText(std::wstring(c.progId) + L"\\CLSID"), guidText(*c.clsid));
        ComPtr<IUnknown> object;
        EXPECT_EQ(::CoCreateInstance(*c.clsid, nullptr, CLSCTX_INPROC_SERVER, *c.iid,
                                     reinterpret_cast<void**>(object.GetAddressOf())),
                  S_OK);
    }
    const std::wstring interfaceKey = L"Interface\\" + guidText(someInterface);
    EXPECT_TRUE(classesKeyExists(interfaceKey));
    ComPtr<ITypeLib> library;
    EXPECT_EQ(::LoadRegTypeLib(libid, major, 0, LOCALE_NEUTRAL, &library), S_OK);
    library.Reset();

    const std::wstring classKey = L"CLSID\\" + guidText(*classes.front().clsid);
    const std::wstring foreign = classKey + L"\\Foreign";
    HKEY h = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, foreign.c_str(), 0, nullptr, 0, KEY_WRITE,
                                nullptr, &h, nullptr),
              ERROR_SUCCESS);
    ::RegCloseKey(h);

    ASSERT_EQ(dll.unregisterServer(), S_OK);
    for (const ServerClass& c : classes) {
        SCOPED_TRACE(::testing::Message() << "class " << c.progId);
        const std::wstring key = L"CLSID\\" + guidText(*c.clsid);
        EXPECT_FALSE(classesKeyExists(key + L"\\InprocServer32"));
        EXPECT_FALSE(classesKeyExists(key + L"\\ProgID"));
        EXPECT_FALSE(classesKeyExists(c.progId));
        EXPECT_EQ(classesKeyExists(key), kept && key == classKey);
    }
    EXPECT_EQ(classesKeyExists(foreign), kept);
    EXPECT_FALSE(classesText(classKey)) << "the class's own value stays behind";
    EXPECT_FALSE(classesKeyExists(interfaceKey));
    EXPECT_NE(::LoadRegTypeLib(libid, major, 0, LOCALE_NEUTRAL, &library), S_OK);
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, foreign.c_str());
    ::RegDeleteKeyW(HKEY_CLASSES_ROOT, classKey.c_str());
    EXPECT_EQ(dll.unregisterServer(), S_OK);
}

} // namespace pkw::test
