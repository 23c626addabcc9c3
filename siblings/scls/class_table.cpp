#include "siblings/scls/class_table.h"

#include "siblings/scls/global_subclass.h"
#include "siblings/scls/mem_dc.h"
#include "siblings/scls/timer.h"
#include "zelSCls40.h"

namespace pkw::scls {

std::span<const ClassEntry> classTable() noexcept {
    static const ClassEntry entries[] = {
        {__uuidof(GlobalSubclass), L"GlobalSubclass", L"zelSCls40 GlobalSubclass",
         &createGlobalSubclass},
        {__uuidof(Timer), L"Timer", L"zelSCls40 Timer", &createTimer},
        {__uuidof(clsMemDC), L"clsMemDC", L"zelSCls40 clsMemDC", &createMemDc},
    };
    return entries;
}

const ClassEntry* findClass(REFCLSID clsid) noexcept {
    for (const ClassEntry& entry : classTable()) {
        if (entry.clsid == clsid) return &entry;
    }
    return nullptr;
}

} // namespace pkw::scls
