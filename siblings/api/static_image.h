// A built-in image of the resource server, borrowed for a scope: the shared
// memory DC that GetStaticResDc lends, given back by ReleaseStaticResDc.
#pragma once

#include "siblings/api/plain.h"

namespace pkw::sib {

class StaticImage {
public:
    explicit StaticImage(LONG resId, LONG variant = 0) noexcept
        : dc_(ResSrv().GetStaticResDc(resId, variant)) {}
    ~StaticImage() {
        if (dc_) ResSrv().ReleaseStaticResDc(dc_);
    }
    StaticImage(const StaticImage&) = delete;
    StaticImage& operator=(const StaticImage&) = delete;

    // Null when the resource library does not hold the image.
    HDC dc() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HDC dc_;
};

} // namespace pkw::sib
