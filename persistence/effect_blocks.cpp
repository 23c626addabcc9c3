#include "persistence/effect_blocks.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "persistence/effect_set_access.h"
#include "persistence/key_values.h"

#include <olectl.h>
#include <wrl/client.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace pkw::persist {
namespace {

using globals::DefaultKind;
using globals::EffectSettingInfo;
using globals::SettingDefault;
using globals::SettingGroup;
using globals::SettingType;
using Microsoft::WRL::ComPtr;

constexpr wchar_t kTipPrefix[] = L"TIP:";

// Where a setting of the table is kept in a block.
struct BlockKey {
    std::wstring base;   // the key without the stop part ("" when not kept)
    std::wstring suffix; // the state index of a state block's own keys
    std::wstring name;   // the whole key; a gradient's is its stop count's
};

const SettingDefault* SavedDefault(const EffectSettingInfo& info, EffectBlock block) {
    if (info.group == SettingGroup::Extra) return nullptr;
    if (info.group == SettingGroup::Tip && block == EffectBlock::State) return nullptr;
    const SettingDefault& saved = block == EffectBlock::State ? info.stateSaved : info.tipSaved;
    return saved.kind == DefaultKind::NotPersisted ? nullptr : &saved;
}

BlockKey KeyOf(const EffectSettingInfo& info, EffectBlock block, int state) {
    // The header group lives under the tool tip's keys in every block.
    const bool tipKey = block == EffectBlock::Tip || info.group == SettingGroup::Header;
    BlockKey key;
    key.base = (tipKey ? std::wstring(kTipPrefix) : std::wstring()) + std::wstring(info.name);
    if (!tipKey) key.suffix = std::to_wstring(state);
    key.name = info.type == SettingType::Gradient ? key.base + L"Count" + key.suffix
                                                  : key.base + key.suffix;
    return key;
}

constexpr int kStateBlocks = 4;

// Every block's keys, made once for the process: a save or a load then
// builds no key but a gradient stop's.
const BlockKey& KeyAt(std::size_t setting, EffectBlock block, int state) {
    using Keys = std::array<BlockKey, globals::kEffectSettingCount>;
    static const std::array<Keys, kStateBlocks + 1> all = [] {
        std::array<Keys, kStateBlocks + 1> keys;
        for (int b = 0; b <= kStateBlocks; ++b) {
            const EffectBlock kind = b < kStateBlocks ? EffectBlock::State : EffectBlock::Tip;
            for (std::size_t i = 0; i < globals::kEffectSettingCount; ++i)
                keys[static_cast<std::size_t>(b)][i] =
                    KeyOf(globals::kEffectSettings[i], kind, b < kStateBlocks ? b : 0);
        }
        return keys;
    }();
    const int index =
        block == EffectBlock::Tip ? kStateBlocks : std::clamp(state, 0, kStateBlocks - 1);
    return all[static_cast<std::size_t>(index)][setting];
}

Variant NumberVariant(SettingType type, std::int32_t number) {
    switch (type) {
    case SettingType::Int16:
        return Variant::fromI2(static_cast<SHORT>(number));
    case SettingType::Boolean:
        return Variant::fromBool(number != 0);
    default:
        return Variant::fromI4(number);
    }
}

// How ReadNumber reads a setting of `type`.
VARTYPE NumberType(SettingType type) {
    switch (type) {
    case SettingType::Int16:
        return VT_I2;
    case SettingType::Boolean:
        return VT_BOOL;
    case SettingType::Colour:
        return VT_UI4;
    default:
        return VT_I4;
    }
}

std::int32_t NumberOf(const VARIANT& typed) {
    switch (typed.vt) {
    case VT_I2:
        return typed.iVal;
    case VT_BOOL:
        return typed.boolVal != VARIANT_FALSE ? -1 : 0;
    default:
        return typed.lVal;
    }
}

Variant ThreeZeroBytes() {
    Variant bytes;
    SAFEARRAY* array = ::SafeArrayCreateVector(VT_UI1, 0, 3);
    if (!array) return bytes;
    void* data = nullptr;
    if (SUCCEEDED(::SafeArrayAccessData(array, &data))) {
        std::memset(data, 0, 3);
        ::SafeArrayUnaccessData(array);
    }
    bytes.vt = VT_ARRAY | VT_UI1;
    bytes.parray = array;
    return bytes;
}

Variant DefaultOf(const EffectSettingInfo& info, const SettingDefault& saved,
                  IFontDisp* ambientFont) {
    switch (saved.kind) {
    case DefaultKind::Number:
        return NumberVariant(info.type, saved.number);
    case DefaultKind::AmbientFont:
        return Variant::fromDispatch(ambientFont);
    case DefaultKind::ThreeZeroBytes:
    case DefaultKind::EmptyText:
        return ThreeZeroBytes();
    default:
        return Variant::fromDispatch(nullptr); // no picture (and no font)
    }
}

// A font of the bag becomes the set's own: sets never share one object.
HRESULT OwnObject(IDispatch* value, ComPtr<IDispatch>& own) {
    own = value;
    ComPtr<IFont> font;
    if (!value || FAILED(value->QueryInterface(IID_PPV_ARGS(&font)))) return S_OK;
    ComPtr<IFont> clone;
    PKW_RETURN_IF_FAILED(font->Clone(&clone));
    return clone.As(&own);
}

// --- Reading ---------------------------------------------------------------------

HRESULT IsKindOf(IDispatch* object, SettingType type) {
    ComPtr<IUnknown> kind;
    return type == SettingType::Font ? object->QueryInterface(IID_IFontDisp, &kind)
                                     : object->QueryInterface(IID_IPictureDisp, &kind);
}

// `type` VT_I2, VT_I4 or VT_BOOL; or VT_UI4 for a colour, which takes
// either sign (a system colour may be stored unsigned).
HRESULT ReadNumber(const ax::PropertyBag& bag, const std::wstring& key, const VARIANT& fallback,
                   VARTYPE type, std::int32_t& value) {
    Variant stored;
    PKW_RETURN_IF_FAILED(bag.read(key.c_str(), fallback, stored));
    if (stored.vt == type) { // as written: nothing to convert
        value = NumberOf(stored);
        return S_OK;
    }
    Variant typed;
    if (type == VT_UI4) {
        PKW_RETURN_IF_FAILED(ColourFromStored(stored, typed));
    } else {
        PKW_RETURN_IF_FAILED(::VariantChangeType(&typed, &stored, 0, type));
    }
    value = NumberOf(typed);
    return S_OK;
}

HRESULT ReadGradient(const ax::PropertyBag& bag, const BlockKey& key, IGradInfo* grad) {
    std::int32_t count = 0;
    PKW_RETURN_IF_FAILED(ReadNumber(bag, key.name, Variant::fromI2(0), VT_I2, count));
    if (count <= 0) return S_OK; // the set keeps its stops
    std::vector<GradStop> stops(static_cast<std::size_t>(count));
    for (std::int32_t j = 0; j < count; ++j) {
        const std::wstring stop = key.suffix + std::to_wstring(j);
        std::int32_t color = 0, percent = 0;
        // A stop that cannot be read stays zero: the list keeps its length.
        ignore(ReadNumber(bag, key.base + L"_GradColor" + stop, Variant::fromI4(0),
                          NumberType(SettingType::Colour), color));
        ignore(
            ReadNumber(bag, key.base + L"_GradPercent" + stop, Variant::fromI2(0), VT_I2, percent));
        stops[static_cast<std::size_t>(j)].GradColor = color;
        stops[static_cast<std::size_t>(j)].GradPercent = static_cast<SHORT>(percent);
    }
    PKW_RETURN_IF_FAILED(grad->put_Count(count));
    return grad->SetStops(count, stops.data());
}

HRESULT ReadSetting(const ax::PropertyBag& bag, const EffectSettingInfo& info,
                    const EffectSettingAccess& access, const BlockKey& key, const Variant& fallback,
                    IEffectSet* set) {
    switch (info.type) {
    case SettingType::Gradient: {
        ComPtr<IGradInfo> grad;
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getGradient);
        PKW_RETURN_IF_FAILED(access.getGradient(set, &grad));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, grad);
        return ReadGradient(bag, key, grad.Get());
    }
    case SettingType::Font:
    case SettingType::Picture: {
        Variant stored;
        PKW_RETURN_IF_FAILED(bag.read(key.name.c_str(), fallback, stored));
        if (stored.vt != VT_DISPATCH && stored.vt != VT_UNKNOWN && stored.vt != VT_EMPTY)
            return DISP_E_TYPEMISMATCH;
        ComPtr<IDispatch> object;
        if (stored.vt == VT_DISPATCH) PKW_RETURN_IF_FAILED(OwnObject(stored.pdispVal, object));
        if (stored.vt == VT_UNKNOWN && stored.punkVal)
            PKW_RETURN_IF_FAILED(stored.punkVal->QueryInterface(IID_PPV_ARGS(&object)));
        // A font setting never goes without a font; an object of the wrong
        // kind leaves the setting as it was.
        if (info.type == SettingType::Font && !object) return E_POINTER;
        if (object) PKW_RETURN_IF_FAILED(IsKindOf(object.Get(), info.type));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.putRefObject);
        return access.putRefObject(set, object.Get());
    }
    case SettingType::Text: {
        Variant stored, text;
        PKW_RETURN_IF_FAILED(bag.read(key.name.c_str(), fallback, stored));
        PKW_RETURN_IF_FAILED(ByteArrayToText(stored, text));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.putText);
        return access.putText(set, text.bstrVal);
    }
    default: {
        std::int32_t value = 0;
        PKW_RETURN_IF_FAILED(ReadNumber(bag, key.name, fallback, NumberType(info.type), value));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.putNumber);
        return access.putNumber(set, value);
    }
    }
}

