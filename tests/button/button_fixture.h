// Places BTN on the test container's form, straight from zelPickwell40.ocx
// beside the test program (the button is served, never registered), fresh
// or loaded from a bag of settings, and tells which frame of its skin strip
// the screen shows.
#pragma once

#include "host/container_test.h"

#include "zelPickwell40Private.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace pkw::test {

struct PlacedButton {
    ComPtr<Site> site;
    ComPtr<_BTN> button;

    explicit operator bool() const { return site && button; }
    HWND window() const { return site->window(); }
};

using Setting = std::pair<const wchar_t*, Variant>;

class ButtonTest : public ContainerTest {
protected:
    static constexpr RECT kRect{20, 20, 120, 50};

    // A new button (InitProperties) or one read from `settings`.
    PlacedButton placeButton(const RECT& pixels = kRect, const AddOptions& options = {});
    PlacedButton loadButton(std::initializer_list<Setting> settings, const RECT& pixels = kRect);
    PlacedButton loadButton(IPropertyBag* bag, const RECT& pixels = kRect);

    // The frames of the style's built-in strip whose corner pieces match
    // what the screen shows of the button now.
    std::vector<int> framesShown(const PlacedButton& b, int buttonStyle);
    // Pumps until the screen shows exactly `frame`.
    bool showsFrame(const PlacedButton& b, int buttonStyle, int frame);
};

} // namespace pkw::test
