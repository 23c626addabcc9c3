#include "siblings/api/plain.h"

#include <gtest/gtest.h>

namespace {

using pkw::sib::Uni;

TEST(Uni, CodePageIsTheAnsiCodePage) {
    EXPECT_EQ(Uni().uniGetDefaultCodePage(), LONG(::GetACP()));
}

// The character set maps back to the ANSI code page of the user's language.
TEST(Uni, CharSetBelongsToTheUsersAnsiCodePage) {
    UINT codePage = 0;
    ASSERT_NE(
        ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(WCHAR)),
        0);
    const LONG charSet = Uni().uniGetDefaultCharSet();
    CHARSETINFO info{};
    if (codePage == 0) {
        EXPECT_EQ(charSet, DEFAULT_CHARSET);
        return;
    }
    ASSERT_TRUE(::TranslateCharsetInfo(reinterpret_cast<DWORD*>(static_cast<UINT_PTR>(charSet)),
                                       &info, TCI_SRCCHARSET));
    EXPECT_EQ(info.ciACP, codePage);
}

} // namespace
