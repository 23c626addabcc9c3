// COM identity of the text box: its class description, creation,
// and the interfaces it has beyond its dual one.
#include "textbox/nu_mtext40.h"
#include "textbox/textbox_class.h"

namespace pkw::textbox {
namespace {

constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE |
                              OLEMISC_INSIDEOUT | OLEMISC_ACTIVATEWHENVISIBLE |
                              OLEMISC_SETCLIENTSITEFIRST;

} // namespace

const ax::ControlClass& TextBoxClass() {
    static const ax::ControlClass cls{{&CLSID_NuMText40, L"NuMText40",
                                       &ax::createControl<NuMText40>, com::Registration::None,
                                       kMiscStatus, 0},
                                      &IID__NuMText40,
                                      &DIID___NuMText40,
                                      {}};
    return cls;
}

NuMText40::NuMText40() : DualControl(TextBoxClass()) {}

NuMText40::~NuMText40() = default;

void* NuMText40::ownInterface(REFIID riid) noexcept {
    if (riid == IID__IPAO) return static_cast<_IPAO*>(this);
    if (riid == IID_ISubclass) return static_cast<ISubclass*>(this);
    return nullptr;
}

} // namespace pkw::textbox
