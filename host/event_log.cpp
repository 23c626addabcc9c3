#include "host/event_log.h"

#include "host/value_text.h"

namespace pkw::host {

std::wstring describeEvent(const RecordedEvent& event) {
    std::wstring line =
        event.name.empty() ? L"<DISPID " + std::to_wstring(event.id) + L">" : event.name;
    line += L"(";
    for (std::size_t i = 0; i < event.args.size(); ++i) {
        const RecordedArg& arg = event.args[i];
        if (i > 0) line += L", ";
        line += (arg.name.empty() ? L"#" + std::to_wstring(i + 1) : arg.name) + L"=";
        if ((arg.vt & ~VT_BYREF) != VT_RECORD) {
            line += describeValue(arg.value);
            continue;
        }
        line += L"{";
        for (std::size_t f = 0; f < arg.fields.size(); ++f)
            line += (f > 0 ? L", " : L"") + arg.fields[f].first + L"=" +
                    describeValue(arg.fields[f].second);
        line += L"}";
    }
    return line + L")";
}

std::wstring describeChange(const NotifyRecorder::Change& change) {
    const std::wstring id = L"DISPID " + std::to_wstring(change.id);
    return change.name.empty() ? id : change.name + L" (" + id + L")";
}

} // namespace pkw::host
