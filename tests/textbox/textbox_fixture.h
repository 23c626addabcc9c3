// Places NuMText40 on the test container's form (straight from the
// library's class factory: the class is never registered) and types into
// it as a user does.
#pragma once

#include "common/com/bstr.h"
#include "common/com/hresult.h"
#include "host/container_test.h"

#include "zelPickwell40Private.h"

#include <string>

namespace pkw::test {

class TextBoxTest : public ContainerTest {
protected:
    struct Placed {
        ComPtr<Site> site;
        ComPtr<_NuMText40> box;
        explicit operator bool() const { return site && box; }
    };

    Placed placeTextBox(const AddOptions& options = {}, const RECT& pixels = {10, 10, 250, 34}) {
        Placed placed;
        placed.site = placeRegistrationFree(CLSID_NuMText40, L"Text1", pixels, options);
        if (placed.site)
            pkw::ignore(placed.site->control()->QueryInterface(IID_PPV_ARGS(&placed.box)));
        pumpPending();
        return placed;
    }

    // The box with the keyboard focus in its edit window.
    Placed focusedTextBox(const AddOptions& options = {}) {
        Placed placed = placeTextBox(options);
        if (!placed) return placed;
        EXPECT_EQ(form().focus(*placed.site.Get()), S_OK);
        EXPECT_TRUE(pumpUntil([&] { return ::GetFocus() == edit(placed); }))
            << "the edit window never got the focus";
        return placed;
    }

    static HWND edit(const Placed& p) {
        LONG handle = 0;
        if (FAILED(p.box->get_hWndEdit(&handle))) return nullptr;
        return reinterpret_cast<HWND>(static_cast<LONG_PTR>(handle));
    }

    static std::wstring text(const Placed& p) {
        Bstr value;
        EXPECT_EQ(p.box->get_Text(value.put()), S_OK);
        return value.str();
    }

    static void setText(const Placed& p, const std::wstring& value) {
        EXPECT_EQ(p.box->put_Text(Bstr(value).get()), S_OK);
    }

    static void select(const Placed& p, LONG start, LONG length) {
        EXPECT_EQ(p.box->put_SelStart(start), S_OK);
        EXPECT_EQ(p.box->put_SelLength(length), S_OK);
    }

    // Waits (pumping) until the box has raised `n` Change events in all.
    static bool changesReach(const Placed& p, std::size_t n) {
        return pumpUntil([&] { return p.site->events().count(L"Change") >= n; });
    }
};

} // namespace pkw::test
