// The built-in images as the resource server lends them, written out as PNG
// files that a person can look at: every frame side by side, enlarged, on
// the button face, on white, and on a checkerboard that shows which pixels
// the mask colour leaves undrawn.
#pragma once

#include <string>
#include <vector>

namespace pkw::demo {

struct StripsResult {
    bool ok = true;
    std::vector<std::wstring> written; // file paths
    std::vector<std::wstring> problems;
};

// Writes DIR\<resource id>.png for every built-in image.
StripsResult WriteImageStrips(const std::wstring& dir);

} // namespace pkw::demo
