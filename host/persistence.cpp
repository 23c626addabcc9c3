#include "host/persistence.h"

#include "common/com/hresult.h"

namespace pkw::host {
namespace {

HRESULT rewind(IStream* stream) {
    const LARGE_INTEGER start{};
    return stream->Seek(start, STREAM_SEEK_SET, nullptr);
}

} // namespace

HRESULT saveToBag(IUnknown* object, IPropertyBag* bag, bool clearDirty, bool saveAllProperties) {
    if (!object || !bag) return E_POINTER;
    ComPtr<IPersistPropertyBag> persist;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)));
    return persist->Save(bag, clearDirty, saveAllProperties);
}

HRESULT loadFromBag(IUnknown* object, IPropertyBag* bag, IErrorLog* log) {
    if (!object || !bag) return E_POINTER;
    ComPtr<IPersistPropertyBag> persist;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)));
    return persist->Load(bag, log);
}

HRESULT saveToStream(IUnknown* object, ComPtr<IStream>& stream, bool clearDirty) {
    if (!object) return E_POINTER;
    ComPtr<IPersistStreamInit> persist;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)));
    ComPtr<IStream> fresh;
    PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &fresh));
    PKW_RETURN_IF_FAILED(persist->Save(fresh.Get(), clearDirty));
    PKW_RETURN_IF_FAILED(rewind(fresh.Get()));
    stream = fresh;
    return S_OK;
}

HRESULT loadFromStream(IUnknown* object, IStream* stream) {
    if (!object || !stream) return E_POINTER;
    ComPtr<IPersistStreamInit> persist;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&persist)));
    PKW_RETURN_IF_FAILED(rewind(stream));
    return persist->Load(stream);
}

HRESULT streamBytes(IStream* stream, std::vector<BYTE>& bytes) {
    if (!stream) return E_POINTER;
    STATSTG stat{};
    PKW_RETURN_IF_FAILED(stream->Stat(&stat, STATFLAG_NONAME));
    bytes.assign(static_cast<std::size_t>(stat.cbSize.QuadPart), 0);
    PKW_RETURN_IF_FAILED(rewind(stream));
    ULONG got = 0;
    if (!bytes.empty())
        PKW_RETURN_IF_FAILED(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &got));
    bytes.resize(got);
    return rewind(stream);
}

HRESULT streamFromBytes(const std::vector<BYTE>& bytes, ComPtr<IStream>& stream) {
    ComPtr<IStream> fresh;
    PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &fresh));
    if (!bytes.empty())
        PKW_RETURN_IF_FAILED(fresh->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr));
    PKW_RETURN_IF_FAILED(rewind(fresh.Get()));
    stream = fresh;
    return S_OK;
}

HRESULT isDirty(IUnknown* object) {
    if (!object) return E_POINTER;
    ComPtr<IPersistStreamInit> init;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&init)))) return init->IsDirty();
    ComPtr<IPersistStream> plain;
    PKW_RETURN_IF_FAILED(object->QueryInterface(IID_PPV_ARGS(&plain)));
    return plain->IsDirty();
}

} // namespace pkw::host
