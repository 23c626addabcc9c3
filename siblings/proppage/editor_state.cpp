#include "siblings/proppage/editor_state.h"

#include "siblings/proppage/setting_text.h"

namespace pkw::proppage {

void EditorState::chooseSheet(std::size_t sheet) {
    if (sheet >= copy_.sheets().size()) return;
    sheet_ = sheet;
    chooseRow(std::nullopt);
}

void EditorState::chooseRow(std::optional<std::size_t> row) {
    if (row && *row >= copy_.sheets().at(sheet_).rows.size()) row.reset();
    row_ = row;
    problem_.clear();
}

std::wstring EditorState::valueText() const {
    return row_ ? copy_.text(sheet_, *row_) : std::wstring();
}

EditResult EditorState::type(std::wstring_view text) {
    if (!row_) return EditResult::ReadOnly;
    std::wstring why;
    const EditResult result = copy_.setText(sheet_, *row_, text, why);
    problem_ = result == EditResult::Invalid ? why : std::wstring();
    return result;
}

bool EditorState::toggle(std::size_t row) {
    const auto& rows = copy_.sheets().at(sheet_).rows;
    if (row >= rows.size()) return false;
    const Row& r = rows[row];
    if (r.setting.type.kind != com::ValueType::Kind::Plain || r.setting.type.vt != VT_BOOL ||
        !r.editable())
        return false;
    std::wstring why;
    const bool on = r.value.vt == VT_BOOL && r.value.boolVal != VARIANT_FALSE;
    return copy_.setText(sheet_, row, on ? L"False" : L"True", why) == EditResult::Stored;
}

std::wstring EditorState::hint() const {
    if (!problem_.empty()) return problem_;
    if (!row_) return L"Choose a setting to change it.";
    const Row& r = copy_.row(sheet_, *row_);
    if (!r.editable()) return L"Shown here; not changed in this editor.";
    return std::wstring(SettingHint(r.setting.type));
}

} // namespace pkw::proppage
