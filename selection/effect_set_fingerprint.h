// What an effect set holds, in a form that compares: every number, the
// description of every font (a font object changes in place), the identity
// of every picture, every text and every gradient stop. The effects look
// keeps what it built from a set while the set's fingerprint stays the same.
#pragma once

#include "zelGlobals40.h"

#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <vector>

namespace pkw::selection {

class SetFingerprint {
public:
    // Reads `set` anew (the vectors keep their room from the last reading);
    // a set that fails a read matches nothing.
    void take(IEffectSet* set);

    bool matches(const SetFingerprint& other) const;
    void forget() { valid_ = false; }

private:
    bool valid_ = false;
    std::vector<std::int32_t> numbers_; // numbers, then fonts' and stops' numeric fields
    std::vector<std::wstring> texts_;   // texts, then font faces
    // Held, so that an address is not reused by another picture meanwhile.
    std::vector<Microsoft::WRL::ComPtr<IUnknown>> pictures_;
};

} // namespace pkw::selection
