#include "activex/stream_format.h"

#include "activex/font_description.h"
#include "common/com/hresult.h"

#include <ole2.h>
#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <span>
#include <vector>

namespace pkw::ax::stream_format {
namespace {

using Microsoft::WRL::ComPtr;

constexpr UINT32 kMagic = 0x42574B50; // "PKWB"
constexpr UINT16 kVersion = static_cast<UINT16>(Version::Latest);
constexpr UINT16 kFirstVersion = static_cast<UINT16>(Version::First);
constexpr UINT16 kFontVersion = static_cast<UINT16>(Version::FontDescriptions);
// A font as its description: loading an OLE font stream costs several
// times as much as making the font.
constexpr UINT16 kFontType = 0xF0F0;
enum FontFlags : BYTE { kItalic = 1, kUnderline = 2, kStrikethrough = 4 };
constexpr size_t kHeaderSize = 12;
constexpr ULONG kReadChunk = 64 * 1024;
// Room for a control with every effect block: the buffer grows once or not at all.
constexpr size_t kTypicalRecord = 8 * 1024;

// Bytes of the fixed-size value types, 0 for the others.
size_t fixedSize(VARTYPE vt) noexcept {
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return 0;
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
        return 8;
    default:
        return 0;
    }
}

bool isFixed(VARTYPE vt) noexcept {
    return vt == VT_EMPTY || vt == VT_NULL || fixedSize(vt) > 0;
}

// --- Writing ---------------------------------------------------------------

class Encoder {
public:
    explicit Encoder(UINT16 version = kVersion) noexcept : version_(version) {}
    std::vector<BYTE>& bytes() noexcept { return out_; }

    template <typename T>
    void put(T value) {
        const auto* p = reinterpret_cast<const BYTE*>(&value);
        out_.insert(out_.end(), p, p + sizeof(T));
    }
    void putRaw(const void* data, size_t n) {
        const auto* p = static_cast<const BYTE*>(data);
        out_.insert(out_.end(), p, p + n);
    }
    void putText(const wchar_t* text, UINT32 length) {
        put<UINT32>(length);
        putRaw(text, length * sizeof(wchar_t));
    }

    HRESULT putValue(const VARIANT& v) {
        VARTYPE vt = v.vt;
        if (vt == VT_INT) vt = VT_I4;
        if (vt == VT_UINT) vt = VT_UI4;
        if (isFixed(vt)) {
            put<UINT16>(vt);
            // The value's bytes sit at the start of the union for every fixed type.
            putRaw(&v.llVal, fixedSize(vt));
            return S_OK;
        }
        switch (vt) {
        case VT_BSTR:
            put<UINT16>(vt);
            putText(v.bstrVal ? v.bstrVal : L"", v.bstrVal ? ::SysStringLen(v.bstrVal) : 0);
            return S_OK;
        case VT_ARRAY | VT_UI1:
            put<UINT16>(vt);
            return putBytes(v.parray);
        case VT_UNKNOWN:
        case VT_DISPATCH: {
            ComPtr<IFont> font;
            if (version_ >= kFontVersion && v.punkVal &&
                SUCCEEDED(v.punkVal->QueryInterface(IID_PPV_ARGS(&font))))
                return putFont(font.Get());
            put<UINT16>(vt);
            return putObject(v.punkVal);
        }
        default:
            return DISP_E_BADVARTYPE;
        }
    }

private:
    HRESULT putFont(IFont* font) {
        FontDescription d;
        PKW_RETURN_IF_FAILED(DescribeFont(font, d));
        put<UINT16>(kFontType);
        putText(d.name.data(), static_cast<UINT32>(d.name.size()));
        put<INT64>(d.size);
        put<INT16>(d.weight);
        put<INT16>(d.charset);
        put<BYTE>(static_cast<BYTE>((d.italic ? kItalic : 0) | (d.underline ? kUnderline : 0) |
                                    (d.strikethrough ? kStrikethrough : 0)));
        return S_OK;
    }

