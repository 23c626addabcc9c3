// A control's settings as a property-bag file (bag_text.h), the way a form
// file keeps them: the control's own keys, in the order it wrote them, and
// its extent as _ExtentX and _ExtentY in HIMETRIC (unless the control
// writes those keys itself). Loading gives a bag for the control to read
// and the size, in pixels, at which the container places it again.
#pragma once

#include "host/bag_text.h"
#include "host/property_bag.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace pkw::host {

class Site;

inline constexpr wchar_t kExtentX[] = L"_ExtentX";
inline constexpr wchar_t kExtentY[] = L"_ExtentY";
// Larger bag files are refused unread.
inline constexpr std::size_t kBagFileLimit = 64u << 20;

// IPersistPropertyBag::Save of the site's control, as text. Values that
// cannot be written are in `problems`; the call still succeeds. The keys of
// `order` (those of the file the control came from) keep their places, so
// that a control saved unchanged writes the same file and a changed one
// differs in its changed lines only; a control may write a key more than
// once and in another order after a load.
HRESULT saveControlText(Site& site, const std::wstring& comment, std::string& text,
                        std::vector<BagProblem>& problems,
                        std::span<const std::wstring> order = {});

struct LoadedBag {
    ComPtr<MemoryPropertyBag> bag;
    std::optional<SIZE> pixels;      // from the extent, when the file has a usable one
    std::vector<std::wstring> order; // the keys, as the file lists them
    std::vector<BagProblem> problems;
};

LoadedBag loadControlText(std::string_view text);

} // namespace pkw::host
