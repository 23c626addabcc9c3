#include "host/control_bag.h"

#include "common/com/hresult.h"
#include "host/names.h"
#include "host/persistence.h"
#include "host/property_types.h"
#include "host/site.h"
#include "host/units.h"

#include <algorithm>

namespace pkw::host {
namespace {

// A form no screen shows more than this wide or high.
constexpr LONG kMaxPixels = 16384;

std::optional<LONG> extentPixels(const MemoryPropertyBag& bag, const wchar_t* name, bool x,
                                 std::vector<BagProblem>& problems) {
    Variant stored, himetric;
    if (FAILED(bag.get(name, stored))) return std::nullopt;
    const LONG pixels = SUCCEEDED(::VariantChangeType(&himetric, &stored, 0, VT_I4))
                            ? (x ? units::himetricToPixelsX(himetric.lVal)
                                 : units::himetricToPixelsY(himetric.lVal))
                            : 0;
    if (pixels < 1 || pixels > kMaxPixels) {
        problems.push_back(
            {0, std::wstring(name) + L" is not a size the form can take; left as it is"});
        return std::nullopt;
    }
    return pixels;
}

// Keys beyond the properties (a control's own settings) are colours when
// their names say so: ...Color or ...Colour, then perhaps an index.
bool namedAsColour(std::wstring_view name) {
    while (!name.empty() && name.back() >= L'0' && name.back() <= L'9')
        name.remove_suffix(1);
    auto endsWith = [&](std::wstring_view tail) {
        return name.size() >= tail.size() && sameName(name.substr(name.size() - tail.size()), tail);
    };
    return endsWith(L"Color") || endsWith(L"Colour");
}

// The names of `order` first, in that order, then the others as written.
std::vector<std::wstring> keyOrder(std::vector<std::wstring> written,
                                   std::span<const std::wstring> order) {
    auto rank = [&](const std::wstring& name) {
        const auto it = std::find_if(order.begin(), order.end(),
                                     [&](const std::wstring& o) { return sameName(o, name); });
        return static_cast<std::size_t>(it - order.begin());
    };
    std::stable_sort(
        written.begin(), written.end(),
        [&](const std::wstring& a, const std::wstring& b) { return rank(a) < rank(b); });
    return written;
}

} // namespace

HRESULT saveControlText(Site& site, const std::wstring& comment, std::string& text,
                        std::vector<BagProblem>& problems, std::span<const std::wstring> order) {
    if (!site.control()) return E_UNEXPECTED;
    auto bag = MemoryPropertyBag::create();
    PKW_RETURN_IF_FAILED(saveToBag(site.control(), bag.Get()));
    if (!bag->has(kExtentX) && !bag->has(kExtentY)) {
        SIZEL extent{};
        if (site.oleObject() && SUCCEEDED(site.oleObject()->GetExtent(DVASPECT_CONTENT, &extent))) {
            pkw::ignore(bag->set(kExtentX, Variant::fromI4(extent.cx)));
            pkw::ignore(bag->set(kExtentY, Variant::fromI4(extent.cy)));
        }
    }
    std::vector<BagEntry> entries;
    for (const std::wstring& name : keyOrder(bag->names(), order)) {
        BagEntry entry{name, {}};
        if (FAILED(bag->get(name, entry.value))) {
            problems.push_back({0, name + L" could not be read back from the bag"});
            continue;
        }
        entries.push_back(std::move(entry));
    }
    BagTextOptions options;
    options.comment = comment;
    const std::vector<std::wstring> colours =
        colourProperties(dispatchTypeInfo(site.dispatch()).Get());
    options.isColour = [&](std::wstring_view name) {
        return std::any_of(colours.begin(), colours.end(),
                           [&](const std::wstring& c) { return sameName(c, name); }) ||
               namedAsColour(name);
    };
    text = writeBagText(entries, options, problems);
    return S_OK;
}

LoadedBag loadControlText(std::string_view text) {
    LoadedBag loaded;
    loaded.bag = MemoryPropertyBag::create();
    for (const BagEntry& entry : readBagText(text, loaded.problems)) {
        if (FAILED(loaded.bag->set(entry.name, entry.value))) {
            loaded.problems.push_back({0, entry.name + L" could not be kept in the bag"});
            continue;
        }
        loaded.order.push_back(entry.name);
    }
    const auto cx = extentPixels(*loaded.bag.Get(), kExtentX, true, loaded.problems);
    const auto cy = extentPixels(*loaded.bag.Get(), kExtentY, false, loaded.problems);
    if (cx && cy) loaded.pixels = SIZE{*cx, *cy};
    return loaded;
}

} // namespace pkw::host
