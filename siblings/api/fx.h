// The effects engine as the controls use it: new layers of zelFX40.dll,
// created straight from the DLL beside the calling module.
#pragma once

#include "zelFX40.h"

#include <wrl/client.h>

namespace pkw::sib {

// A new, empty layer; null when zelFX40.dll cannot be loaded.
Microsoft::WRL::ComPtr<IFxLayer> NewFxLayer();

} // namespace pkw::sib
