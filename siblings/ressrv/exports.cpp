// The exports of zelResSrv40.dll. The release functions answer 1 for a DC or
// name that was lent, 0 otherwise.
#include "siblings/ressrv/ressrv_exports.h"

#include "siblings/ressrv/custom_pool.h"
#include "siblings/ressrv/static_pool.h"

using namespace pkw::sib::res;

extern "C" HDC WINAPI GetStaticResDc(LONG resId, LONG variant) {
    return BorrowStaticImage(resId, variant);
}

extern "C" LONG WINAPI ReleaseStaticResDc(HDC hdc) {
    return ReturnStaticImage(hdc) ? 1 : 0;
}

extern "C" HDC WINAPI GetCustomResDc(HBITMAP hBitmap, LPCSTR imageName, LONG* pWidth,
                                     LONG* pHeight) {
    return BorrowCustomImage(hBitmap, imageName, pWidth, pHeight);
}

extern "C" LONG WINAPI ReleaseCustomResDc(LPCSTR imageName) {
    return ReturnCustomImage(imageName) ? 1 : 0;
}
