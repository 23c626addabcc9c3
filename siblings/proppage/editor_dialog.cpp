#include "siblings/proppage/editor_dialog.h"

#include "common/com/module.h"
#include "siblings/proppage/editor_ids.h"
#include "siblings/proppage/editor_state.h"

#include <commctrl.h>

#include <string>

namespace pkw::proppage {
namespace {

class EditorDialog {
public:
    EditorDialog(const wchar_t* title, WorkingCopy& copy) : title_(title), state_(copy) {}

    static INT_PTR CALLBACK proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == WM_INITDIALOG) ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        auto* self = reinterpret_cast<EditorDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
        return self ? self->handle(hwnd, msg, wParam, lParam) : FALSE;
    }

private:
    INT_PTR handle(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        switch (msg) {
        case WM_INITDIALOG:
            hwnd_ = hwnd;
            initialise();
            return TRUE;
        case WM_NOTIFY:
            return onNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default:
            return FALSE;
        }
    }

    HWND item(int id) const { return ::GetDlgItem(hwnd_, id); }

    void initialise() {
        ::SetWindowTextW(hwnd_, title_);
        const auto& sheets = state_.copy().sheets();
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            TCITEMW tab{};
            tab.mask = TCIF_TEXT;
            tab.pszText = const_cast<wchar_t*>(sheets[i].title.c_str());
            ::SendMessageW(item(IDC_SHEETS), TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&tab));
        }
        HWND list = item(IDC_SETTINGS);
        ::SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                       LVS_EX_FULLROWSELECT);
        RECT client{};
        ::GetClientRect(list, &client);
        const int nameWidth = (client.right - client.left) * 2 / 5;
        addColumn(0, L"Setting", nameWidth);
        addColumn(1, L"Value",
                  client.right - client.left - nameWidth - ::GetSystemMetrics(SM_CXVSCROLL));
        showSheet(0);
    }

    void addColumn(int index, const wchar_t* text, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<wchar_t*>(text);
        column.cx = width;
        ::SendMessageW(item(IDC_SETTINGS), LVM_INSERTCOLUMNW, index,
                       reinterpret_cast<LPARAM>(&column));
    }

    void showSheet(std::size_t sheet) {
        state_.chooseSheet(sheet);
        HWND list = item(IDC_SETTINGS);
        ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
        ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
        const auto& rows = state_.copy().sheets().at(state_.sheet()).rows;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            LVITEMW entry{};
            entry.mask = LVIF_TEXT;
            entry.iItem = static_cast<int>(i);
            entry.pszText = const_cast<wchar_t*>(rows[i].setting.name.c_str());
            ::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&entry));
            showRowValue(i);
        }
        ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
        if (!rows.empty()) {
            LVITEMW selected{};
            selected.stateMask = selected.state = LVIS_SELECTED | LVIS_FOCUSED;
            ::SendMessageW(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
        }
        showChosen();
    }

    void showRowValue(std::size_t row) {
        const std::wstring text = state_.copy().text(state_.sheet(), row);
        LVITEMW entry{};
        entry.iSubItem = 1;
        entry.pszText = const_cast<wchar_t*>(text.c_str());
        ::SendMessageW(item(IDC_SETTINGS), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&entry));
    }

    // The value field and hint for the chosen setting.
    void showChosen() {
        const auto row = state_.row();
        const bool editable = row && state_.copy().row(state_.sheet(), *row).editable();
        const std::wstring label =
            row ? state_.copy().row(state_.sheet(), *row).setting.name + L":" : L"Value:";
        ::SetWindowTextW(item(IDC_VALUE_LABEL), label.c_str());
        filling_ = true;
        ::SetWindowTextW(item(IDC_VALUE), state_.valueText().c_str());
        filling_ = false;
        ::SendMessageW(item(IDC_VALUE), EM_SETREADONLY, !editable, 0);
        ::SetWindowTextW(item(IDC_HINT), state_.hint().c_str());
    }

    INT_PTR onNotify(const NMHDR& header) {
        if (header.idFrom == IDC_SHEETS && header.code == TCN_SELCHANGE) {
            const LRESULT tab = ::SendMessageW(item(IDC_SHEETS), TCM_GETCURSEL, 0, 0);
            if (tab >= 0) showSheet(static_cast<std::size_t>(tab));
            return TRUE;
        }
        if (header.idFrom != IDC_SETTINGS) return FALSE;
        if (header.code == LVN_ITEMCHANGED) {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) && (change.uNewState & LVIS_SELECTED) &&
                !(change.uOldState & LVIS_SELECTED) && change.iItem >= 0) {
                state_.chooseRow(static_cast<std::size_t>(change.iItem));
                showChosen();
            }
            return TRUE;
        }
        if (header.code == NM_DBLCLK) {
            // A double click flips a Boolean, the quickest change there is.
            const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
            if (click.iItem >= 0 && state_.toggle(static_cast<std::size_t>(click.iItem))) {
                showRowValue(static_cast<std::size_t>(click.iItem));
                showChosen();
            }
            return TRUE;
        }
        return FALSE;
    }

    void onCommand(int id, int code) {
        switch (id) {
        case IDC_VALUE:
            if (code == EN_CHANGE && !filling_) typed();
            return;
        case IDOK:
            if (!state_.canAccept()) {
                ::MessageBeep(MB_ICONWARNING);
                ::SetFocus(item(IDC_VALUE));
                return;
            }
            ::EndDialog(hwnd_, IDOK);
            return;
        case IDCANCEL:
            ::EndDialog(hwnd_, IDCANCEL);
            return;
        default:
            return;
        }
    }

    void typed() {
        const auto row = state_.row();
        if (!row) return;
        const int length = ::GetWindowTextLengthW(item(IDC_VALUE));
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        text.resize(
            static_cast<std::size_t>(::GetWindowTextW(item(IDC_VALUE), text.data(), length + 1)));
        if (state_.type(text) == EditResult::Stored) showRowValue(*row);
        ::SetWindowTextW(item(IDC_HINT), state_.hint().c_str());
    }

    const wchar_t* title_;
    EditorState state_;
    HWND hwnd_ = nullptr;
    bool filling_ = false; // the value field is being filled, not typed in
};

} // namespace

bool RunEditor(HWND owner, const wchar_t* title, WorkingCopy& copy) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    EditorDialog dialog(title, copy);
    return ::DialogBoxParamW(module::handle(), MAKEINTRESOURCEW(IDD_EDITOR), owner,
                             &EditorDialog::proc, reinterpret_cast<LPARAM>(&dialog)) == IDOK;
}

} // namespace pkw::proppage
