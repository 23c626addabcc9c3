#include "selection/premultiplied_strip.h"

#include "common/win/dib_section.h"

#include <algorithm>
#include <memory>
#include <new>
#include <utility>
#include <vector>

namespace pkw::selection {

struct PremultipliedStrip::Entry {
    HBITMAP source = nullptr; // what it was copied from (identity only)
    int width = 0;
    int height = 0;
    COLORREF mask = 0;
    DibSection copy;
    int users = 0;
};

namespace {

// Plain pointer: freed with its last entry, nothing runs at thread exit.
thread_local std::vector<PremultipliedStrip::Entry*>* t_strips = nullptr;

HBITMAP SourceBitmap(HDC source) noexcept {
    return source ? static_cast<HBITMAP>(::GetCurrentObject(source, OBJ_BITMAP)) : nullptr;
}

void Release(PremultipliedStrip::Entry* entry) noexcept {
    if (!entry || --entry->users > 0) return;
    if (t_strips) {
        std::erase(*t_strips, entry);
        if (t_strips->empty()) {
            delete t_strips;
            t_strips = nullptr;
        }
    }
    delete entry;
}

// The mask colour becomes transparent black, every other pixel opaque.
bool Premultiply(PremultipliedStrip::Entry& e, HDC source) noexcept {
    if (!e.copy.create(e.width, e.height)) return false;
    if (!::BitBlt(e.copy.dc(), 0, 0, e.width, e.height, source, 0, 0, SRCCOPY)) return false;
    ::GdiFlush();
    const std::uint32_t key = PixelFromColorRef(e.mask);
    std::uint32_t* p = e.copy.pixels();
    for (std::size_t i = 0, n = std::size_t(e.width) * std::size_t(e.height); i < n; ++i)
        p[i] = (p[i] & 0xFFFFFF) == key ? 0 : (p[i] | 0xFF000000u);
    return true;
}

} // namespace

PremultipliedStrip::PremultipliedStrip(PremultipliedStrip&& other) noexcept
    : entry_(std::exchange(other.entry_, nullptr)) {}

PremultipliedStrip& PremultipliedStrip::operator=(PremultipliedStrip&& other) noexcept {
    if (this != &other) {
        reset();
        entry_ = std::exchange(other.entry_, nullptr);
    }
    return *this;
}

PremultipliedStrip::~PremultipliedStrip() {
    reset();
}

void PremultipliedStrip::reset() noexcept {
    Release(std::exchange(entry_, nullptr));
}

bool PremultipliedStrip::matches(HDC source, COLORREF mask) const noexcept {
    return entry_ && entry_->source == SourceBitmap(source) && entry_->mask == mask;
}

PremultipliedStrip PremultipliedStrip::Of(HDC source, COLORREF mask) noexcept {
    PremultipliedStrip strip;
    const HBITMAP bitmap = SourceBitmap(source);
    BITMAP info{};
    if (!bitmap || ::GetObjectW(bitmap, sizeof info, &info) != sizeof info) return strip;
    const int width = info.bmWidth, height = info.bmHeight;
    try {
        if (t_strips) {
            for (Entry* e : *t_strips) {
                if (e->source == bitmap && e->mask == mask) {
                    ++e->users;
                    strip.entry_ = e;
                    return strip;
                }
            }
        }
        auto entry = std::make_unique<Entry>();
        entry->source = bitmap;
        entry->width = width;
        entry->height = height;
        entry->mask = mask;
        if (!Premultiply(*entry, source)) return strip;
        if (!t_strips) t_strips = new std::vector<Entry*>();
        t_strips->push_back(entry.get());
        entry->users = 1;
        strip.entry_ = entry.release();
    } catch (const std::bad_alloc&) {
    }
    return strip;
}

bool PremultipliedStrip::draw(HDC target, int x, int y, int w, int h, int srcX,
                              int srcY) const noexcept {
    if (!entry_) return false;
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return ::GdiAlphaBlend(target, x, y, w, h, entry_->copy.dc(), srcX, srcY, w, h, blend) != FALSE;
}

} // namespace pkw::selection
