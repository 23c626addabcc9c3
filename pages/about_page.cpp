#include "pages/about_page.h"

#include "common/com/server/server.h"
#include "pages/product_panel.h"
#include "pages/property_page.h"

#include "zelPickwell40.h"

namespace pkw::pages {
namespace {

constexpr SIZE kPageTwips{5415, 4500};

class AboutPage : public com::DualDispatch<_About>, public PropertyPage {
public:
    using Interfaces = com::InterfaceMap<_About, IDispatch, IPropertyPage2,
                                         com::As<IPropertyPage, IPropertyPage2>>;

    AboutPage() noexcept : PropertyPage(L"About", kPageTwips) {}

private:
    void draw(HDC hdc, SIZE client) noexcept override {
        DrawProductPanel(hdc, client, twipsPerPixel(), CurrentYear());
    }
};

} // namespace

const com::ClassEntry& AboutPageClass() {
    static const com::ClassEntry entry{&CLSID_About, L"About", &com::createObject<AboutPage>};
    return entry;
}

} // namespace pkw::pages