    HRESULT putBytes(SAFEARRAY* array) {
        if (!array) {
            put<INT32>(0);
            put<UINT32>(0);
            return S_OK;
        }
        if (::SafeArrayGetDim(array) != 1 || ::SafeArrayGetElemsize(array) != 1)
            return DISP_E_BADVARTYPE;
        const SAFEARRAYBOUND bound = array->rgsabound[0];
        put<INT32>(bound.lLbound);
        put<UINT32>(bound.cElements);
        if (bound.cElements == 0) return S_OK;
        void* data = nullptr;
        PKW_RETURN_IF_FAILED(::SafeArrayAccessData(array, &data));
        putRaw(data, bound.cElements);
        ::SafeArrayUnaccessData(array);
        return S_OK;
    }

    HRESULT putObject(IUnknown* object) {
        if (!object) {
            put<UINT32>(0);
            return S_OK;
        }
        ComPtr<IPersistStream> persist;
        PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)));
        ComPtr<IStream> memory;
        PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &memory));
        PKW_RETURN_IF_FAILED(::OleSaveToStream(persist.Get(), memory.Get()));
        STATSTG stat{};
        PKW_RETURN_IF_FAILED(memory->Stat(&stat, STATFLAG_NONAME));
        if (stat.cbSize.QuadPart > 0x7FFFFFFF) return STG_E_MEDIUMFULL;
        const auto n = static_cast<UINT32>(stat.cbSize.QuadPart);
        HGLOBAL global = nullptr;
        PKW_RETURN_IF_FAILED(::GetHGlobalFromStream(memory.Get(), &global));
        const void* data = ::GlobalLock(global);
        if (!data) return E_OUTOFMEMORY;
        put<UINT32>(n);
        putRaw(data, n);
        ::GlobalUnlock(global);
        return S_OK;
    }

    UINT16 version_;
    std::vector<BYTE> out_;
};

HRESULT encode(const MemoryPropertyBag& bag, std::vector<BYTE>& record, UINT16 version = kVersion) {
    // One buffer: the header, whose payload size is filled in at the end,
    // then the payload.
    Encoder out(version);
    out.bytes().reserve(kTypicalRecord);
    out.put<UINT32>(kMagic);
    out.put<UINT16>(version);
    out.put<UINT16>(0);
    out.put<UINT32>(0);
    out.put<UINT32>(static_cast<UINT32>(bag.entries().size()));
    for (const auto& entry : bag.entries()) {
        out.putText(entry.name.data(), static_cast<UINT32>(entry.name.size()));
        PKW_RETURN_IF_FAILED(out.putValue(entry.value));
    }
    const auto payloadSize = static_cast<UINT32>(out.bytes().size() - kHeaderSize);
    std::memcpy(out.bytes().data() + kHeaderSize - sizeof(UINT32), &payloadSize,
                sizeof payloadSize);
    record = std::move(out.bytes());
    return S_OK;
}

// --- Reading ---------------------------------------------------------------

// The record names the class of each object it holds; only fonts and
// pictures may be made from it. Anything else (a control of this library,
// whose own settings could hold another, or any other registered class)
// would let stored data choose what runs here.
bool mayLoad(REFCLSID clsid) noexcept {
    return clsid == CLSID_StdFont || clsid == CLSID_StdPicture;
}

// OleLoadFromStream, for the classes above only.
HRESULT loadObject(IStream* data, ComPtr<IUnknown>& object) {
    CLSID clsid{};
    PKW_RETURN_IF_FAILED(::ReadClassStm(data, &clsid));
    if (!mayLoad(clsid)) return kObjectRefused;
    ComPtr<IPersistStream> persist;
    PKW_RETURN_IF_FAILED(
        ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&persist)));
    PKW_RETURN_IF_FAILED(persist->Load(data));
    return persist.As(&object);
}

// What is left of `stream` after its current position, when it can say.
bool bytesLeft(IStream* stream, ULONGLONG& left) noexcept {
    STATSTG stat{};
    ULARGE_INTEGER at{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_CUR, &at)))
        return false;
    left = stat.cbSize.QuadPart > at.QuadPart ? stat.cbSize.QuadPart - at.QuadPart : 0;
    return true;
}

