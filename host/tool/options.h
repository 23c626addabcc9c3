// The host program's command line.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace pkw::host::tool {

struct Action {
    enum class Kind { Set, Click, Type, Save, Png };
    Kind kind;
    std::wstring name;  // Set: the property; Save, Png: the file
    std::wstring value; // Set: the value as typed; Type: the text
};

struct Options {
    std::wstring control;     // a ProgID or {CLSID}
    std::wstring library;     // create from this DLL, unregistered
    std::wstring load;        // the bag file to load the control from
    std::optional<SIZE> size; // pixels
    std::vector<std::pair<std::wstring, std::wstring>> ambients;
    bool events = false;
    bool show = false;           // stay up until the form is closed
    std::vector<Action> actions; // in the order given
};

extern const char kUsage[];

// False with the reason when the command line makes no sense.
bool parseOptions(int argc, wchar_t** argv, Options& options, std::wstring& why);

} // namespace pkw::host::tool
