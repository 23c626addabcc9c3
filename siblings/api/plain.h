// The plain stdcall functions of the sibling DLLs, called through tables of
// function pointers:
//
//   pkw::sib::Gfx()     zelGFX40.dll     colours, rectangles, lines, bitmaps, skins
//   pkw::sib::Mfc()     zelMFC40.dll     mouse messages and window helpers
//   pkw::sib::ResSrv()  zelResSrv40.dll  shared memory DCs of built-in and host images
//   pkw::sib::Uni()     zelUni40.dll     the user's character set and code page
//
// Each table is resolved once per process from the DLL beside the module that
// calls it. A missing DLL or function is replaced by a stub that returns 0, so
// a pointer of a table is never null.
//
// The lists below are the single statement of every signature: they build the
// tables, the stubs, the names that are looked up, and the declarations that
// the DLLs define (PKW_SIB_DECLARE_EXPORT).
#pragma once

#include <windows.h>
#include <ocidl.h>

// X(return type, name, parameter list)
#define PKW_GFX40_FUNCTIONS(X)                                                                     \
    X(COLORREF, gfxTranslateColor, (OLE_COLOR oleColor, HPALETTE hPalette))                        \
    X(LONG, gfxDrawRect, (HDC hdc, const RECT* pRect, COLORREF color, LONG fill))                  \
    X(LONG, gfxDrawRect2,                                                                          \
      (HDC hdc, LONG left, LONG top, LONG right, LONG bottom, COLORREF color, LONG fill))          \
    X(LONG, gfxDrawLine,                                                                           \
      (HDC hdc, LONG x1, LONG y1, LONG x2, LONG y2, COLORREF color, LONG penWidth))                \
    X(LONG, gfxDrawBitmapToDC,                                                                     \
      (HDC hdc, HBITMAP hBitmap, LONG x, LONG y, LONG w, LONG h, LONG reserved, LONG stretch,      \
       LONG srcX, LONG srcY, LONG srcW, LONG srcH))                                                \
    X(LONG, gfxDrawTransparentBitmap,                                                              \
      (HDC hdc, HBITMAP hBitmap, LONG x, LONG y, LONG w, LONG h, LONG reserved1, LONG reserved2,   \
       LONG srcX, LONG srcY, LONG srcW, LONG srcH, LONG maskColor))                                \
    X(LONG, gfxDrawTransparentDC,                                                                  \
      (HDC hdc, HDC hdcSrc, LONG x, LONG y, LONG w, LONG h, LONG reserved1, LONG reserved2,        \
       LONG srcX, LONG srcY, LONG srcW, LONG srcH, LONG maskColor))                                \
    X(LONG, gfxGetTransBG, (HDC hdcDest, HWND hWnd))                                               \
    X(LONG, gfxDrawSkin,                                                                           \
      (HDC hdc, HDC hdcSkin, LONG frame, const RECT* pMapMargin, LONG x, LONG y, LONG w, LONG h,   \
       LONG frameHeight, LONG frameWidth, LONG maskColor, LONG rgn1Mode, LONG rgn2Mode,            \
       LONG rgn3Mode, LONG rgn4Mode, LONG rgn5Mode))

#define PKW_MFC40_FUNCTIONS(X)                                                                     \
    X(LONG, IsUnicodePlatform, (void))                                                             \
    X(LONG, GetMouseParameters,                                                                    \
      (UINT message, WPARAM wParam, LPARAM lParam, SHORT * pButton, SHORT * pShift, float* pX,     \
       float* pY))                                                                                 \
    X(LONG, IsMouseOver, (HWND hWnd))                                                              \
    X(LONG, UpdateParent, (HWND hWnd))                                                             \
    X(LONG, ChangeWindowStyle, (HWND hWnd))

#define PKW_RESSRV40_FUNCTIONS(X)                                                                  \
    X(HDC, GetStaticResDc, (LONG resId, LONG variant))                                             \
    X(LONG, ReleaseStaticResDc, (HDC hdc))                                                         \
    X(HDC, GetCustomResDc, (HBITMAP hBitmap, LPCSTR imageName, LONG * pWidth, LONG * pHeight))     \
    X(LONG, ReleaseCustomResDc, (LPCSTR imageName))

#define PKW_UNI40_FUNCTIONS(X)                                                                     \
    X(LONG, uniGetDefaultCharSet, (void))                                                          \
    X(LONG, uniGetDefaultCodePage, (void))

// Declares the functions of a list with C linkage, as a DLL exports them.
#define PKW_SIB_DECLARE_EXPORT(ret, name, params) extern "C" ret WINAPI name params;

#define PKW_SIB_POINTER_MEMBER(ret, name, params) ret(WINAPI* name) params;

namespace pkw::sib {

struct GfxApi {
    PKW_GFX40_FUNCTIONS(PKW_SIB_POINTER_MEMBER)
};
struct MfcApi {
    PKW_MFC40_FUNCTIONS(PKW_SIB_POINTER_MEMBER)
};
struct ResSrvApi {
    PKW_RESSRV40_FUNCTIONS(PKW_SIB_POINTER_MEMBER)
};
struct UniApi {
    PKW_UNI40_FUNCTIONS(PKW_SIB_POINTER_MEMBER)
};

// The tables of the DLLs beside the calling module, resolved on first use.
const GfxApi& Gfx();
const MfcApi& Mfc();
const ResSrvApi& ResSrv();
const UniApi& Uni();

// Resolves a table from a given module; a null module gives only stubs.
GfxApi ResolveGfx(HMODULE module);
MfcApi ResolveMfc(HMODULE module);
ResSrvApi ResolveResSrv(HMODULE module);
UniApi ResolveUni(HMODULE module);

} // namespace pkw::sib
