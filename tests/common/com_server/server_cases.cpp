#include "tests/common/com_server/server_cases.h"

#include "zelFX40.h"
#include "zelGlobals40.h"
#include "zelPickwell40.h"
#include "zelPropPage40.h"
#include "zelSCls40.h"

#include <memory>

namespace pkw::test {
namespace {

const ServerCase kServers[] = {
    {"Library",
     L"zelPickwell40.ocx",
     &LIBID_zelPickwell40,
     {{&CLSID_NuCheckBox40, L"zelPickwell40.NuCheckBox40", &IID__NuCheckBox40},
      {&CLSID_clsSkin, L"zelPickwell40.clsSkin", &IID__clsSkin},
      {&CLSID_clsUnicode, L"zelPickwell40.clsUnicode", &IID__clsUnicode},
      {&CLSID_IPAO, L"zelPickwell40.IPAO", &IID__IPAO}}},
    {"Subclassing",
     L"zelSCls40.dll",
     &LIBID_zelSCls40Lib,
     {{&__uuidof(GlobalSubclass), L"zelSCls40.GlobalSubclass", &__uuidof(IGlobalSubclass)},
      {&__uuidof(Timer), L"zelSCls40.Timer", &__uuidof(ITimer)},
      {&__uuidof(clsMemDC), L"zelSCls40.clsMemDC", &__uuidof(IMemDC)}}},
    {"Globals",
     L"zelGlobals40.dll",
     &LIBID_zelNuGlobals40Lib,
     {{&CLSID_EffectSet, L"zelGlobals40.EffectSet", &IID_IEffectSet},
      {&CLSID_GradInfo, L"zelGlobals40.GradInfo", &IID_IGradInfo},
      {&CLSID_ToolTip, L"zelGlobals40.ToolTip", &IID_IToolTip}}},
    {"Effects",
     L"zelFX40.dll",
     &LIBID_zelFX40Lib,
     {{&__uuidof(Layer), L"zelFX40.Layer", &__uuidof(IFxLayer)}}},
    {"Editor",
     L"zelPropPage40.dll",
     &LIBID_zelPropPage40Lib,
     {{&CLSID_clsPropPage, L"zelPropPage40.clsPropPage", &IID__clsPropPage}}},
};

} // namespace

std::span<const ServerCase> serverCases() {
    return kServers;
}

std::wstring guidText(REFGUID guid) {
    wchar_t buffer[40] = {};
    ::StringFromGUID2(guid, buffer, 40);
    return buffer;
}

const ServerDll& dllOf(const ServerCase& server) {
    static std::vector<std::unique_ptr<ServerDll>> loaded;
    for (const auto& dll : loaded)
        if (dll->path().ends_with(server.file)) return *dll;
    return *loaded.emplace_back(std::make_unique<ServerDll>(server.file));
}

} // namespace pkw::test
