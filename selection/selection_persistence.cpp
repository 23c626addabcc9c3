// Loading and saving a selection control's settings through the
// container's property bag (the stream path uses the same routines). The
// value keys are the control's own (loadValue / saveValue).
#include "selection/selection_control.h"

#include "common/com/hresult.h"
#include "persistence/control_keys.h"
#include "persistence/effect_blocks.h"
#include "siblings/api/loader.h"
#include "persistence/state_fields.h"

namespace pkw::selection {
namespace {

using persist::Key;

// The keys that are plain members of the state.
constexpr persist::StateField<SelectionState> kPlainFields[] = {
    {Key::TipInitialized, &SelectionState::m_bTipInitialized},
    {Key::VisualEffectStyle, &SelectionState::m_lVisualEffectStyle},
    {Key::TipPreTimer, &SelectionState::m_sngTipPreTimer},
    {Key::TipPostTimer, &SelectionState::m_sngTipPostTimer},
    {Key::TipShowMethod, &SelectionState::m_lTipShowMethod},
    {Key::TipHideMethod, &SelectionState::m_lTipHideMethod},
    {Key::TipAnimateSteps, &SelectionState::m_iTipAnimateSteps},
    {Key::ValueSetClick, &SelectionState::m_bValueSetClick},
    {Key::DisabledForeColor, &SelectionState::m_oDisabledForeColor},
    {Key::ForeColor, &SelectionState::m_oForeColor},
    {Key::DrawFocusRectangle, &SelectionState::m_bDrawFocusRectangle},
    {Key::Alignment, &SelectionState::m_lAlignment},
    {Key::BackColor, &SelectionState::m_oBackColor},
    {Key::Enabled, &SelectionState::m_bEnabled},
    {Key::BackStyle, &SelectionState::m_lBackStyle},
    {Key::ControlWidth, &SelectionState::m_lControlWidth},
    {Key::ControlHeight, &SelectionState::m_lControlHeight},
    {Key::XOffset, &SelectionState::m_lXOffset},
    {Key::YOffset, &SelectionState::m_lYOffset},
    {Key::NuToolTipText, &SelectionState::m_sNuToolTipText},
    {Key::Caption, &SelectionState::m_sCaption},
};

constexpr int kStateCount = 4;

// A new effect set with nothing applied: the saved block fills it.
HRESULT NewEffectSet(ComPtr<IEffectSet>& set) {
    return sib::CreateSiblingObject(L"zelGlobals40.dll", CLSID_EffectSet, IID_IEffectSet,
                                    reinterpret_cast<void**>(set.ReleaseAndGetAddressOf()));
}

// A stored object of the kind the setting takes, or none; `out` keeps its
// value when the object is of another kind.
template <typename I>
HRESULT ObjectOf(const VARIANT& typed, REFIID iid, ComPtr<I>& out) {
    if (typed.vt != VT_DISPATCH) return DISP_E_TYPEMISMATCH;
    ComPtr<I> object;
    if (typed.pdispVal)
        PKW_RETURN_IF_FAILED(
            typed.pdispVal->QueryInterface(iid, reinterpret_cast<void**>(object.GetAddressOf())));
    out = std::move(object);
    return S_OK;
}

Variant ObjectVariant(IUnknown* object) {
    ComPtr<IDispatch> dispatch;
    if (object) ignore(object->QueryInterface(IID_PPV_ARGS(&dispatch)));
    return Variant::fromDispatch(dispatch.Get());
}

} // namespace

HRESULT SelectionControl::onReadProperties(ax::PropertyBag& bag) {
    // Every step that fails is skipped: a damaged or older form still loads.
    const AmbientFontForPersistence ambientFont(*this);
    state_.m_hWnd = hwnd();
    const Key effectStyle[] = {Key::VisualEffectStyle};
    persist::ReadKeys(bag, effectStyle, *this);
    const ComPtr<IFontDisp> ambient = defaultFont();
    if (state_.m_lVisualEffectStyle == 1) {
        EffectSetArray sets;
        for (int i = 0; i < kStateCount; ++i) {
            ComPtr<IEffectSet> set;
            if (FAILED(NewEffectSet(set))) break;
            persist::ReadEffectBlock(bag, persist::EffectBlock::State, i, set.Get(), ambient.Get());
            sets.items.emplace_back(std::move(set));
        }
        if (sets.items.size() == kStateCount) state_.m_EffectsProps = std::move(sets);
    }

    const Key tipInitialized[] = {Key::TipInitialized};
    persist::ReadKeys(bag, tipInitialized, *this);
    ComPtr<IEffectSet> tip;
    if (!state_.m_bTipInitialized) {
        // Settings from before the tool tip had its own: its defaults.
        ignore(CreateTipEffectSet());
    } else if (SUCCEEDED(NewEffectSet(tip))) {
        persist::ReadEffectBlock(bag, persist::EffectBlock::Tip, 0, tip.Get(), ambient.Get());
        state_.m_TipEffectsProps.clear();
        state_.m_TipEffectsProps.items.emplace_back(std::move(tip));
        persist::ReadKeys(bag, persist::kTipTimingReadOrder, *this);
    }

    persist::ReadKeys(bag, traits_.controlReadOrder, *this);
    if (state_.m_lVisualEffectStyle == 1) {
        // The sums go to the container as they are (pixels where it expects twips).
        ignore(setSizeTwips(state_.m_lControlWidth + state_.m_lXOffset,
                            state_.m_lControlHeight + state_.m_lYOffset));
    }
    LoadDefaultSkin();
    persist::ReadKeys(bag, persist::kTextReadOrder, *this);

    if (ambientUserMode()) CreateToolTip();
    UpdateAccessKeys();
    state_.m_bInitialized = true;
    state_.m_bRedraw = true;
    return S_OK;
}

HRESULT SelectionControl::onWriteProperties(ax::PropertyBag& bag) {
    const AmbientFontForPersistence ambientFont(*this);
    PKW_RETURN_IF_FAILED(persist::WriteKeys(bag, persist::kHeaderWriteOrder, *this));
    const ComPtr<IFontDisp> ambient = defaultFont();
    // A set that is missing (a host gave a shorter array) fails the save, as
    // its getter would: the container reports it and keeps the form it had,
    // rather than a save that silently drops the state's settings.
    if (state_.m_lVisualEffectStyle == 1) {
        for (int i = 0; i < kStateCount; ++i) {
            const ComPtr<IEffectSet> set = state_.m_EffectsProps.at(i);
            PKW_RETURN_HR_IF_NULL(DISP_E_BADINDEX, set);
            PKW_RETURN_IF_FAILED(persist::WriteEffectBlock(bag, persist::EffectBlock::State, i,
                                                           set.Get(), ambient.Get()));
        }
    }
    const ComPtr<IEffectSet> tip = state_.m_TipEffectsProps.at(0);
    PKW_RETURN_HR_IF_NULL(DISP_E_BADINDEX, tip);
    PKW_RETURN_IF_FAILED(
        persist::WriteEffectBlock(bag, persist::EffectBlock::Tip, 0, tip.Get(), ambient.Get()));
    return persist::WriteKeys(bag, traits_.controlWriteOrder, *this);
}

ComPtr<IFontDisp> SelectionControl::defaultFont() {
    return persistenceFont_ ? persistenceFont_ : ambientFont();
}

SelectionControl::AmbientFontForPersistence::AmbientFontForPersistence(SelectionControl& control)
    : control_(control) {
    control_.persistenceFont_ = control_.ambientFont();
}

SelectionControl::AmbientFontForPersistence::~AmbientFontForPersistence() {
    control_.persistenceFont_.Reset();
}

HRESULT SelectionControl::load(Key key, const VARIANT& typed) {
    if (persist::LoadField<SelectionState>(kPlainFields, key, typed, state_)) {
        // Settings the window keeps too.
        if (key == Key::ForeColor) setForeColor(state_.m_oForeColor);
        if (key == Key::BackColor) setBackColor(state_.m_oBackColor);
        if (key == Key::Enabled) setEnabled(state_.m_bEnabled);
        return S_OK;
    }
    switch (key) {
    case Key::Font: {
        ComPtr<IFontDisp> loaded;
        PKW_RETURN_IF_FAILED(ObjectOf(typed, IID_IFontDisp, loaded));
        PKW_RETURN_HR_IF_NULL(E_POINTER, loaded);
        PKW_RETURN_IF_FAILED(setFont(loaded.Get()));
        SetFontObject(font());
        return S_OK;
    }
    case Key::MouseIcon: {
        ComPtr<IPictureDisp> icon;
        PKW_RETURN_IF_FAILED(ObjectOf(typed, IID_IPictureDisp, icon));
        return putref_MouseIcon(icon.Get());
    }
    case Key::MousePointer:
        return setMousePointer(typed.iVal);
    case Key::Picture:
        return ObjectOf(typed, IID_IPictureDisp, state_.m_Picture);
    case Key::PictureDisabled:
        return ObjectOf(typed, IID_IPictureDisp, state_.m_PictureDisabled);
    default:
        return loadValue(key, typed);
    }
}

HRESULT SelectionControl::save(Key key, Variant& typed) {
    if (persist::SaveField<SelectionState>(kPlainFields, key, state_, typed)) return S_OK;
    switch (key) {
    case Key::Font:
        typed = ObjectVariant(state_.m_Font.Get());
        return S_OK;
    case Key::MouseIcon:
        typed = ObjectVariant(mouseIcon().Get());
        return S_OK;
    case Key::MousePointer:
        typed = Variant::fromI2(mousePointer());
        return S_OK;
    case Key::Picture:
        typed = ObjectVariant(state_.m_Picture.Get());
        return S_OK;
    case Key::PictureDisabled:
        typed = ObjectVariant(state_.m_PictureDisabled.Get());
        return S_OK;
    default:
        return saveValue(key, typed);
    }
}

} // namespace pkw::selection
