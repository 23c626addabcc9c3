#include "siblings/ressrv/custom_pool.h"

#include "siblings/gfx/bitmap_source.h"

#include <map>
#include <mutex>
#include <string>
#include <utility>

namespace pkw::sib::res {
namespace {

struct Entry {
    DibSurface image;
    int borrowers = 0;
};

struct CustomPool {
    std::mutex lock;
    std::map<std::string, Entry> entries;
};

CustomPool& Pool() {
    static CustomPool pool;
    return pool;
}

DibSurface CopyOf(HBITMAP bitmap) {
    const BitmapSource source(bitmap, nullptr);
    if (!source.valid()) return {};
    DibSurface copy(source.width(), source.height());
    if (!copy.valid() ||
        !::BitBlt(copy.dc(), 0, 0, copy.width(), copy.height(), source.dc(), 0, 0, SRCCOPY))
        return {};
    ::GdiFlush();
    return copy;
}

HDC Lend(Entry& entry, LONG* width, LONG* height) {
    ++entry.borrowers;
    if (width) *width = entry.image.width();
    if (height) *height = entry.image.height();
    return entry.image.dc();
}

} // namespace

HDC BorrowCustomImage(HBITMAP bitmap, const char* name, LONG* width, LONG* height) {
    if (width) *width = 0;
    if (height) *height = 0;
    if (!bitmap || !name || !*name) return nullptr;
    CustomPool& pool = Pool();
    std::lock_guard guard(pool.lock);
    if (auto it = pool.entries.find(name); it != pool.entries.end())
        return Lend(it->second, width, height);
    DibSurface image = CopyOf(bitmap);
    if (!image.valid()) return nullptr;
    Entry& entry = pool.entries[name];
    entry.image = std::move(image);
    return Lend(entry, width, height);
}

bool ReturnCustomImage(const char* name) {
    if (!name || !*name) return false;
    CustomPool& pool = Pool();
    std::lock_guard guard(pool.lock);
    const auto it = pool.entries.find(name);
    if (it == pool.entries.end()) return false;
    if (--it->second.borrowers == 0) pool.entries.erase(it);
    return true;
}

} // namespace pkw::sib::res
