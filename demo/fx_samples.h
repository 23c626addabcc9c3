// A sheet of the effects engine's samples (zelFX40.dll): each operation
// applied to a control-sized body with a glyph and a caption, and the six
// text enhancement modes, laid out on the button face, enlarged so that the
// pixels show, and written as one PNG file.
#pragma once

#include <string>

namespace pkw::demo {

struct SamplesResult {
    bool ok = false;
    std::wstring message; // the file written, or what went wrong
};

SamplesResult WriteEffectSamples(const std::wstring& path);

} // namespace pkw::demo
