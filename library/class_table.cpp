#include "library/class_table.h"

#if PKW_WITH_CHECKBOX
#include "checkbox/checkbox_class.h"
#endif

#include <array>
#include <vector>

namespace pkw::library {
namespace {

// A class joins the table when its folder is part of the build (CMake
// defines PKW_WITH_<CLASS>).
std::vector<const ax::ControlClass*> buildTable() {
    std::vector<const ax::ControlClass*> table;
#if PKW_WITH_CHECKBOX
    table.push_back(&checkbox::CheckBoxClass());
#endif
    return table;
}

} // namespace

std::span<const ax::ControlClass* const> classTable() {
    static const std::vector<const ax::ControlClass*> table = buildTable();
    return table;
}

const ax::ControlClass* findPublicClass(REFCLSID clsid) noexcept {
    for (const ax::ControlClass* cls : classTable())
        if (cls->isPublic && ::IsEqualCLSID(*cls->clsid, clsid)) return cls;
    return nullptr;
}

} // namespace pkw::library
