// The effect sets of a selection control: four for its visual states (normal,
// hot, pressed, disabled) and one for its tool tip, created with the
// creation defaults of the shared settings table.
#include "selection/selection_control.h"

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "persistence/effect_set_access.h"
#include "siblings/api/loader.h"
#include "siblings/api/plain.h"

namespace pkw::selection {
namespace {

using globals::DefaultKind;
using globals::EffectSettingInfo;
using globals::SettingDefault;

constexpr LONG kStateSets = 4;
constexpr wchar_t kGlobalsDll[] = L"zelGlobals40.dll";

// Which creation column of the table a new set takes.
enum class Column { State, Tip };

HRESULT NewFont(const wchar_t* name, int points, ComPtr<IFontDisp>& font) {
    CY size{};
    size.int64 = points * 10000LL;
    FONTDESC desc{sizeof(FONTDESC),
                  const_cast<LPOLESTR>(name),
                  size,
                  FW_NORMAL,
                  DEFAULT_CHARSET,
                  FALSE,
                  FALSE,
                  FALSE};
    return ::OleCreateFontIndirect(&desc, IID_IFontDisp,
                                   reinterpret_cast<void**>(font.ReleaseAndGetAddressOf()));
}

HRESULT SetStops(IGradInfo* grad, std::span<const globals::StopValue> stops) {
    std::vector<GradStop> records(stops.size());
    for (std::size_t i = 0; i < stops.size(); ++i) {
        records[i].GradColor = static_cast<LONG>(stops[i].color);
        records[i].GradPercent = stops[i].percent;
    }
    const LONG count = static_cast<LONG>(records.size());
    PKW_RETURN_IF_FAILED(grad->put_Count(count));
    if (count == 0) return S_OK;
    return grad->SetStops(count, records.data());
}

// Gives one setting of `set` its creation value; "keep" leaves it.
template <typename FontSource>
HRESULT ApplyCreationValue(IEffectSet* set, const persist::EffectSettingAccess& access,
                           const SettingDefault& value, FontSource&& font) {
    switch (value.kind) {
    case DefaultKind::Number:
        return access.putNumber ? access.putNumber(set, value.number) : E_UNEXPECTED;
    case DefaultKind::Keep:
    case DefaultKind::NotPersisted:
    case DefaultKind::ThreeZeroBytes:
        return S_OK;
    case DefaultKind::NoPicture:
        return access.putRefObject ? access.putRefObject(set, nullptr) : E_UNEXPECTED;
    case DefaultKind::NewFont: {
        ComPtr<IFontDisp> fresh;
        PKW_RETURN_IF_FAILED(NewFont(globals::kNewFontName.data(), globals::kNewFontPoints, fresh));
        return access.putRefObject ? access.putRefObject(set, fresh.Get()) : E_UNEXPECTED;
    }
    case DefaultKind::AmbientFont: {
        ComPtr<IFontDisp> ambient = font();
        PKW_RETURN_HR_IF_NULL(E_FAIL, ambient);
        return access.putRefObject ? access.putRefObject(set, ambient.Get()) : E_UNEXPECTED;
    }
    case DefaultKind::EmptyText: {
        Bstr empty(L"");
        return access.putText ? access.putText(set, empty.get()) : E_UNEXPECTED;
    }
    case DefaultKind::NoStops:
    case DefaultKind::StandardStops: {
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, access.getGradient);
        ComPtr<IGradInfo> grad;
        PKW_RETURN_IF_FAILED(access.getGradient(set, &grad));
        PKW_RETURN_HR_IF_NULL(E_UNEXPECTED, grad);
        if (value.kind == DefaultKind::NoStops) return SetStops(grad.Get(), {});
        return SetStops(grad.Get(), globals::kStandardStops);
    }
    }
    return E_UNEXPECTED;
}

// A new EffectSet with one creation column applied. Every setting is
// tried; the first failure is reported.
template <typename FontSource>
HRESULT NewEffectSet(Column column, FontSource&& font, ComPtr<IEffectSet>& out) {
    ComPtr<IEffectSet> set;
    PKW_RETURN_IF_FAILED(sib::CreateSiblingObject(kGlobalsDll, CLSID_EffectSet, IID_IEffectSet,
                                                  reinterpret_cast<void**>(set.GetAddressOf())));
    HRESULT first = S_OK;
    const auto accessors = persist::EffectSettingAccessors();
    for (std::size_t i = 0; i < globals::kEffectSettingCount; ++i) {
        const EffectSettingInfo& info = globals::kEffectSettings[i];
        const SettingDefault& value = column == Column::State ? info.stateInit : info.tipInit;
        const HRESULT hr = ApplyCreationValue(set.Get(), accessors[i], value, font);
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
    }
    out = std::move(set);
    return first;
}

HRESULT CopyFontAttributes(IFont* from, IFont* to) {
    Bstr name;
    PKW_RETURN_IF_FAILED(from->get_Name(name.put()));
    PKW_RETURN_IF_FAILED(to->put_Name(name.get()));
    CY size{};
    PKW_RETURN_IF_FAILED(from->get_Size(&size));
    PKW_RETURN_IF_FAILED(to->put_Size(size));
    BOOL flag = FALSE;
    PKW_RETURN_IF_FAILED(from->get_Bold(&flag));
    PKW_RETURN_IF_FAILED(to->put_Bold(flag));
    PKW_RETURN_IF_FAILED(from->get_Italic(&flag));
    PKW_RETURN_IF_FAILED(to->put_Italic(flag));
    PKW_RETURN_IF_FAILED(from->get_Underline(&flag));
    PKW_RETURN_IF_FAILED(to->put_Underline(flag));
    PKW_RETURN_IF_FAILED(from->get_Strikethrough(&flag));
    return to->put_Strikethrough(flag);
}

} // namespace

