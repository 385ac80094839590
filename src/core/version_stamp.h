#pragma once

#include <cstddef>
#include <cstdint>

// Raises the version after the product name in a module's UTF-16 product
// description: "智能岚舟输入平台  6.3" or "... 6.7" becomes "... 7.3", at every
// occurrence; only the low bytes of the characters are tested. Returns the
// number of occurrences changed. Never looks past `length`.
int StampVersionText(std::uint8_t* bytes, std::size_t length);
