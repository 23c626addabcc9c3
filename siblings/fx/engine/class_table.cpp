// The classes of zelFX40.dll.
#include "common/com/server/server.h"
#include "siblings/fx/engine/layer_object.h"

namespace pkw::com {
namespace {

const ClassEntry kLayer{&__uuidof(Layer), L"Layer", &createObject<fx::LayerObject>};
const ClassEntry* const kClasses[] = {&kLayer};

} // namespace

const Server& thisServer() {
    static const Server server{L"zelFX40", kClasses};
    return server;
}

} // namespace pkw::com