ComPtr<IEffectSet> EffectSetArray::at(LONG index) const {
    if (index < lowerBound || index > upperBound()) return nullptr;
    ComPtr<IEffectSet> set;
    const auto& item = items[static_cast<std::size_t>(index - lowerBound)];
    if (item) ignore(item.As(&set));
    return set;
}

bool SelectionControl::HasEffectSets() const {
    return !state_.m_EffectsProps.empty() && state_.m_EffectsProps.upperBound() >= 1;
}

ComPtr<IFontDisp> SelectionControl::EffectFont() const {
    ComPtr<IFontDisp> font = ambientFont();
    ComPtr<IFont> editable;
    if (font && SUCCEEDED(font.As(&editable))) {
        ignore(editable->put_Charset(static_cast<SHORT>(sib::Uni().uniGetDefaultCharSet())));
    }
    return font;
}

HRESULT SelectionControl::CreateEffectSets() {
    // Sets the control already has (loaded or assigned) are kept.
    if (HasEffectSets()) return S_OK;
    EffectSetArray sets;
    HRESULT first = S_OK;
    for (LONG i = 0; i < kStateSets; ++i) {
        ComPtr<IEffectSet> set;
        const HRESULT hr = NewEffectSet(
            Column::State, [this] { return EffectFont(); }, set);
        if (FAILED(hr) && SUCCEEDED(first)) first = hr;
        sets.items.emplace_back(set);
    }
    state_.m_EffectsProps = std::move(sets);
    return first;
}

HRESULT SelectionControl::CreateTipEffectSet() {
    ComPtr<IEffectSet> set;
    const HRESULT hr = NewEffectSet(
        Column::Tip, [this] { return EffectFont(); }, set);
    EffectSetArray tip;
    tip.items.emplace_back(set);
    state_.m_TipEffectsProps = std::move(tip);

    state_.m_sngTipPreTimer = 2;
    state_.m_sngTipPostTimer = 6;
    state_.m_lTipShowMethod = 0;
    state_.m_lTipHideMethod = 0;
    state_.m_iTipAnimateSteps = 5;
    state_.m_lControlWidth = PixelWidth();
    state_.m_lControlHeight = PixelHeight();
    state_.m_bTipInitialized = true;
    propertyChanged(L"Enabled");
    return hr;
}

void SelectionControl::CopyFontToEffectSets() {
    ComPtr<IFont> source;
    if (!state_.m_Font || FAILED(state_.m_Font.As(&source))) return;
    for (LONG i = 0; i < kStateSets; ++i) {
        ComPtr<IEffectSet> set = state_.m_EffectsProps.at(i);
        if (!set) continue;
        ComPtr<IFontDisp> current;
        ComPtr<IFont> target;
        if (SUCCEEDED(set->get_Font(&current)) && current && SUCCEEDED(current.As(&target))) {
            ignore(CopyFontAttributes(source.Get(), target.Get()));
        } else {
            ComPtr<IFont> copy;
            ComPtr<IFontDisp> copyDisp;
            if (SUCCEEDED(source->Clone(&copy)) && SUCCEEDED(copy.As(&copyDisp)))
                ignore(set->putref_Font(copyDisp.Get()));
        }
    }
}

} // namespace pkw::selection
