#include "siblings/ressrv/static_pool.h"

#include "siblings/ressrv/builtin_images.h"
#include "siblings/ressrv/themes.h"

#include <map>
#include <mutex>
#include <utility>

namespace pkw::sib::res {
namespace {

struct Entry {
    DibSurface image;
    int borrowers = 0;
};

struct StaticPool {
    std::mutex lock;
    std::map<std::pair<LONG, LONG>, Entry> entries; // by (resId, scheme)
};

StaticPool& Pool() {
    static StaticPool pool;
    return pool;
}

} // namespace

HDC BorrowStaticImage(LONG resId, LONG variant) {
    const LONG theme = TakesThemes(resId) ? NormalizeTheme(variant) : 0;
    StaticPool& pool = Pool();
    std::lock_guard guard(pool.lock);
    const auto key = std::make_pair(resId, theme);
    if (auto it = pool.entries.find(key); it != pool.entries.end()) {
        ++it->second.borrowers;
        return it->second.image.dc();
    }
    DibSurface image = LoadBuiltinImage(resId);
    if (!image.valid()) return nullptr;
    ApplyTheme(image, theme);
    Entry& entry = pool.entries[key];
    entry.image = std::move(image);
    entry.borrowers = 1;
    return entry.image.dc();
}

bool ReturnStaticImage(HDC hdc) {
    if (!hdc) return false;
    StaticPool& pool = Pool();
    std::lock_guard guard(pool.lock);
    for (auto it = pool.entries.begin(); it != pool.entries.end(); ++it) {
        if (it->second.image.dc() != hdc) continue;
        if (--it->second.borrowers == 0) pool.entries.erase(it);
        return true;
    }
    return false;
}

} // namespace pkw::sib::res
