// The classes of zelGlobals40.dll.
#include "common/com/server/server.h"
#include "siblings/globals/effect_set.h"
#include "siblings/globals/grad_info.h"
#include "siblings/globals/tool_tip.h"

namespace pkw::com {
namespace {

const ClassEntry kEffectSet{&CLSID_EffectSet, L"EffectSet", &createObject<globals::EffectSet>};
const ClassEntry kGradInfo{&CLSID_GradInfo, L"GradInfo", &createObject<globals::GradInfo>};
const ClassEntry kToolTip{&CLSID_ToolTip, L"ToolTip", &createObject<globals::ToolTip>};
const ClassEntry* const kClasses[] = {&kEffectSet, &kGradInfo, &kToolTip};

} // namespace

const Server& thisServer() {
    static const Server server{L"zelGlobals40", kClasses};
    return server;
}

} // namespace pkw::com
