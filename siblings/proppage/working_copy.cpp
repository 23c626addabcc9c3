#include "siblings/proppage/working_copy.h"

#include "common/com/hresult.h"
#include "siblings/proppage/setting_text.h"

#include <utility>

namespace pkw::proppage {

bool Row::changed() const {
    return SettingText(setting.type, original) != SettingText(setting.type, value);
}

bool Row::editable() const {
    return IsTypedIn(setting.type) && setting.putFlag != 0;
}

HRESULT WorkingCopy::addSet(std::wstring title, IDispatch* set) {
    std::vector<Setting> settings;
    PKW_RETURN_IF_FAILED(ListSettings(set, settings));
    Sheet sheet{std::move(title), set, {}};
    for (Setting& setting : settings) {
        Row row;
        if (FAILED(ReadSetting(set, setting, row.original))) continue;
        row.value = row.original;
        row.setting = std::move(setting);
        sheet.rows.push_back(std::move(row));
    }
    sheets_.push_back(std::move(sheet));
    return S_OK;
}

std::size_t WorkingCopy::addSheet(std::wstring title) {
    sheets_.push_back({std::move(title), nullptr, {}});
    return sheets_.size() - 1;
}

void WorkingCopy::addValue(std::size_t sheet, std::wstring name, com::ValueType type,
                           const VARIANT& value) {
    Row row;
    row.setting = {std::move(name), DISPID_UNKNOWN, std::move(type), DISPATCH_PROPERTYPUT};
    row.original = Variant(value);
    row.value = row.original;
    sheets_.at(sheet).rows.push_back(std::move(row));
}

std::wstring WorkingCopy::text(std::size_t sheet, std::size_t index) const {
    const Row& r = row(sheet, index);
    return SettingText(r.setting.type, r.value);
}

EditResult WorkingCopy::setText(std::size_t sheet, std::size_t index, std::wstring_view text,
                                std::wstring& why) {
    Row& r = sheets_.at(sheet).rows.at(index);
    if (!r.editable()) {
        why = L"This setting cannot be changed here.";
        return EditResult::ReadOnly;
    }
    Variant parsed;
    if (!ParseSetting(r.setting.type, text, parsed, why)) return EditResult::Invalid;
    // Numbers keep the type the set gave them; a colour keeps its bits.
    if (parsed.vt == VT_UI4 && r.original.vt == VT_I4) parsed.vt = VT_I4;
    if (parsed.vt != r.original.vt && r.original.vt != VT_EMPTY && r.original.vt != VT_DISPATCH &&
        FAILED(::VariantChangeType(&parsed, &parsed, 0, r.original.vt))) {
        why = L"The value does not fit this setting.";
        return EditResult::Invalid;
    }
    r.value = parsed;
    return EditResult::Stored;
}

bool WorkingCopy::changed() const {
    for (const Sheet& sheet : sheets_)
        for (const Row& r : sheet.rows)
            if (r.changed()) return true;
    return false;
}

HRESULT WorkingCopy::commit() {
    HRESULT first = S_OK;
    for (Sheet& sheet : sheets_) {
        if (!sheet.set) continue;
        for (Row& r : sheet.rows) {
            if (!r.changed()) continue;
            const HRESULT hr = WriteSetting(sheet.set.Get(), r.setting, r.value);
            if (FAILED(hr) && SUCCEEDED(first)) first = hr;
        }
    }
    return first;
}

} // namespace pkw::proppage
