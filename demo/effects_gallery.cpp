#include "demo/effects_gallery.h"

#include "demo/effect_looks.h"
#include "demo/gallery_support.h"
#include "host/effect_sets.h"
#include "host/form.h"
#include "host/input.h"
#include "host/library.h"
#include "host/message_loop.h"
#include "host/patterned_background.h"
#include "host/text.h"

#include <functional>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

namespace pkw::demo {
namespace {

using host::ComPtr;
using host::Site;

constexpr std::pair<const wchar_t*, State> kColumns[] = {
    {L"normal", State::Normal},
    {L"hot", State::Hot},
    {L"pressed", State::Pressed},
    {L"disabled", State::Disabled},
};

// One cell: a 150 x 28 body with 4 pixels of room for shadows.
constexpr LONG kBodyWidth = 150, kBodyHeight = 28, kRoom = 4;
constexpr LONG kCellWidth = kBodyWidth + kRoom, kCellHeight = kBodyHeight + kRoom;
constexpr LONG kGapX = 16, kGapY = 10, kLeft = 16, kTop = 34;
constexpr POINT kInside{40, 14};

// The turned control: a 110 x 30 body stood up in a square window.
constexpr LONG kTurnedLength = 110, kTurnedThickness = 30;

RECT CellRect(int row, int column) {
    const LONG x = kLeft + column * (kCellWidth + kGapX);
    const LONG y = kTop + row * (kCellHeight + kGapY);
    return RECT{x, y, x + kCellWidth, y + kCellHeight};
}

// A control of the library with the effects look `look`.
ComPtr<Site> Place(host::Form& form, bool option, const wchar_t* caption, const RECT& rect,
                   const Look& look, LONG xRoom, LONG yRoom, SHORT rotation = 0) {
    ComPtr<IUnknown> control;
    const wchar_t* progId = option ? L"zelPickwell40.NuOption40" : L"zelPickwell40.NuCheckBox40";
    if (FAILED(host::createFromLibrary(host::besideProgram(L"zelPickwell40.ocx"), progId, control)))
        return nullptr;
    static int count = 0;
    ComPtr<Site> site = form.add(control.Get(), L"Fx" + std::to_wstring(++count), rect);
    if (!site) return nullptr;
    site->put(L"Caption", Variant::fromString(caption));
    ApplyLook(*site.Get(), rect, look, xRoom, yRoom, rotation);
    site->put(L"Value", option ? Variant::fromBool(true) : Variant::fromI4(1));
    return site;
}

// Puts the control into the column's state; the returned step ends it.
std::function<void()> Enter(Site& site, State state) {
    switch (state) {
    case State::Normal:
        return [] {};
    case State::Hot:
        return Hover(site, kInside);
    case State::Pressed:
        return Press(site, kInside);
    case State::Disabled:
        site.put(L"Enabled", Variant::fromBool(false));
        return [] {};
    }
    return [] {};
}

} // namespace

std::wstring WriteEffectsGallery(const std::wstring& path) {
    const LONG columnsRight = CellRect(0, int(std::size(kColumns))).left;
    const LONG rows = LONG(EffectLooks().size());
    host::Form::Options options;
    options.caption = L"Effects gallery";
    options.clientSize = {columnsRight + kTurnedLength + kLeft,
                          kTop + rows * (kCellHeight + kGapY) + 4};
    host::Form form(options);
    if (!form.hwnd()) return L"no window for the gallery";
    host::PatternedBackground pattern(form.hwnd());

    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        const RECT cell = CellRect(0, c);
        Label(form.hwnd(), kColumns[c].first, RECT{cell.left + 4, 8, cell.right, 28});
    }
    Label(form.hwnd(), L"turned", RECT{columnsRight + 4, 8, columnsRight + kTurnedLength, 28});

    GalleryCells cells;
    for (int r = 0; r < rows; ++r) {
        const NamedLook& row = EffectLooks()[std::size_t(r)];
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            const RECT rect = CellRect(r, c);
            const ComPtr<Site> site =
                Place(form, row.option, row.caption, rect, row.look, kRoom, kRoom);
            if (!site) return L"the selection controls cannot be created from zelPickwell40.ocx";
            cells.capture(form, *site.Get(), rect,
                          [&] { return Enter(*site.Get(), kColumns[c].second); });
        }
    }
    // A quarter turn stands the control up: its window is as tall as the body
    // is long.
    const RECT turned{columnsRight + 30, kTop, columnsRight + 30 + kTurnedLength,
                      kTop + kTurnedLength};
    const auto gradient = EffectLooks().front().look;
    const ComPtr<Site> up = Place(form, false, L"Turned 90\u00B0", turned, gradient, 0,
                                  kTurnedLength - kTurnedThickness, 2);
    if (!up) return L"the turned control cannot be created";
    host::pumpPending();

    return cells.save(form, path);
}

} // namespace pkw::demo