class Decoder {
public:
    explicit Decoder(std::span<const BYTE> bytes, UINT16 version = kVersion) noexcept
        : bytes_(bytes), version_(version) {}

    bool done() const noexcept { return at_ == bytes_.size(); }

    template <typename T>
    bool get(T& value) noexcept {
        if (bytes_.size() - at_ < sizeof(T)) return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof(T));
        at_ += sizeof(T);
        return true;
    }
    bool take(size_t n, const BYTE*& data) noexcept {
        if (bytes_.size() - at_ < n) return false;
        data = bytes_.data() + at_;
        at_ += n;
        return true;
    }
    bool getText(std::wstring& text) {
        UINT32 length = 0;
        const BYTE* data = nullptr;
        if (!get(length) || length > (bytes_.size() - at_) / sizeof(wchar_t)) return false;
        take(size_t{length} * sizeof(wchar_t), data);
        text.assign(reinterpret_cast<const wchar_t*>(data), length);
        return true;
    }

    HRESULT getValue(Variant& value) {
        UINT16 vt = 0;
        if (!get(vt)) return E_FAIL;
        value.clear();
        if (isFixed(vt)) {
            const BYTE* data = nullptr;
            if (!take(fixedSize(vt), data)) return E_FAIL;
            std::memcpy(&value.llVal, data, fixedSize(vt));
            value.vt = vt;
            return S_OK;
        }
        switch (vt) {
        case VT_BSTR: {
            std::wstring text;
            if (!getText(text)) return E_FAIL;
            value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
            if (!value.bstrVal) return E_OUTOFMEMORY;
            value.vt = VT_BSTR;
            return S_OK;
        }
        case VT_ARRAY | VT_UI1:
            return getBytes(value);
        case VT_UNKNOWN:
        case VT_DISPATCH:
            return getObject(vt, value);
        case kFontType:
            return version_ >= kFontVersion ? getFont(value) : E_FAIL;
        default:
            return E_FAIL;
        }
    }

private:
    HRESULT getFont(Variant& value) {
        FontDescription d;
        INT64 size = 0;
        BYTE flags = 0;
        if (!getText(d.name) || !get(size) || !get(d.weight) || !get(d.charset) || !get(flags))
            return E_FAIL;
        d.size = size;
        d.italic = (flags & kItalic) != 0;
        d.underline = (flags & kUnderline) != 0;
        d.strikethrough = (flags & kStrikethrough) != 0;
        ComPtr<IFontDisp> font;
        PKW_RETURN_IF_FAILED(MakeFont(d, &font));
        value.vt = VT_DISPATCH;
        value.pdispVal = font.Detach();
        return S_OK;
    }

    HRESULT getBytes(Variant& value) {
        INT32 lower = 0;
        UINT32 count = 0;
        const BYTE* data = nullptr;
        if (!get(lower) || !get(count) || !take(count, data)) return E_FAIL;
        SAFEARRAYBOUND bound{count, lower};
        SAFEARRAY* array = ::SafeArrayCreate(VT_UI1, 1, &bound);
        if (!array) return E_OUTOFMEMORY;
        if (count > 0) std::memcpy(array->pvData, data, count);
        value.vt = VT_ARRAY | VT_UI1;
        value.parray = array;
        return S_OK;
    }

    HRESULT getObject(VARTYPE vt, Variant& value) {
        UINT32 size = 0;
        const BYTE* data = nullptr;
        if (!get(size) || !take(size, data)) return E_FAIL;
        value.vt = vt;
        value.punkVal = nullptr;
        if (size == 0) return S_OK;
        HGLOBAL global = ::GlobalAlloc(GMEM_MOVEABLE, size);
        if (!global) return E_OUTOFMEMORY;
        void* target = ::GlobalLock(global);
        if (!target) {
            ::GlobalFree(global);
            return E_OUTOFMEMORY;
        }
        std::memcpy(target, data, size);
        ::GlobalUnlock(global);
        ComPtr<IStream> memory;
        const HRESULT hr = ::CreateStreamOnHGlobal(global, TRUE, &memory);
        if (FAILED(hr)) {
            ::GlobalFree(global);
            return hr;
        }
        ComPtr<IUnknown> object;
        PKW_RETURN_IF_FAILED(loadObject(memory.Get(), object));
        if (vt == VT_DISPATCH) {
            ComPtr<IDispatch> dispatch;
            if (SUCCEEDED(object.As(&dispatch))) {
                value.pdispVal = dispatch.Detach();
                return S_OK;
            }
            value.vt = VT_UNKNOWN;
        }
        value.punkVal = object.Detach();
        return S_OK;
    }

    std::span<const BYTE> bytes_;
    UINT16 version_;
    size_t at_ = 0;
};

