#include "selection/effect_set_fingerprint.h"

#include "common/com/bstr.h"
#include "common/com/com_ptr.h"
#include "persistence/effect_set_access.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>

namespace pkw::selection {
namespace {

using Microsoft::WRL::ComPtr;

// A stop list longer than this is no look; the drawing reads no further.
constexpr LONG kMostStops = 256;

// What a font draws with: the realised GDI font's description.
bool AddFont(IDispatch* object, std::vector<std::int32_t>& numbers,
             std::vector<std::wstring>& texts) {
    ComPtr<IFont> font;
    HFONT handle = nullptr;
    LOGFONTW lf{};
    if (!object) {
        texts.emplace_back();
        return true;
    }
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&font))) || FAILED(font->get_hFont(&handle)) ||
        !::GetObjectW(handle, sizeof(lf), &lf))
        return false;
    numbers.insert(numbers.end(), {lf.lfHeight, lf.lfWidth, lf.lfEscapement, lf.lfOrientation,
                                   lf.lfWeight, lf.lfItalic, lf.lfUnderline, lf.lfStrikeOut,
                                   lf.lfCharSet, lf.lfQuality, lf.lfPitchAndFamily});
    texts.emplace_back(lf.lfFaceName, ::wcsnlen(lf.lfFaceName, LF_FACESIZE));
    return true;
}

// A system colour is kept as what it shows now, so that a change of the
// system's colours builds the layers again.
std::int32_t Shown(std::int32_t colour) {
    COLORREF rgb = 0;
    return SUCCEEDED(::OleTranslateColor(static_cast<OLE_COLOR>(colour), nullptr, &rgb))
               ? static_cast<std::int32_t>(rgb)
               : colour;
}

bool AddStops(IGradInfo* list, std::vector<std::int32_t>& numbers) {
    LONG count = 0;
    if (list && FAILED(list->get_Count(&count))) return false;
    count = std::clamp<LONG>(count, 0, kMostStops);
    numbers.push_back(count);
    for (LONG j = 0; j < count; ++j) {
        GradStop stop{};
        if (FAILED(list->GetStop(j, &stop))) return false;
        numbers.insert(numbers.end(), {Shown(stop.GradColor), stop.GradPercent});
    }
    return true;
}

} // namespace

void SetFingerprint::take(IEffectSet* set) {
    numbers_.clear();
    texts_.clear();
    pictures_.clear();
    valid_ = false;
    if (!set) return;
    const auto accessors = persist::EffectSettingAccessors();
    const auto& rows = globals::kEffectSettings;
    for (std::size_t i = 0; i < accessors.size(); ++i) {
        const persist::EffectSettingAccess& a = accessors[i];
        if (a.getNumber) {
            std::int32_t value = 0;
            if (FAILED(a.getNumber(set, &value))) return;
            numbers_.push_back(rows[i].type == globals::SettingType::Colour ? Shown(value) : value);
        } else if (a.getObject) {
            IDispatch* raw = nullptr;
            if (FAILED(a.getObject(set, &raw))) return;
            const ComPtr<IDispatch> object = Adopt(raw);
            if (rows[i].type == globals::SettingType::Font) {
                if (!AddFont(object.Get(), numbers_, texts_)) return;
            } else {
                pictures_.emplace_back(object);
            }
        } else if (a.getText) {
            Bstr text;
            if (FAILED(a.getText(set, text.put()))) return;
            texts_.emplace_back(text.view());
        } else if (a.getGradient) {
            IGradInfo* raw = nullptr;
            if (FAILED(a.getGradient(set, &raw))) return;
            if (!AddStops(Adopt(raw).Get(), numbers_)) return;
        }
    }
    valid_ = true;
}

bool SetFingerprint::matches(const SetFingerprint& other) const {
    if (!valid_ || !other.valid_ || numbers_ != other.numbers_ || texts_ != other.texts_ ||
        pictures_.size() != other.pictures_.size())
        return false;
    for (std::size_t i = 0; i < pictures_.size(); ++i)
        if (pictures_[i].Get() != other.pictures_[i].Get()) return false;
    return true;
}

} // namespace pkw::selection
