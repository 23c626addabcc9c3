// The Effects page's work apart from its window: the first selected
// control read, the editor called with the page's values, its answer
// kept or undone, and the result written to every selected control.
#include "host/container_test.h"
#include "pages/effects_page_state.h"

#include <functional>
#include <vector>

namespace pkw::test {
namespace {

using pages::EffectsPageState;

// Stands in for the special-effects editor: records each call's arguments
// and answers as told, after changing them as told.
class StandInEditor : public ComObject<StandInEditor, IDispatch> {
public:
    void* find(REFIID riid) noexcept {
        return riid == IID_IUnknown || riid == IID_IDispatch ? static_cast<IDispatch*>(this)
                                                             : nullptr;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        const std::wstring name = names[0];
        *ids = name == L"InitSelectProps" ? 1 : name == L"InitTipProps" ? 2 : DISPID_UNKNOWN;
        return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO*, UINT*) override {
        calls.push_back(id);
        types.clear();
        // In declaration order (Invoke passes them last to first).
        for (UINT i = params->cArgs; i-- > 0;)
            types.push_back(params->rgvarg[i].vt);
        if (change) change(*params);
        ::VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = answer;
        return S_OK;
    }

    std::vector<DISPID> calls;
    std::vector<VARTYPE> types;
    std::function<void(DISPPARAMS&)> change;
    VARIANT_BOOL answer = VARIANT_TRUE;
};

class EffectsPageStateTest : public ContainerTest {
protected:
    ComPtr<Site> placeControl(const wchar_t* progId, const wchar_t* name, LONG top) {
        auto site = place(progId, name, {10, top, 130, top + 24});
        EXPECT_TRUE(site);
        return site;
    }
    ComPtr<StandInEditor> editor_ = makeCom<StandInEditor>();
};

TEST_F(EffectsPageStateTest, TheEditorGetsTheFirstControlsValuesByReferenceWithItsType) {
    auto option = placeControl(L"zelPickwell40.NuOption40", L"Option1", 10);
    auto box = placeControl(L"zelPickwell40.NuCheckBox40", L"Check1", 40);
    ASSERT_TRUE(option && box);
    ASSERT_EQ(putProperty(option->dispatch(), L"ControlWidth", Variant::fromI4(77)), S_OK);
    SHORT seenType = -1;
    LONG seenWidth = 0;
    editor_->change = [&](DISPPARAMS& p) {
        seenType = *p.rgvarg[4].piVal;
        seenWidth = *p.rgvarg[3].plVal;
    };

    EffectsPageState fromOption;
    pages::ReadFirstControl(fromOption, option->dispatch());
    pages::EditControlEffects(fromOption, editor_.Get());
    EXPECT_EQ(seenType, 1);
    EXPECT_EQ(seenWidth, 77);
    EXPECT_EQ(editor_->types,
              (std::vector<VARTYPE>{VT_BYREF | VT_VARIANT, VT_BYREF | VT_BSTR, VT_BYREF | VT_I2,
                                    VT_BYREF | VT_I4, VT_BYREF | VT_I4, VT_BYREF | VT_I4,
                                    VT_BYREF | VT_I4}));

    EffectsPageState fresh;
    pages::ReadFirstControl(fresh, box->dispatch());
    pages::EditControlEffects(fresh, editor_.Get());
    EXPECT_EQ(seenType, 0);
}

TEST_F(EffectsPageStateTest, AControlInTheStandardLookHasNoControlEffectsToEdit) {
    auto plain = placeControl(L"zelPickwell40.NuCheckBox40", L"Check1", 10);
    auto special = placeControl(L"zelPickwell40.NuCheckBox40", L"Check2", 40);
    ASSERT_TRUE(plain && special);
    ASSERT_EQ(putProperty(special->dispatch(), L"VisualEffectStyle", Variant::fromI4(1)), S_OK);
    EffectsPageState state;
    pages::ReadFirstControl(state, special->dispatch());
    EXPECT_TRUE(state.effectsEnabled);
    pages::ReadFirstControl(state, plain->dispatch());
    EXPECT_FALSE(state.effectsEnabled);
}

TEST_F(EffectsPageStateTest, TrueUndoesWhatTheEditorDidAndAnythingElseMakesThePageDirty) {
    auto box = placeControl(L"zelPickwell40.NuCheckBox40", L"Check1", 10);
    ASSERT_TRUE(box);
    EffectsPageState state;
    pages::ReadFirstControl(state, box->dispatch());
    ASSERT_EQ(state.tipEffectsProps.vt, VT_ARRAY | VT_DISPATCH);
    // The editor drops the array it was given.
    editor_->change = [](DISPPARAMS& p) { ::VariantClear(p.rgvarg[p.cArgs - 1].pvarVal); };

    EXPECT_FALSE(pages::EditTipEffects(state, editor_.Get()));
    EXPECT_EQ(state.tipEffectsProps.vt, VT_ARRAY | VT_DISPATCH) << "the saved copy is back";
    EXPECT_FALSE(state.dirty);
    EXPECT_FALSE(state.lastEditedControl);

    editor_->answer = VARIANT_FALSE;
    editor_->change = nullptr;
    EXPECT_TRUE(pages::EditTipEffects(state, editor_.Get()));
    EXPECT_TRUE(state.dirty);
    EXPECT_EQ(editor_->calls, (std::vector<DISPID>{2, 2}));
}

TEST_F(EffectsPageStateTest, ApplyGivesEveryControlTheFirstsSizeOffsetsCaptionFontAndTipSets) {
    auto first = placeControl(L"zelPickwell40.NuCheckBox40", L"Check1", 10);
    auto second = placeControl(L"zelPickwell40.NuCheckBox40", L"Check2", 40);
    ASSERT_TRUE(first && second);
    ASSERT_EQ(putProperty(first->dispatch(), L"VisualEffectStyle", Variant::fromI4(1)), S_OK);
    EffectsPageState state;
    pages::ReadFirstControl(state, first->dispatch());
    editor_->answer = VARIANT_FALSE;
    editor_->change = [](DISPPARAMS& p) {
        ::SysFreeString(*p.rgvarg[5].pbstrVal);
        *p.rgvarg[5].pbstrVal = ::SysAllocString(L"Shared");
        *p.rgvarg[3].plVal = 90;
        *p.rgvarg[0].plVal = 4;
    };
    ASSERT_TRUE(pages::EditControlEffects(state, editor_.Get()));
    // The font of the first state set is the one every control gets.
    Variant sets, set, font;
    ASSERT_EQ(getProperty(first->dispatch(), L"EffectsProps", sets), S_OK);
    LONG index = 0;
    ASSERT_EQ(::SafeArrayGetElement(sets.parray, &index, &set.pdispVal), S_OK);
    set.vt = VT_DISPATCH;
    ASSERT_EQ(getProperty(set.pdispVal, L"Font", font), S_OK);
    ASSERT_EQ(putProperty(font.pdispVal, L"Bold", Variant::fromBool(true)), S_OK);

    IDispatch* const controls[] = {first->dispatch(), second->dispatch()};
    pages::ApplyToControls(state, controls);
    Variant firstTip;
    ASSERT_EQ(getProperty(first->dispatch(), L"TipEffectsProps", firstTip), S_OK);
    for (IDispatch* control : controls) {
        Variant value, bold, tip;
        EXPECT_EQ(getProperty(control, L"ControlWidth", value), S_OK);
        EXPECT_EQ(value.lVal, 90);
        EXPECT_EQ(getProperty(control, L"YOffset", value), S_OK);
        EXPECT_EQ(value.lVal, 4);
        EXPECT_EQ(getProperty(control, L"UniCaption", value), S_OK);
        EXPECT_EQ(std::wstring(value.bstrVal), L"Shared");
        ASSERT_EQ(getProperty(control, L"Font", value), S_OK);
        EXPECT_EQ(getProperty(value.pdispVal, L"Bold", bold), S_OK);
        EXPECT_EQ(bold.boolVal, VARIANT_TRUE);
        ASSERT_EQ(getProperty(control, L"TipEffectsProps", tip), S_OK);
        Variant mine, firsts;
        ASSERT_EQ(::SafeArrayGetElement(tip.parray, &index, &mine.pdispVal), S_OK);
        ASSERT_EQ(::SafeArrayGetElement(firstTip.parray, &index, &firsts.pdispVal), S_OK);
        mine.vt = firsts.vt = VT_DISPATCH;
        EXPECT_EQ(mine.pdispVal, firsts.pdispVal) << "the first control's tip set, shared";
    }
}

} // namespace
} // namespace pkw::test