// Reads exactly `n` bytes, growing the buffer only as data arrives, so a
// header that claims more than the stream holds costs nothing.
HRESULT readExactly(IStream* stream, size_t n, std::vector<BYTE>& out) {
    out.clear();
    while (out.size() < n) {
        const ULONG want = static_cast<ULONG>(std::min<size_t>(n - out.size(), kReadChunk));
        const size_t at = out.size();
        out.resize(at + want);
        ULONG got = 0;
        const HRESULT hr = stream->Read(out.data() + at, want, &got);
        if (FAILED(hr)) return hr;
        out.resize(at + got);
        if (got == 0) return STG_E_READFAULT;
    }
    return S_OK;
}

} // namespace

HRESULT write(IStream* stream, const MemoryPropertyBag& bag, Version version) {
    if (!stream) return E_POINTER;
    try {
        std::vector<BYTE> record;
        PKW_RETURN_IF_FAILED(encode(bag, record, static_cast<UINT16>(version)));
        ULONG written = 0;
        PKW_RETURN_IF_FAILED(
            stream->Write(record.data(), static_cast<ULONG>(record.size()), &written));
        return written == record.size() ? S_OK : STG_E_WRITEFAULT;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT read(IStream* stream, MemoryPropertyBag& bag) {
    if (!stream) return E_POINTER;
    try {
        std::vector<BYTE> header;
        PKW_RETURN_IF_FAILED(readExactly(stream, kHeaderSize, header));
        Decoder head(header);
        UINT32 magic = 0, payloadSize = 0;
        UINT16 version = 0, reserved = 0;
        head.get(magic);
        head.get(version);
        head.get(reserved);
        head.get(payloadSize);
        if (magic != kMagic || version < kFirstVersion || version > kVersion) return E_FAIL;

        // A claim beyond the stream's end is refused before any of it is read.
        ULONGLONG left = 0;
        if (bytesLeft(stream, left) && payloadSize > left) return STG_E_READFAULT;
        std::vector<BYTE> payload;
        PKW_RETURN_IF_FAILED(readExactly(stream, payloadSize, payload));
        Decoder in(payload, version);
        UINT32 count = 0;
        if (!in.get(count)) return E_FAIL;
        // An entry takes at least a name length and a type: a count beyond
        // that is not believed.
        bag.reserve(std::min<size_t>(count, payload.size() / (sizeof(UINT32) + sizeof(UINT16))));
        std::wstring name;
        for (UINT32 i = 0; i < count; ++i) {
            Variant value;
            if (!in.getText(name)) return E_FAIL;
            PKW_RETURN_IF_FAILED(in.getValue(value));
            PKW_RETURN_IF_FAILED(bag.adopt(name, value));
        }
        return in.done() ? S_OK : E_FAIL;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT size(const MemoryPropertyBag& bag, ULARGE_INTEGER* bytes) {
    if (!bytes) return E_POINTER;
    try {
        std::vector<BYTE> record;
        PKW_RETURN_IF_FAILED(encode(bag, record));
        bytes->QuadPart = record.size();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

} // namespace pkw::ax::stream_format
