#include "host/tool/options.h"

#include <cwchar>
#include <string_view>

namespace pkw::host::tool {

const char kUsage[] =
    "usage: host <ProgID or {CLSID}> [options]\n"
    "\n"
    "Creates the ActiveX control on a form, as a container does, and does what\n"
    "the options say, in their order. Without actions the form stays up until\n"
    "it is closed.\n"
    "\n"
    "  --library FILE       create the control from FILE (a DLL or OCX) without\n"
    "                       registration; the ProgID names a class of its type\n"
    "                       library (Library.Class)\n"
    "  --load FILE          load the control from a property-bag file, at the\n"
    "                       size the file keeps\n"
    "  --size WxH           the control's size in pixels (default 120x24)\n"
    "  --ambient Name=Value an ambient property of the form (UserMode=0: design)\n"
    "  --events             print the control's events and property changes\n"
    "  --show               stay up after the actions until the form is closed\n"
    "actions:\n"
    "  --set Name=Value     set a property, the text converted to its type\n"
    "  --click              click the middle of the control\n"
    "  --type TEXT          give the control the focus and type TEXT\n"
    "  --save FILE          save the control's property bag as text\n"
    "  --png FILE           write the form as a PNG image\n"
    "\n"
    "Exit codes: 0 done, 1 usage, 2 no OLE or no window, 3 the control could\n"
    "not be created or sited, 4 something failed on the way (reported).\n";

namespace {

bool splitAssignment(const std::wstring& text, std::pair<std::wstring, std::wstring>& out) {
    const std::size_t equals = text.find(L'=');
    if (equals == 0 || equals == std::wstring::npos) return false;
    out = {text.substr(0, equals), text.substr(equals + 1)};
    return true;
}

bool parseSize(const std::wstring& text, SIZE& size) {
    int w = 0, h = 0;
    wchar_t rest = 0;
    if (std::swscanf(text.c_str(), L"%dx%d%lc", &w, &h, &rest) != 2) return false;
    if (w < 1 || h < 1 || w > 16384 || h > 16384) return false;
    size = {w, h};
    return true;
}

} // namespace

bool parseOptions(int argc, wchar_t** argv, Options& options, std::wstring& why) {
    options = {};
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() -> std::wstring { return hasValue ? argv[++i] : L""; };
        auto needs = [&](const wchar_t* what) {
            why = arg + L" needs " + what;
            return false;
        };
        std::pair<std::wstring, std::wstring> assignment;
        if (arg == L"--library") {
            if (!hasValue) return needs(L"a file");
            options.library = value();
        } else if (arg == L"--load") {
            if (!hasValue) return needs(L"a file");
            options.load = value();
        } else if (arg == L"--size") {
            SIZE size{};
            if (!hasValue || !parseSize(value(), size)) return needs(L"WxH in pixels");
            options.size = size;
        } else if (arg == L"--ambient") {
            if (!hasValue || !splitAssignment(value(), assignment)) return needs(L"Name=Value");
            options.ambients.push_back(assignment);
        } else if (arg == L"--set") {
            if (!hasValue || !splitAssignment(value(), assignment)) return needs(L"Name=Value");
            options.actions.push_back({Action::Kind::Set, assignment.first, assignment.second});
        } else if (arg == L"--events") {
            options.events = true;
        } else if (arg == L"--show") {
            options.show = true;
        } else if (arg == L"--click") {
            options.actions.push_back({Action::Kind::Click, {}, {}});
        } else if (arg == L"--type") {
            if (!hasValue) return needs(L"the text to type");
            options.actions.push_back({Action::Kind::Type, {}, value()});
        } else if (arg == L"--save" || arg == L"--png") {
            if (!hasValue) return needs(L"a file");
            const auto kind = arg == L"--save" ? Action::Kind::Save : Action::Kind::Png;
            options.actions.push_back({kind, value(), {}});
        } else if (arg.starts_with(L"--") || !options.control.empty()) {
            why = L"unknown argument " + arg;
            return false;
        } else {
            options.control = arg;
        }
    }
    if (options.control.empty()) {
        why = L"which control? Give its ProgID or {CLSID}";
        return false;
    }
    return true;
}

} // namespace pkw::host::tool
