// The classes of zelSCls40.dll.
#include "common/com/server/server.h"
#include "siblings/scls/global_subclass.h"
#include "siblings/scls/mem_dc.h"
#include "siblings/scls/timer.h"

namespace pkw::com {
namespace {

const ClassEntry kGlobalSubclass{&__uuidof(GlobalSubclass), L"GlobalSubclass",
                                 &createObject<scls::GlobalSubclassObject>};
const ClassEntry kTimer{&__uuidof(Timer), L"Timer", &createObject<scls::TimerObject>};
const ClassEntry kMemDc{&__uuidof(clsMemDC), L"clsMemDC", &createObject<scls::MemDcObject>};
const ClassEntry* const kClasses[] = {&kGlobalSubclass, &kTimer, &kMemDc};

} // namespace

const Server& thisServer() {
    static const Server server{L"zelSCls40", kClasses};
    return server;
}

} // namespace pkw::com
