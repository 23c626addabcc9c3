#include "activex/shared_font.h"

#include "activex/font_description.h"
#include "common/com/hresult.h"

#include <wrl/client.h>

#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

namespace pkw::ax {

struct SharedFont::Entry {
    FontDescription description;
    // A clone of the first font of this description: it owns the HFONT,
    // and no control can change it.
    Microsoft::WRL::ComPtr<IFont> owner;
    HFONT handle = nullptr;
    int users = 0;
};

namespace {

// Plain pointer: the cache is freed with its last entry, so a thread's exit
// has nothing to run (and no COM object outlives its apartment's users).
thread_local std::vector<SharedFont::Entry*>* t_cache = nullptr;

void Release(SharedFont::Entry* entry) noexcept {
    if (!entry || --entry->users > 0) return;
    if (t_cache) {
        std::erase(*t_cache, entry);
        if (t_cache->empty()) {
            delete t_cache;
            t_cache = nullptr;
        }
    }
    delete entry; // its clone, and with it the HFONT, goes
}

} // namespace

SharedFont::SharedFont(SharedFont&& other) noexcept
    : entry_(std::exchange(other.entry_, nullptr)) {}

SharedFont& SharedFont::operator=(SharedFont&& other) noexcept {
    if (this != &other) {
        reset();
        entry_ = std::exchange(other.entry_, nullptr);
    }
    return *this;
}

SharedFont::~SharedFont() {
    reset();
}

void SharedFont::reset() noexcept {
    Release(std::exchange(entry_, nullptr));
}

HFONT SharedFont::get() const noexcept {
    return entry_ ? entry_->handle : nullptr;
}

HRESULT SharedFont::Of(IFont* font, SharedFont& out) noexcept {
    PKW_RETURN_HR_IF_NULL(E_POINTER, font);
    try {
        FontDescription d;
        PKW_RETURN_IF_FAILED(DescribeFont(font, d));
        if (t_cache) {
            for (Entry* e : *t_cache) {
                if (e->description.drawsLike(d)) {
                    ++e->users;
                    out.reset();
                    out.entry_ = e;
                    return S_OK;
                }
            }
        }
        auto entry = std::make_unique<Entry>();
        PKW_RETURN_IF_FAILED(font->Clone(&entry->owner));
        PKW_RETURN_HR_IF_NULL(E_FAIL, entry->owner);
        PKW_RETURN_IF_FAILED(entry->owner->get_hFont(&entry->handle));
        PKW_RETURN_HR_IF_NULL(E_FAIL, entry->handle);
        entry->description = std::move(d);
        if (!t_cache) t_cache = new std::vector<Entry*>();
        t_cache->push_back(entry.get());
        entry->users = 1;
        out.reset();
        out.entry_ = entry.release();
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

int SharedFont::CachedCount() noexcept {
    return t_cache ? static_cast<int>(t_cache->size()) : 0;
}

} // namespace pkw::ax
