// What the editor edits: a copy of the values of one or more effect sets
// (and of plain values that come with them), grouped in sheets. Edits
// change only the copy; commit writes the changed settings to the sets,
// so a cancelled editor leaves every set as it was.
#pragma once

#include "common/com/type_info.h"
#include "common/com/variant.h"
#include "siblings/proppage/setting_list.h"

#include <oaidl.h>
#include <wrl/client.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::proppage {

struct Row {
    Setting setting;
    Variant original;
    Variant value;
    // The texts compare: a font typed anew with the same attributes is
    // no change.
    bool changed() const;
    bool editable() const;
};

struct Sheet {
    std::wstring title;
    Microsoft::WRL::ComPtr<IDispatch> set; // null for a sheet of plain values
    std::vector<Row> rows;
};

enum class EditResult { Stored, Invalid, ReadOnly };

class WorkingCopy {
public:
    // A sheet with every setting of `set`; a setting that cannot be read
    // is left out.
    HRESULT addSet(std::wstring title, IDispatch* set);
    // A sheet of plain values, filled with addValue.
    std::size_t addSheet(std::wstring title);
    void addValue(std::size_t sheet, std::wstring name, com::ValueType type, const VARIANT& value);

    const std::vector<Sheet>& sheets() const noexcept { return sheets_; }
    const Row& row(std::size_t sheet, std::size_t row) const {
        return sheets_.at(sheet).rows.at(row);
    }
    std::wstring text(std::size_t sheet, std::size_t row) const;
    // The row's value from typed text; why says what is wrong when it fails.
    EditResult setText(std::size_t sheet, std::size_t row, std::wstring_view text,
                       std::wstring& why);
    bool changed() const;

    // Writes every changed setting to its set. A setting that its set
    // refuses does not stop the others; the first failure is returned.
    HRESULT commit();

private:
    std::vector<Sheet> sheets_;
};

} // namespace pkw::proppage
