// Saving and loading a control the way a container does: into a property
// bag (IPersistPropertyBag) or into a memory stream (IPersistStreamInit).
#pragma once

#include "host/com_object.h"

#include <ocidl.h>

#include <vector>

namespace pkw::host {

HRESULT saveToBag(IUnknown* object, IPropertyBag* bag, bool clearDirty = true,
                  bool saveAllProperties = true);
HRESULT loadFromBag(IUnknown* object, IPropertyBag* bag, IErrorLog* log = nullptr);

// Saves into a new stream on an HGLOBAL, rewound to its start.
HRESULT saveToStream(IUnknown* object, ComPtr<IStream>& stream, bool clearDirty = true);
// Loads from the start of `stream`.
HRESULT loadFromStream(IUnknown* object, IStream* stream);
// The stream's whole content.
HRESULT streamBytes(IStream* stream, std::vector<BYTE>& bytes);
// A fresh stream holding `bytes`, positioned at its start.
HRESULT streamFromBytes(const std::vector<BYTE>& bytes, ComPtr<IStream>& stream);

// IPersistStreamInit::IsDirty (else IPersistStream's): S_OK dirty, S_FALSE
// clean.
HRESULT isDirty(IUnknown* object);

} // namespace pkw::host
