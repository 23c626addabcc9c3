// The character set and code page of the user's language.
#include "siblings/uni/uni_exports.h"

namespace {

// The ANSI code page of the user's default locale; 0 for a locale that has
// none (a Unicode-only language).
UINT UserAnsiCodePage() {
    UINT codePage = 0;
    if (::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&codePage),
                         sizeof(codePage) / sizeof(WCHAR)) == 0)
        return 0;
    return codePage;
}

} // namespace

// DEFAULT_CHARSET when the code page has no font character set.
extern "C" LONG WINAPI uniGetDefaultCharSet(void) {
    CHARSETINFO info{};
    const UINT codePage = UserAnsiCodePage();
    if (codePage == 0 ||
        !::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(codePage)), &info,
                                TCI_SRCCODEPAGE))
        return DEFAULT_CHARSET;
    return LONG(info.ciCharset);
}

extern "C" LONG WINAPI uniGetDefaultCodePage(void) {
    return LONG(::GetACP());
}
