#include "activex/mouse_pointer.h"

#include <olectl.h>
#include <wrl/client.h>

namespace pkw::ax::mouse_pointer {
namespace {

struct PointerCursor {
    short pointer;
    LPCWSTR cursor;
};

// One row per MousePointer value that names a system cursor.
const PointerCursor kCursors[] = {
    {1, IDC_ARROW},    {2, IDC_CROSS},  {3, IDC_IBEAM},        {4, IDC_ICON},   {5, IDC_SIZEALL},
    {6, IDC_SIZENESW}, {7, IDC_SIZENS}, {8, IDC_SIZENWSE},     {9, IDC_SIZEWE}, {10, IDC_UPARROW},
    {11, IDC_WAIT},    {12, IDC_NO},    {13, IDC_APPSTARTING}, {14, IDC_HELP},  {15, IDC_SIZEALL},
};

} // namespace

HCURSOR systemCursor(short pointer) noexcept {
    for (const PointerCursor& row : kCursors) {
        if (row.pointer == pointer) return ::LoadCursorW(nullptr, row.cursor);
    }
    return nullptr;
}

HCURSOR iconCursor(IPictureDisp* icon) noexcept {
    if (!icon) return nullptr;
    Microsoft::WRL::ComPtr<IPicture> picture;
    if (FAILED(icon->QueryInterface(IID_PPV_ARGS(&picture)))) return nullptr;
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_ICON ||
        FAILED(picture->get_Handle(&handle)))
        return nullptr;
    return reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(handle));
}

} // namespace pkw::ax::mouse_pointer
