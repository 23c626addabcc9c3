#include "demo/button_gallery.h"

#include "demo/gallery_support.h"

#include "common/win/unique_handle.h"
#include "host/capture.h"
#include "host/form.h"
#include "host/input.h"
#include "host/library.h"
#include "host/message_loop.h"
#include "host/patterned_background.h"
#include "host/property_bag.h"
#include "host/text.h"

#include <olectl.h>

#include <functional>
#include <vector>

namespace pkw::demo {
namespace {

using host::ComPtr;
using host::Site;

// BTN is served by the library but never registered: by its CLSID.
constexpr CLSID kButtonClass{
    0xF6C10B33, 0x7E40, 0x4BAB, {0xB2, 0x13, 0xB4, 0x07, 0x6E, 0x4D, 0x25, 0x04}};

constexpr LONG kCellWidth = 118, kCellHeight = 34, kGapX = 10, kGapY = 14;
constexpr LONG kLeft = 150, kTop = 34;
constexpr SIZE kGallerySize{kLeft + 7 * (kCellWidth + kGapX), kTop + 7 * (kCellHeight + kGapY)};
constexpr POINT kInside{20, 12};

struct Row {
    const wchar_t* label;
    LONG buttonStyle;
    LONG backStyle;
    bool picture;
};

constexpr Row kRows[] = {
    {L"Style 1", 1, 1, false},
    {L"Style 1, picture", 1, 1, true},
    {L"Style 2", 2, 1, false},
    {L"Style 2, picture", 2, 1, true},
    {L"Style 2, transparent", 2, 0, false},
    {L"Style 2, transp., picture", 2, 0, true},
    {L"Style 1, theme 2", 1, 1, false},
};

enum class State { Normal, Focused, Hot, Pressed, SpaceHeld, Engraved, Coloured };

struct Column {
    const wchar_t* label;
    State state;
};

constexpr Column kColumns[] = {
    {L"normal", State::Normal},
    {L"focused", State::Focused},
    {L"hot", State::Hot},
    {L"pressed", State::Pressed},
    {L"space held", State::SpaceHeld},
    {L"disabled", State::Engraved},
    {L"disabled, red", State::Coloured},
};

ComPtr<IDispatch> IconPicture() {
    PICTDESC desc{sizeof(PICTDESC), PICTYPE_ICON, {}};
    desc.icon.hicon = ::LoadIconW(nullptr, IDI_INFORMATION);
    ComPtr<IDispatch> picture;
    ::OleCreatePictureIndirect(&desc, IID_IDispatch, FALSE,
                               reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

RECT CellRect(int row, int column) {
    const LONG x = kLeft + column * (kCellWidth + kGapX);
    const LONG y = kTop + row * (kCellHeight + kGapY);
    return RECT{x, y, x + kCellWidth, y + kCellHeight};
}

ComPtr<Site> PlaceButton(host::Form& form, const Row& row, const RECT& rect, IDispatch* picture,
                         int index) {
    const ComPtr<host::MemoryPropertyBag> bag = host::MemoryPropertyBag::create();
    bag->set(L"ButtonStyle", Variant::fromI4(row.buttonStyle));
    bag->set(L"BackStyle", Variant::fromI4(row.backStyle));
    bag->set(L"Caption", Variant::fromString(L"&Apply"));
    if (row.picture) bag->set(L"Picture", Variant::fromDispatch(picture));
    if (&row == &kRows[6]) bag->set(L"NuTheme", Variant::fromI2(2));
    ComPtr<IUnknown> control;
    if (FAILED(
            host::createFromDll(host::besideProgram(L"zelPickwell40.ocx"), kButtonClass, control)))
        return nullptr;
    host::AddOptions options;
    options.init = host::AddOptions::Init::PropertyBag;
    options.bag = bag.Get();
    return form.add(control.Get(), L"Button" + std::to_wstring(index), rect, options);
}

// Puts the button into the column's state; the returned step ends it.
std::function<void()> Enter(host::Form& form, Site& site, State state) {
    namespace input = host::input;
    switch (state) {
    case State::Normal:
        return [] {};
    case State::Focused:
        form.focus(site);
        return [] {};
    case State::Hot:
        return Hover(site, kInside);
    case State::Pressed:
        return Press(site, kInside);
    case State::SpaceHeld:
        form.focus(site);
        input::keyDown(VK_SPACE);
        return [] { input::keyUp(VK_SPACE); };
    case State::Engraved:
        site.put(L"Enabled", Variant::fromBool(false));
        return [] {};
    case State::Coloured:
        site.put(L"DisabledForeColor", Variant::fromI4(0x0000FF));
        site.put(L"Enabled", Variant::fromBool(false));
        return [] {};
    }
    return [] {};
}

} // namespace

std::wstring WriteButtonGallery(const std::wstring& path) {
    host::Form::Options options;
    options.caption = L"BTN gallery";
    options.clientSize = kGallerySize;
    host::Form form(options);
    if (!form.hwnd()) return L"no window for the gallery";
    host::PatternedBackground pattern(form.hwnd());
    const ComPtr<IDispatch> picture = IconPicture();

    for (int c = 0; c < int(std::size(kColumns)); ++c) {
        const RECT cell = CellRect(0, c);
        Label(form.hwnd(), kColumns[c].label, RECT{cell.left, 6, cell.right, 26});
    }
    GalleryCells cells;
    int index = 0;
    for (int r = 0; r < int(std::size(kRows)); ++r) {
        Label(form.hwnd(), kRows[r].label,
              RECT{6, CellRect(r, 0).top, kLeft - 6, CellRect(r, 0).bottom});
        for (int c = 0; c < int(std::size(kColumns)); ++c) {
            const RECT rect = CellRect(r, c);
            const ComPtr<Site> site = PlaceButton(form, kRows[r], rect, picture.Get(), index++);
            if (!site) return L"BTN cannot be created from zelPickwell40.ocx";
            cells.capture(form, *site.Get(), rect,
                          [&] { return Enter(form, *site.Get(), kColumns[c].state); });
        }
    }
    return cells.save(form, path);
}

} // namespace pkw::demo
