// The rich tool tip in its effects look: two tips, each with a header and a
// two-line caption, drawn by the tip's own painter from an effect set and
// laid over a form-like backdrop with their soft edges and shadows blended,
// written as one PNG file.
#pragma once

#include <string>

namespace pkw::demo {

// The file written, or what went wrong.
struct TipSampleResult {
    bool ok = false;
    std::wstring message;
};

TipSampleResult WriteTipSample(const std::wstring& path);

} // namespace pkw::demo