// --- Writing ---------------------------------------------------------------------

HRESULT WriteGradient(const ax::PropertyBag& bag, const BlockKey& key, IGradInfo* grad) {
    LONG count = 0;
    PKW_RETURN_IF_FAILED(grad->get_Count(&count));
    PKW_RETURN_IF_FAILED(bag.write(key.name.c_str(), Variant::fromI2(static_cast<SHORT>(count)),
                                   Variant::fromI2(0)));
    for (LONG j = 0; j < count; ++j) {
        GradStop stop{};
        PKW_RETURN_IF_FAILED(grad->GetStop(j, &stop));
        const std::wstring index = key.suffix + std::to_wstring(j);
        PKW_RETURN_IF_FAILED(bag.write((key.base + L"_GradColor" + index).c_str(),
                                       Variant::fromI4(stop.GradColor), Variant::fromI4(0)));
        PKW_RETURN_IF_FAILED(bag.write((key.base + L"_GradPercent" + index).c_str(),
                                       Variant::fromI2(stop.GradPercent), Variant::fromI2(0)));
    }
    return S_OK;
}

HRESULT WriteSetting(const ax::PropertyBag& bag, const EffectSettingInfo& info,
                     const EffectSettingAccess& access, const BlockKey& key,
                     const Variant& fallback, IEffectSet* set) {
    const std::wstring& name = key.name;
    switch (info.type) {
    case SettingType::Gradient: {
        ComPtr<IGradInfo> grad;
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getGradient);
        PKW_RETURN_IF_FAILED(access.getGradient(set, &grad));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, grad);
        return WriteGradient(bag, key, grad.Get());
    }
    case SettingType::Font:
    case SettingType::Picture: {
        ComPtr<IDispatch> object;
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getObject);
        PKW_RETURN_IF_FAILED(access.getObject(set, &object));
        return bag.write(name.c_str(), Variant::fromDispatch(object.Get()), fallback);
    }
    case SettingType::Text: {
        Bstr text;
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getText);
        PKW_RETURN_IF_FAILED(access.getText(set, text.put()));
        Variant bytes;
        PKW_RETURN_IF_FAILED(TextToByteArray(text.view().data(), text.length(), bytes));
        return bag.write(name.c_str(), bytes, fallback);
    }
    default: {
        std::int32_t value = 0;
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getNumber);
        PKW_RETURN_IF_FAILED(access.getNumber(set, &value));
        return bag.write(name.c_str(), NumberVariant(info.type, value), fallback);
    }
    }
}

} // namespace

