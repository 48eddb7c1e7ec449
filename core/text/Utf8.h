#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vz::utf8 {

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValid(std::string_view bytes);

// Decodes leniently: every ill-formed sequence becomes U+FFFD.
std::string Sanitize(std::string_view bytes);

// Number of code points in well-formed UTF-8.
std::size_t Length(std::string_view text);

// The first max_chars code points of well-formed UTF-8.
std::string_view Prefix(std::string_view text, std::size_t max_chars);

// ASCII-only case-insensitive comparison, as profile names are compared.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

}  // namespace vz::utf8
