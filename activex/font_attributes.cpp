#include "activex/font_attributes.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"

namespace pkw::ax {

HRESULT CopyFontAttributes(IFont* source, IFont* target) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, source);
    PKW_RETURN_HR_IF_NULL(E_POINTER, target);
    Bstr name;
    PKW_RETURN_IF_FAILED(source->get_Name(name.put()));
    PKW_RETURN_IF_FAILED(target->put_Name(name.get()));
    CY size{};
    PKW_RETURN_IF_FAILED(source->get_Size(&size));
    PKW_RETURN_IF_FAILED(target->put_Size(size));
    BOOL flag = FALSE;
    PKW_RETURN_IF_FAILED(source->get_Bold(&flag));
    PKW_RETURN_IF_FAILED(target->put_Bold(flag));
    PKW_RETURN_IF_FAILED(source->get_Italic(&flag));
    PKW_RETURN_IF_FAILED(target->put_Italic(flag));
    PKW_RETURN_IF_FAILED(source->get_Underline(&flag));
    PKW_RETURN_IF_FAILED(target->put_Underline(flag));
    PKW_RETURN_IF_FAILED(source->get_Strikethrough(&flag));
    return target->put_Strikethrough(flag);
}

} // namespace pkw::ax
