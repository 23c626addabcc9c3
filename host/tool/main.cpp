// host: a container for trying an ActiveX control from the command line.
// See options.cpp for what it takes.
#include "host/text.h"
#include "host/tool/options.h"
#include "host/tool/session.h"

#include <ole2.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
    using namespace pkw::host;
    tool::Options options;
    std::wstring why;
    if (!tool::parseOptions(argc, argv, options, why)) {
        std::fprintf(stderr, "host: %s\n\n%s", utf8(why).c_str(), tool::kUsage);
        return 1;
    }
    if (FAILED(::OleInitialize(nullptr))) {
        std::fprintf(stderr, "host: OLE is not available\n");
        return 2;
    }
    const int code = tool::runSession(options);
    ::OleUninitialize();
    return code;
}
