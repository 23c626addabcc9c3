#include "selection/picture_bitmap.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

namespace pkw::selection {

HBITMAP BitmapOfPicture(IUnknown* object) {
    Microsoft::WRL::ComPtr<IPicture> picture;
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&picture)))) return nullptr;
    SHORT type = PICTYPE_UNINITIALIZED;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle)))
        return nullptr;
    // OLE_HANDLE is 32 bits; GDI handles are sign-extended values.
    return reinterpret_cast<HBITMAP>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

} // namespace pkw::selection
