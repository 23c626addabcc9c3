#include "host/picture_data.h"

#include "common/com/hresult.h"
#include "host/files.h"
#include "host/persistence.h"

#include <olectl.h>

namespace pkw::host {

HRESULT savePictureBytes(IUnknown* picture, std::vector<BYTE>& bytes) {
    if (!picture) return E_POINTER;
    ComPtr<IPicture> isPicture;
    PKW_RETURN_IF_FAILED(picture->QueryInterface(IID_PPV_ARGS(&isPicture)));
    ComPtr<IPersistStream> persist;
    PKW_RETURN_IF_FAILED(picture->QueryInterface(IID_PPV_ARGS(&persist)));
    ComPtr<IStream> stream;
    PKW_RETURN_IF_FAILED(::CreateStreamOnHGlobal(nullptr, TRUE, &stream));
    PKW_RETURN_IF_FAILED(persist->Save(stream.Get(), FALSE));
    return streamBytes(stream.Get(), bytes);
}

HRESULT loadPictureBytes(std::span<const BYTE> bytes, ComPtr<IPictureDisp>& picture) {
    if (bytes.empty()) return E_INVALIDARG;
    ComPtr<IStream> stream;
    PKW_RETURN_IF_FAILED(streamFromBytes({bytes.begin(), bytes.end()}, stream));
    ComPtr<IPictureDisp> fresh;
    PKW_RETURN_IF_FAILED(::OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE,
                                          IID_IPictureDisp,
                                          reinterpret_cast<void**>(fresh.GetAddressOf())));
    picture = fresh;
    return S_OK;
}

HRESULT loadPictureFile(const std::wstring& path, ComPtr<IPictureDisp>& picture) {
    std::string bytes;
    PKW_RETURN_IF_FAILED(readFile(path, bytes, kPictureFileLimit));
    const auto* first = reinterpret_cast<const BYTE*>(bytes.data());
    return loadPictureBytes({first, bytes.size()}, picture);
}

} // namespace pkw::host
