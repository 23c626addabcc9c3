// The two private messages by which a control's plain tool-tip text is
// fetched: 3552 asks for the buffer size (anyone may), 3551 fills the
// buffer (only for the control's own thread: the library, its pages and
// the container).
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pkw::selection {

inline constexpr UINT kMsgSendTipText = 3551;     // wParam: the control's window, lParam: buffer
inline constexpr UINT kMsgSendTipTextSize = 3552; // result: buffer size in bytes

inline constexpr LRESULT kTipTextCopied = 1001;
inline constexpr LRESULT kTipTextEmpty = 1002;
inline constexpr LRESULT kTipTextWrongWindow = 1003;

// Bytes that 3551 writes for `text`: four per character.
LRESULT TipTextSize(std::wstring_view text) noexcept;

// The bytes 3551 hands out: the text's UTF-16LE bytes read as a string in
// the ANSI code page and widened again, so that with a single-byte code
// page each byte becomes one 16-bit unit. Never longer than
// TipTextSize(text) bytes.
std::wstring TipTextPayload(std::wstring_view text);

// True when [address, address + size) is committed, writable memory of
// this process (a sender's pointer is not trusted blindly).
bool IsWritableRange(const void* address, SIZE_T size) noexcept;

// Answers 3551 for a control whose window is `control` and whose text is
// `text`. Sent from another thread, or about another window, the answer is
// kTipTextWrongWindow and nothing is written. The buffer is written only
// when it is writable memory; otherwise the answer is the same and nothing
// is written.
LRESULT AnswerSendTipText(HWND control, std::wstring_view text, WPARAM wParam,
                          LPARAM lParam) noexcept;

} // namespace pkw::selection
