// The editor's state apart from its window: which sheet and setting are
// chosen, and what the user has typed for it.
#pragma once

#include "siblings/proppage/working_copy.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace pkw::proppage {

class EditorState {
public:
    explicit EditorState(WorkingCopy& copy) noexcept : copy_(copy) {}

    WorkingCopy& copy() noexcept { return copy_; }
    std::size_t sheet() const noexcept { return sheet_; }
    std::optional<std::size_t> row() const noexcept { return row_; }

    // Another sheet: no setting is chosen.
    void chooseSheet(std::size_t sheet);
    void chooseRow(std::optional<std::size_t> row);
    // What the value field shows for the chosen setting.
    std::wstring valueText() const;
    // Typed text for the chosen setting: stored in the copy when it reads
    // as a value, remembered as a problem otherwise.
    EditResult type(std::wstring_view text);
    // Flips a Boolean setting; false for any other.
    bool toggle(std::size_t row);
    // The hint line: the problem with the typed text, or what may be typed.
    std::wstring hint() const;
    // OK closes only when the last typed text was a value.
    bool canAccept() const noexcept { return problem_.empty(); }

private:
    WorkingCopy& copy_;
    std::size_t sheet_ = 0;
    std::optional<std::size_t> row_;
    std::wstring problem_;
};

} // namespace pkw::proppage
