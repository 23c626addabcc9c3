// The glyph image: a strip of frames borrowed from the resource server
// (the control's built-in strip, or a host image kept under a name) and
// given back when the control lets go of it.
//
// A host offers its own image through QuerySkin, which passes the skin map
// as a SkinMapInfo record by reference. The record argument is built here
// by hand (oleaut32 does not marshal records through the type library
// under every runtime), and the host's answers are read back from it.
#include "selection/selection_control.h"

#include "selection/picture_bitmap.h"

#include "common/com/com_ptr.h"
#include "common/com/hresult.h"
#include "siblings/api/plain.h"

#include <array>

namespace pkw::selection {
namespace {

constexpr LONG kMagenta = 0xFF00FF;

// The type library's SkinMapInfo record.
constexpr GUID kSkinMapInfoType{
    0x27E6D4B0, 0x6CC6, 0x443E, {0xA0, 0xA1, 0x37, 0x62, 0x6A, 0x53, 0xC9, 0x37}};

// One SkinMapInfo as the host sees it during QuerySkin. Owns the record's
// string, whichever string the host left there.
class SkinRecord {
public:
    SkinRecord(ComPtr<IRecordInfo> info, const SkinMap& skin) : info_(std::move(info)) {
        data_.MemDC = static_cast<LONG>(reinterpret_cast<LONG_PTR>(skin.MemDC));
        data_.ImageName =
            ::SysAllocStringLen(skin.ImageName.data(), static_cast<UINT>(skin.ImageName.size()));
        data_.DCHeight = skin.DCHeight;
        data_.DCWidth = skin.DCWidth;
        data_.IMGHeight = skin.IMGHeight;
        data_.IMGWidth = skin.IMGWidth;
        data_.MapMargin = {skin.MapMargin.left, skin.MapMargin.top, skin.MapMargin.right,
                           skin.MapMargin.bottom};
        data_.MaskColor = skin.MaskColor;
        data_.BackColor = skin.BackColor;
        data_.RGN1BltMode = skin.RGN1BltMode ? VARIANT_TRUE : VARIANT_FALSE;
        data_.RGN2BltMode = skin.RGN2BltMode ? VARIANT_TRUE : VARIANT_FALSE;
        data_.RGN3BltMode = skin.RGN3BltMode ? VARIANT_TRUE : VARIANT_FALSE;
        data_.RGN4BltMode = skin.RGN4BltMode ? VARIANT_TRUE : VARIANT_FALSE;
        data_.RGN5BltMode = skin.RGN5BltMode;
    }
    SkinRecord(const SkinRecord&) = delete;
    SkinRecord& operator=(const SkinRecord&) = delete;
    // ImageName is the only field that owns anything. Freed by hand: a
    // failing RecordClear would not tell whether it got that far.
    ~SkinRecord() { ::SysFreeString(data_.ImageName); }

    VARIANTARG byReference() {
        VARIANTARG arg;
        ::VariantInit(&arg);
        arg.vt = VT_RECORD | VT_BYREF;
        arg.pvRecord = &data_;
        arg.pRecInfo = info_.Get();
        return arg;
    }

    // Everything but MemDC, which is the control's to fill.
    void readBack(SkinMap& skin) const {
        skin.ImageName.assign(data_.ImageName ? data_.ImageName : L"",
                              ::SysStringLen(data_.ImageName));
        skin.DCHeight = data_.DCHeight;
        skin.DCWidth = data_.DCWidth;
        skin.IMGHeight = data_.IMGHeight;
        skin.IMGWidth = data_.IMGWidth;
        skin.MapMargin = RECT{data_.MapMargin.Left, data_.MapMargin.Top, data_.MapMargin.Right,
                              data_.MapMargin.Bottom};
        skin.MaskColor = data_.MaskColor;
        skin.BackColor = data_.BackColor;
        skin.RGN1BltMode = data_.RGN1BltMode != VARIANT_FALSE;
        skin.RGN2BltMode = data_.RGN2BltMode != VARIANT_FALSE;
        skin.RGN3BltMode = data_.RGN3BltMode != VARIANT_FALSE;
        skin.RGN4BltMode = data_.RGN4BltMode != VARIANT_FALSE;
        skin.RGN5BltMode = data_.RGN5BltMode;
    }

private:
    ComPtr<IRecordInfo> info_;
    SkinMapInfo data_{};
};

} // namespace

void SelectionControl::ReleaseSkin() {
    glyphs_.reset();
    ax::ReleaseSkin(state_.m_SkinMap, state_.m_bCustomSkin);
}

void SelectionControl::LoadBuiltInSkin() {
    SkinMap& skin = state_.m_SkinMap;
    const GlyphStrip& strip = traits_.strip;
    skin.MemDC = sib::ResSrv().GetStaticResDc(strip.resourceId, 0);
    skin.MapMargin = strip.margins;
    skin.MaskColor = kMagenta;
    skin.DCWidth = strip.frameSize;
    skin.DCHeight = strip.frameSize * strip.frames;
    skin.IMGWidth = strip.frameSize;
    skin.IMGHeight = strip.frameSize;
    state_.m_bCustomSkin = false;
}

void SelectionControl::LoadDefaultSkin() {
    ReleaseSkin();
    LoadBuiltInSkin();
}

void SelectionControl::LoadCustomSkin() {
    ReleaseSkin();
    ComPtr<IDispatch> answer;
    QuerySkin(traits_.strip.resourceId, answer);
    const HBITMAP bitmap = BitmapOfPicture(answer.Get());
    const std::wstring name = state_.m_SkinMap.ImageName;
    if (!name.empty() && bitmap && LoadSkinFromPicture(traits_.strip.resourceId, name, bitmap)) {
        state_.m_bCustomSkin = true;
    } else {
        LoadBuiltInSkin();
    }
}

void SelectionControl::QuerySkin(LONG lID, ComPtr<IDispatch>& answer) {
    answer.Reset();
    ComPtr<IRecordInfo> info;
    if (FAILED(recordInfo(kSkinMapInfoType, &info)) || !info) return;
    SkinRecord record(info, state_.m_SkinMap);
    // p starts as nothing; whatever the host leaves there is ours to release.
    IDispatch* picture = nullptr;
    std::array<VARIANTARG, 3> args{};
    args[0].vt = VT_I4;
    args[0].lVal = lID;
    args[1] = record.byReference();
    args[2].vt = VT_DISPATCH | VT_BYREF;
    args[2].ppdispVal = &picture;
    ignore(fireEvent(traits_.events.querySkin, args));
    answer = pkw::Adopt(picture);
    // A handler that loaded a skin meanwhile (ApplyDefaultSkin from inside
    // QuerySkin) gets it given back before this load takes its place.
    ReleaseSkin();
    record.readBack(state_.m_SkinMap);
}

bool SelectionControl::LoadSkinFromPicture(LONG lID, const std::wstring& sImageName,
                                           HBITMAP hBitmap) {
    if (lID != traits_.strip.resourceId) return false;
    SkinMap& skin = state_.m_SkinMap;
    skin.MemDC = sib::ResSrv().GetCustomResDc(hBitmap, ax::SkinImageKey(sImageName).c_str(), &skin.DCWidth,
                                              &skin.DCHeight);
    if (!skin.MemDC) return false;
    skin.IMGHeight = skin.DCHeight / traits_.strip.frames;
    skin.IMGWidth = skin.DCWidth;
    return true;
}

} // namespace pkw::selection
