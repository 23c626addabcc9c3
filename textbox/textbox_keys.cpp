// Keys the container would keep for itself (through the accelerator hook),
// soft tabs and block indentation, and the delayed notifications.
#include "textbox/nu_mtext40.h"

#include <array>
#include <string>
#include <vector>

namespace pkw::textbox {
namespace {

// Keys that move the caret: the edit window gets them, the dialog does not.
constexpr WORD kNavigationKeys[] = {VK_UP,   VK_DOWN,  VK_LEFT, VK_RIGHT,
                                    VK_NEXT, VK_PRIOR, VK_HOME, VK_END};

bool isNavigationKey(WORD key) noexcept {
    for (const WORD k : kNavigationKeys)
        if (k == key) return true;
    return false;
}

} // namespace

STDMETHODIMP NuMText40::TranslateAccelerator(LONG_PTR, LONG iMsg, LONG_PTR* wParam,
                                             LONG_PTR* lParam, short iKeyCode, LONG, LONG*, LONG*,
                                             LONG* lResult) {
    if (!lResult) return E_POINTER;
    *lResult = 1; // not handled
    if (iMsg != WM_KEYDOWN) return S_OK;
    return ax::guarded([&] {
        const WORD key = static_cast<WORD>(iKeyCode);
        if (key == VK_TAB) {
            if (!state_.m_bTrapTab) return S_OK;
            InsertTab();
            // The position is checked with the next timer run.
            state_.m_bEventPending = true;
            state_.m_lPendingEvent = PendingEvent::PositionCheck;
            *lResult = 0;
        } else if (isNavigationKey(key)) {
            if (state_.m_hWndEdit)
                ::SendMessageW(state_.m_hWndEdit.get(), WM_KEYDOWN,
                               wParam ? static_cast<WPARAM>(*wParam) : key, lParam ? *lParam : 0);
            RequestEvent(PendingEvent::PositionCheck, 25);
            *lResult = 0;
        }
        return S_OK;
    });
}

void NuMText40::InsertTab() {
    if (!state_.m_hWndEdit) return;
    const std::wstring& tab = state_.m_sTabString;
    const auto [start, end] = Selection();
    const LONG firstLine = static_cast<LONG>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(start)));
    const LONG lastLine =
        end > start ? static_cast<LONG>(Send(EM_LINEFROMCHAR, static_cast<WPARAM>(end - 1)))
                    : firstLine;
    if (end - start >= 2 && firstLine != lastLine) {
        // Indent (outdent with Shift) every line the selection touches.
        const bool outdent = ::GetAsyncKeyState(VK_SHIFT) != 0;
        std::wstring block;
        for (LONG line = firstLine; line <= lastLine; ++line) {
            std::vector<wchar_t> buffer(0x10000, L'\0');
            *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size() - 1);
            const LRESULT n = Send(EM_GETLINE, static_cast<WPARAM>(line),
                                   reinterpret_cast<LPARAM>(buffer.data()));
            std::wstring text(buffer.data(), static_cast<std::size_t>(n > 0 ? n : 0));
            if (!outdent)
                text.insert(0, tab);
            else if (text.starts_with(tab))
                text.erase(0, tab.size());
            if (line > firstLine) block += L"\r\n";
            block += text;
        }
        const LONG lines = lastLine - firstLine + 1;
        Send(EM_SETSEL, static_cast<WPARAM>(start), start + (end - start) + lines);
        Send(EM_REPLACESEL, Send(EM_CANUNDO) != 0, reinterpret_cast<LPARAM>(block.c_str()));
        Send(EM_SETSEL, static_cast<WPARAM>(start), start + static_cast<LONG>(block.size()));
        return;
    }
    if (tab.empty() || tab == L"\t") return;
    // Spaces up to the next multiple of the tab's width.
    LONG lineStart = start;
    while (lineStart > 0 && Send(EM_LINEFROMCHAR, static_cast<WPARAM>(lineStart - 1)) == firstLine)
        --lineStart;
    const LONG column = start - lineStart;
    const LONG width = static_cast<LONG>(tab.size());
    const std::wstring spaces(static_cast<std::size_t>(width - column % width), tab[0]);
    Send(EM_REPLACESEL, Send(EM_CANUNDO) != 0, reinterpret_cast<LPARAM>(spaces.c_str()));
}

void NuMText40::RequestEvent(PendingEvent code, LONG milliseconds) {
    // One slot: a new request replaces the pending one.
    if (state_.m_bEventPending) StopTimer();
    state_.m_bEventPending = true;
    state_.m_lPendingEvent = code;
    StartTimer(milliseconds);
}

void NuMText40::DelayedEventTick() {
    StopTimer();
    const PendingEvent code = state_.m_lPendingEvent;
    state_.m_bEventPending = false;
    state_.m_lPendingEvent = PendingEvent::None;
    if (code == PendingEvent::TextChange) {
        Send(EM_SETMODIFY, TRUE);
        RaiseChange();
        propertyChanged(L"Text");
    } else if (code == PendingEvent::PositionCheck) {
        LONG line = 0, count = 0, column = 0;
        ignore(get_EMGetCurrentLine(&line));
        ignore(get_EMLineCount(&count));
        ignore(get_EMGetCurrentColumn(&column));
        const bool same = line == state_.m_lLastLine && count == state_.m_lLastLineCount &&
                          (column == state_.m_lLastColumn || state_.m_bDisableColumnChangeEvent);
        if (!same) {
            state_.m_lLastLine = line;
            state_.m_lLastLineCount = count;
            state_.m_lLastColumn = column;
        }
    }
}

void NuMText40::RaiseChange() {
    ignore(fireEvent(event::kChange));
}

} // namespace pkw::textbox
