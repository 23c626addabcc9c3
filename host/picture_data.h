// Pictures as bytes: what a picture object saves of itself (the form a
// container keeps in its form files), and a new picture from such bytes or
// from a picture file. Only the standard picture object is ever made:
// nothing in the bytes chooses a class.
#pragma once

#include "host/com_object.h"

#include <ocidl.h>

#include <span>
#include <string>
#include <vector>

namespace pkw::host {

HRESULT savePictureBytes(IUnknown* picture, std::vector<BYTE>& bytes);
HRESULT loadPictureBytes(std::span<const BYTE> bytes, ComPtr<IPictureDisp>& picture);
// A bitmap, icon, metafile, GIF or JPEG file, up to kPictureFileLimit bytes.
HRESULT loadPictureFile(const std::wstring& path, ComPtr<IPictureDisp>& picture);

inline constexpr std::size_t kPictureFileLimit = 32u << 20;

} // namespace pkw::host
