// The classes of zelPickwell40.ocx. A control class joins the table when
// its folder is part of the build (CMake defines PKW_WITH_<CLASS>).
#include "common/com/server/class_entry.h"
#include "library/support_classes.h"
#if PKW_WITH_CHECKBOX
#include "checkbox/checkbox_class.h"
#endif
#if PKW_WITH_OPTION
#include "option/option_class.h"
#endif
#if PKW_WITH_BUTTON
#include "button/button_class.h"
#endif
#if PKW_WITH_TEXTBOX
#include "textbox/textbox_class.h"
#endif
#if PKW_WITH_PAGES
#include "pages/about_page.h"
#include "pages/caption_page.h"
#endif

#include <vector>

namespace pkw::com {

const Server& thisServer() {
    static const std::vector<const ClassEntry*> classes = {
#if PKW_WITH_CHECKBOX
        &checkbox::CheckBoxClass(),
#endif
#if PKW_WITH_OPTION
        &option::OptionClass(),
#endif
#if PKW_WITH_BUTTON
        // Served for the library's own pages; never registered.
        &button::ButtonClass(),
#endif
        &library::SkinClass(),
        &library::UnicodeClass(),
        &library::IpaoClass(),
#if PKW_WITH_PAGES
        &pages::AboutPageClass(),
        &pages::CaptionPageClass(),
#endif
#if PKW_WITH_TEXTBOX
        // Served for the library's own pages; never registered.
        &textbox::TextBoxClass(),
#endif
    };
    // ProgIDs zelPickwell40.<class> and zelPickwell40.<class>.1.
    static const Server server{L"zelPickwell40", classes, 1};
    return server;
}

} // namespace pkw::com
