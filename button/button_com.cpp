// COM identity of the button: its class description, creation,
// and the interfaces it has beyond its dual one.
#include "button/btn.h"
#include "button/button_class.h"

namespace pkw::button {
namespace {

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

} // namespace

const ax::ControlClass& ButtonClass() {
    static const ax::ControlClass cls{
        {&CLSID_BTN, L"BTN", &ax::createControl<BTN>, com::Registration::None, kMiscStatus, 0},
        &IID__BTN,
        &DIID___BTN,
        {}};
    return cls;
}

BTN::BTN() : DualControl(ButtonClass()) {}

BTN::~BTN() = default;

void* BTN::ownInterface(REFIID riid) noexcept {
    return riid == IID_ISubclass ? static_cast<ISubclass*>(this) : nullptr;
}

} // namespace pkw::button
