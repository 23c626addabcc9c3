// Which text API the controls call.
#include "siblings/mfc/mfc_exports.h"

// The wide-character API works on every NT-based Windows (and Wine).
extern "C" LONG WINAPI IsUnicodePlatform(void) {
    return (::GetVersion() & 0x80000000u) == 0 ? 1 : 0;
}