void ReadEffectBlock(const ax::PropertyBag& bag, EffectBlock block, int state, IEffectSet* set,
                     IFontDisp* ambientFont) {
    if (!set) return;
    const auto accessors = EffectSettingAccessors();
    for (std::size_t i = 0; i < globals::kEffectSettingCount; ++i) {
        const EffectSettingInfo& info = globals::kEffectSettings[i];
        const SettingDefault* saved = SavedDefault(info, block);
        if (!saved) continue;
        // Each setting on its own: one that fails keeps the set's value.
        ignore(ReadSetting(bag, info, accessors[i], KeyAt(i, block, state),
                           DefaultOf(info, *saved, ambientFont), set));
    }
}

HRESULT WriteEffectBlock(const ax::PropertyBag& bag, EffectBlock block, int state, IEffectSet* set,
                         IFontDisp* ambientFont) {
    PKW_RETURN_HR_IF_NULL(E_POINTER, set);
    const auto accessors = EffectSettingAccessors();
    for (std::size_t i = 0; i < globals::kEffectSettingCount; ++i) {
        const EffectSettingInfo& info = globals::kEffectSettings[i];
        const SettingDefault* saved = SavedDefault(info, block);
        if (!saved) continue;
        PKW_RETURN_IF_FAILED(WriteSetting(bag, info, accessors[i], KeyAt(i, block, state),
                                          DefaultOf(info, *saved, ambientFont), set));
    }
    return S_OK;
}

} // namespace pkw::persist
