// Option groups through the test container, driven by real window messages
// and the container's own routes (mnemonics, late-bound property puts).
// Each case puts a column of buttons on the form, does one thing to one of
// them (the actor), and compares the actor's events, the other buttons'
// silence, and every button's value afterwards.
#include "tests/option/option_fixture.h"

#include <optional>
#include <vector>

namespace pkw::test {
namespace {

using Names = std::vector<std::wstring>;

constexpr POINT kInside{6, 8};

enum class Act { Left, Right, Space, AccessKey, SetTrue, SetFalse, SetGroup1, SetGroupMinus1 };

struct Button {
    SHORT group;
    bool grouped;
    bool value;
};

constexpr Button G1T{1, true, true}, G1F{1, true, false}, U1T{1, false, true}, U1F{1, false, false},
    G2T{2, true, true}, G2F{2, true, false};

struct Case {
    const char* what;
    std::vector<Button> buttons;
    int actor;
    Act act;
    Names events; // the actor's, moves left out; BeforeValueChanged with its state
    std::vector<bool> after;
    bool cancel = false;
    bool valueSetClick = false;
    bool designTime = false;
    std::optional<SHORT> groupAfter = std::nullopt;
};

const wchar_t* const kDown = L"MouseDown";
const wchar_t* const kUp = L"MouseUp";
const wchar_t* const kSelect = L"BeforeValueChanged(True)";
const wchar_t* const kDeselect = L"BeforeValueChanged(False)";

// The events of one button as the table writes them.
Names Trace(Site& site) {
    Names names;
    for (const RecordedEvent& e : site.events().events()) {
        if (e.name == L"MouseMove") continue;
        if (e.name == L"BeforeValueChanged") {
            const RecordedArg* state = e.arg(L"state");
            const bool on = state && state->value.vt == VT_BOOL && state->value.boolVal;
            names.push_back(on ? kSelect : kDeselect);
        } else {
            names.push_back(e.name);
        }
    }
    return names;
}

class OptionGroupTest : public OptionTest {
protected:
    // The buttons of a case, the actor named so that P is its access key.
    std::vector<ComPtr<Site>> placeGroup(const std::vector<Button>& buttons, int actor) {
        std::vector<ComPtr<Site>> sites;
        for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
            const std::wstring name = i == actor ? L"&Pick" : L"Opt" + std::to_wstring(i);
            ComPtr<Site> site = placeOption(name, i);
            if (!site) return {};
            const Button& b = buttons[static_cast<std::size_t>(i)];
            put(*site.Get(), L"GroupID", Variant::fromI2(b.group));
            put(*site.Get(), L"Grouped", Variant::fromBool(b.grouped));
            sites.push_back(site);
        }
        // Values last: a grouped button set True would clear the ones before it.
        for (std::size_t i = 0; i < sites.size(); ++i)
            put(*sites[i].Get(), L"Value", Variant::fromBool(buttons[i].value));
        for (const ComPtr<Site>& site : sites)
            site->events().clear();
        return sites;
    }

    void act(Site& site, Act what) {
        const HWND w = site.window();
        switch (what) {
        case Act::Left:
        case Act::Right:
            ASSERT_TRUE(input::click(
                site, kInside, what == Act::Left ? input::Button::Left : input::Button::Right));
            ASSERT_TRUE(input::moveOutside(site));
            break;
        case Act::Space:
            ::SendMessageW(w, WM_KEYDOWN, VK_SPACE, 0x00390001);
            ::SendMessageW(w, WM_KEYUP, VK_SPACE, 0xC0390001);
            break;
        case Act::AccessKey:
            ASSERT_EQ(form().mnemonic(L'p'), &site);
            break;
        case Act::SetTrue:
        case Act::SetFalse:
            put(site, L"Value", Variant::fromBool(what == Act::SetTrue));
            break;
        case Act::SetGroup1:
        case Act::SetGroupMinus1:
            put(site, L"GroupID", Variant::fromI2(what == Act::SetGroup1 ? 1 : -1));
            break;
        }
    }

    void run(const Case& c) {
        SCOPED_TRACE(c.what);
        form().setUserMode(!c.designTime);
        auto sites = placeGroup(c.buttons, c.actor);
        ASSERT_EQ(sites.size(), c.buttons.size());
        Site& actor = *sites[static_cast<std::size_t>(c.actor)].Get();
        const SHORT groupBefore = number(actor, L"GroupID");
        put(actor, L"ValueSetClick", Variant::fromBool(c.valueSetClick));
        if (c.cancel)
            actor.events().on(L"BeforeValueChanged", [](EventCall& call) {
                // The handler's state is not read back: only the cancel counts.
                call.set(L"state", Variant::fromBool(true));
                call.set(L"bCancel", Variant::fromBool(true));
            });
        act(actor, c.act);

        EXPECT_EQ(Trace(actor), c.events);
        for (std::size_t i = 0; i < sites.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "button " << i);
            EXPECT_EQ(isTrue(*sites[i].Get(), L"Value"), bool(c.after[i]));
            if (sites[i].Get() != &actor) {
                EXPECT_EQ(Trace(*sites[i].Get()), Names{});
            }
        }
        EXPECT_EQ(number(actor, L"GroupID"), c.groupAfter.value_or(groupBefore));
        form().removeAll();
    }
};

