// The access key of a caption: the character after its first single
// ampersand, lower-cased ("&&" is a literal ampersand).
#pragma once

#include <string>
#include <string_view>

namespace pkw::checkbox {

// The access key of `caption` as a one-character string, or "" for none.
std::wstring AccessKeyOf(std::wstring_view caption);

} // namespace pkw::checkbox
