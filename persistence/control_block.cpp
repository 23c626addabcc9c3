#include "persistence/control_block.h"

#include "common/com/hresult.h"
#include "persistence/key_values.h"

namespace pkw::persist {
namespace {

// The font default is asked for only when a run holds the font key: it
// costs a font object.
Variant DefaultFor(Key key, KeyAccess& access) {
    if (Describe(key).type == ValueType::Object &&
        Describe(key).object == ObjectDefault::AmbientFont) {
        return DefaultValue(key, access.defaultFont().Get());
    }
    return DefaultValue(key, nullptr);
}

} // namespace

int ReadKeys(const ax::PropertyBag& bag, std::span<const Key> keys, KeyAccess& access) {
    int loaded = 0;
    for (const Key key : keys) {
        const Variant fallback = DefaultFor(key, access);
        Variant stored;
        if (FAILED(bag.read(Describe(key).name, fallback, stored))) continue;
        Variant typed;
        if (FAILED(FromStored(key, stored, typed))) continue;
        if (SUCCEEDED(access.load(key, typed))) ++loaded;
    }
    return loaded;
}

HRESULT WriteKeys(const ax::PropertyBag& bag, std::span<const Key> keys, KeyAccess& access) {
    for (const Key key : keys) {
        Variant typed;
        PKW_RETURN_IF_FAILED(access.save(key, typed));
        Variant stored;
        PKW_RETURN_IF_FAILED(ToStored(key, typed, stored));
        PKW_RETURN_IF_FAILED(bag.write(Describe(key).name, stored, DefaultFor(key, access)));
    }
    return S_OK;
}

} // namespace pkw::persist
