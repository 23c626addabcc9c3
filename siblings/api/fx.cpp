#include "siblings/api/fx.h"

#include "siblings/api/loader.h"

namespace pkw::sib {

Microsoft::WRL::ComPtr<IFxLayer> NewFxLayer() {
    Microsoft::WRL::ComPtr<IFxLayer> layer;
    if (FAILED(CreateSiblingObject(L"zelFX40.dll", __uuidof(Layer), __uuidof(IFxLayer),
                                   reinterpret_cast<void**>(layer.GetAddressOf()))))
        return nullptr;
    return layer;
}

} // namespace pkw::sib