TEST_F(OptionGroupTest, UserActionsFollowTheGroupRules) {
    const Case cases[] = {
        {"clicking the second of three selects it alone",
         {G1T, G1F, G1F},
         1,
         Act::Left,
         {kDown, kSelect, L"Click", kUp},
         {false, true, false}},
        {"a selected button with a partner stays selected",
         {G1T, G1F},
         0,
         Act::Left,
         {kDown, kUp},
         {true, false}},
        {"a grouped button alone toggles off without Click",
         {G1T},
         0,
         Act::Left,
         {kDown, kDeselect, kUp},
         {false}},
        {"ungrouped buttons of one group toggle on their own",
         {U1T, U1T},
         0,
         Act::Left,
         {kDown, kDeselect, kUp},
         {false, true}},
        {"a grouped button clears an ungrouped one of its group",
         {U1T, G1F},
         1,
         Act::Left,
         {kDown, kSelect, L"Click", kUp},
         {false, true}},
        {"a cancelled change leaves everything as it was",
         {G1T, G1F},
         1,
         Act::Left,
         {kDown, kSelect, kUp},
         {true, false},
         true},
        {"the right button selects without Click",
         {G1T, G1F},
         1,
         Act::Right,
         {kDown, kSelect, kUp},
         {false, true}},
        {"other groups are left alone",
         {G2T, G1T, G2F},
         2,
         Act::Left,
         {kDown, kSelect, L"Click", kUp},
         {false, true, true}},
        {"the space bar selects",
         {G1T, G1F},
         1,
         Act::Space,
         {L"KeyDown", kSelect, L"Click", L"KeyUp"},
         {false, true}},
        {"the access key selects a grouped button",
         {G1T, G1F},
         1,
         Act::AccessKey,
         {kSelect, L"Click"},
         {false, true}},
        {"the access key of a selected grouped button with a partner does nothing",
         {G1F, G1T},
         1,
         Act::AccessKey,
         {},
         {false, true}},
        {"the access key toggles an ungrouped button as the space bar does",
         {U1F},
         0,
         Act::AccessKey,
         {kSelect, L"Click"},
         {true}},
    };
    for (const Case& c : cases)
        run(c);
}

TEST_F(OptionGroupTest, CodeChangesRaiseNoBeforeValueChanged) {
    const Case cases[] = {
        {"Value True clears the group, quietly", {G1T, G1F}, 1, Act::SetTrue, {}, {false, true}},
        {"with ValueSetClick a change to True clicks",
         {G1T, G1F},
         1,
         Act::SetTrue,
         {L"Click"},
         {false, true},
         false,
         true},
        {"with ValueSetClick True again does not",
         {G1F, G1T},
         1,
         Act::SetTrue,
         {},
         {false, true},
         false,
         true},
        {"with ValueSetClick a change to False does not",
         {G1T},
         0,
         Act::SetFalse,
         {},
         {false},
         false,
         true},
        {"at design time a new GroupID clears the new group",
         {G1T, G2T},
         1,
         Act::SetGroup1,
         {},
         {false, true},
         false,
         false,
         true,
         1},
        {"at run time a new GroupID waits for the next selection",
         {G1T, G2T},
         1,
         Act::SetGroup1,
         {},
         {true, true},
         false,
         false,
         false,
         1},
        {"a negative GroupID is ignored",
         {G1T, G2T},
         1,
         Act::SetGroupMinus1,
         {},
         {true, true},
         false,
         false,
         true},
    };
    for (const Case& c : cases)
        run(c);
}

TEST_F(OptionGroupTest, APoorContainerStillSelectsAndToggles) {
    struct Poor {
        const char* what;
        bool enumObjects;
        bool extender;
        bool extenderParent;
        std::vector<bool> afterFirst, afterSecond;
    };
    const Poor cases[] = {
        // The extender's Parent.Controls stands in: the group holds.
        {"parent controls cannot be enumerated", false, true, true, {false, true}, {false, true}},
        // No extender, so no Parent to ask: no collection at all, no
        // partner, and the button toggles alone.
        {"and there is no extender either", false, false, true, {true, true}, {true, false}},
        // An extender without Parent: nothing to ask either.
        {"and the extender has no Parent", false, true, false, {true, true}, {true, false}},
    };
    for (const Poor& c : cases) {
        SCOPED_TRACE(c.what);
        form().behaviour().enumObjects = c.enumObjects;
        form().behaviour().extender = c.extender;
        form().behaviour().extenderParent = c.extenderParent;
        auto sites = placeGroup({G1T, G1F}, 1);
        ASSERT_EQ(sites.size(), 2u);
        Site& actor = *sites[1].Get();
        act(actor, Act::Left);
        EXPECT_EQ(isTrue(*sites[0].Get(), L"Value"), bool(c.afterFirst[0]));
        EXPECT_EQ(isTrue(actor, L"Value"), bool(c.afterFirst[1]));
        act(actor, Act::Left);
        EXPECT_EQ(isTrue(*sites[0].Get(), L"Value"), bool(c.afterSecond[0]));
        EXPECT_EQ(isTrue(actor, L"Value"), bool(c.afterSecond[1]));
        EXPECT_EQ(actor.events().count(L"Click"), 1u);
        form().removeAll();
    }
}

} // namespace
} // namespace pkw::test
